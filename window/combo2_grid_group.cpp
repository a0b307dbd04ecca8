#include <array>
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

  // Columns 1 to 9: origin, shifts and scale; 11 to 16: the standard parallels.
  constexpr std::array<Field, 9> originFields = {EDIT5, EDIT7, EDIT9, EDIT6, EDIT8, EDIT10, EDIT11, EDIT12, EDIT13};
  constexpr std::array<Field, 6> parallelFields = {EDIT33, EDIT35, EDIT37, EDIT34, EDIT36, EDIT38};
  for (std::size_t i = 0; i < originFields.size(); ++i) form.setText(originFields[i], displayText(group[1 + i]));

  const int code = projectionOfKey(group[10]);
  if (code < form.entryCount(COMBO4)) form.selectPosition(COMBO4, code);

  for (std::size_t i = 0; i < parallelFields.size(); ++i) form.setText(parallelFields[i], displayText(group[11 + i]));
}

}  // namespace velqora
