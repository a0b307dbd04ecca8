#include "geodesy/number_text.h"
#include "window/earthcul.h"
#include "window/form.h"
#include "window/handlers.h"
#include "window/records.h"

namespace velqora {

// "Calculate": completes the ellipsoid from whichever two of its four fields are given.
// An empty field reads as 0, which EARTHCUL takes as "not given".
void BUTTON1_ON(Form& form) {
  EARTH[0] = Number(form.text(EDIT1));
  EARTH[1] = Number(form.text(EDIT2));
  EARTH[2] = Number(form.text(EDIT3));
  EARTH[3] = Number(form.text(EDIT4));
  // EARTHCUL shows its own message on a rejection; there is nothing more to do either way.
  int status = 1;
  EARTHCUL(form, status);
}

}  // namespace velqora
