#include "window/earthcul.h"
#include "window/form.h"
#include "window/handlers.h"
#include "window/records.h"

namespace velqora {

// "Calculate": completes the ellipsoid from whichever two of its four fields are given.
// An empty field reads as 0, which EARTHCUL takes as "not given".
void BUTTON1_ON(Form& form) {
  bool anyEmpty = false;
  if (!readEllipsoidFields(form, anyEmpty)) return;
  // EARTHCUL shows its own message on a rejection; there is nothing more to do either way.
  int status = 1;
  EARTHCUL(form, status);
}

}  // namespace velqora
