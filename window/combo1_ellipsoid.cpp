#include "datafiles/tables.h"
#include "datafiles/text_encoding.h"
#include "window/form.h"
#include "window/handlers.h"

namespace velqora {

// An ellipsoid picked: its four value texts go into EDIT1 to EDIT4 as loaded (an empty
// value empties its field). EARTH is filled only when a command or "Calculate" runs.
void COMBO1_CHANGE(Form& form) {
  const int k = form.selectedPosition(COMBO1);
  if (k < 0 || k >= EARTH_ROWS) return;
  form.setText(EDIT1, displayText(EARTHTAB[k][1]));
  form.setText(EDIT2, displayText(EARTHTAB[k][2]));
  form.setText(EDIT3, displayText(EARTHTAB[k][3]));
  form.setText(EDIT4, displayText(EARTHTAB[k][4]));
}

}  // namespace velqora
