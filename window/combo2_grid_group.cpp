#include <string>

#include "datafiles/tables.h"
#include "datafiles/text_encoding.h"
#include "window/form.h"
#include "window/handlers.h"

namespace velqora {

namespace {

// The projection code of a grid group's key: the first entry from position 1 on whose
// key is byte for byte the same text, or 0 ("no projection") when the key is missing,
// matches nothing, or matches only an unfilled position.
int projectionOfKey(const std::string& key) {
  int j = -1;
  for (int p = 1; p < PRJ_ROWS; ++p) {
    if (PRJKEY[p] == key) {
      j = p;
      break;
    }
  }
  return j > 0 && j < PRJCOUNT ? j : 0;
}

}  // namespace

// A grid group picked: its texts fill the origin, shift, scale and standard-parallel
// fields and its key selects the projection. Nothing is converted to a number here.
void COMBO2_CHANGE(Form& form) {
  // With no grid-group file loaded COMBO2 holds only the placeholder.
  if (GRPCOUNT == 0) return;
  const int k = form.selectedPosition(COMBO2);
  if (k < 0 || k >= GRPCOUNT || k >= GRP_ROWS) return;
  const auto& group = GRPTAB[k];

  form.setText(EDIT5, displayText(group[1]));
  form.setText(EDIT7, displayText(group[2]));
  form.setText(EDIT9, displayText(group[3]));
  form.setText(EDIT6, displayText(group[4]));
  form.setText(EDIT8, displayText(group[5]));
  form.setText(EDIT10, displayText(group[6]));
  form.setText(EDIT11, displayText(group[7]));
  form.setText(EDIT12, displayText(group[8]));
  form.setText(EDIT13, displayText(group[9]));

  const int code = projectionOfKey(group[10]);
  if (code < form.entryCount(COMBO4)) form.selectPosition(COMBO4, code);

  form.setText(EDIT33, displayText(group[11]));
  form.setText(EDIT35, displayText(group[12]));
  form.setText(EDIT37, displayText(group[13]));
  form.setText(EDIT34, displayText(group[14]));
  form.setText(EDIT36, displayText(group[15]));
  form.setText(EDIT38, displayText(group[16]));
}

}  // namespace velqora
