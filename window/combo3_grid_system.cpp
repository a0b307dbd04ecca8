#include "datafiles/loaders.h"
#include "datafiles/tables.h"
#include "datafiles/text_encoding.h"
#include "window/form.h"
#include "window/handlers.h"

namespace velqora {

namespace {

// COMBO2 while no grid-group file is loaded: the placeholder alone, selected.
void showGridGroupPlaceholder(Form& form) {
  GRPCOUNT = 0;
  form.clearList(COMBO2);
  form.appendEntry(COMBO2, GRID_GROUP_PLACEHOLDER);
  form.selectPosition(COMBO2, 0);
}

}  // namespace

// A grid system picked: load its grid-group file and list the grid groups, none
// selected. The origin fields and the projection stay as they are until a grid group
// is picked.
void COMBO3_CHANGE(Form& form) {
  const int k = form.selectedPosition(COMBO3);
  if (k < 0 || k >= GRIDSYS_ROWS) return;
  // Position 0 stands for no grid system; the fields of the last grid group stay.
  if (k == 0) return showGridGroupPlaceholder(form);

  GRPCOUNT = 0;
  if (const auto error = loadGridGroupFile(GRIDSYS[k][1])) {
    // The user has been typing into the window: report the file and carry on with no
    // grid groups rather than end the program and lose that work.
    form.showMessage(error->report());
    return showGridGroupPlaceholder(form);
  }
  // A file without records leaves nothing to pick; keep the placeholder showing.
  if (GRPCOUNT <= 0) return showGridGroupPlaceholder(form);

  form.clearList(COMBO2);
  for (int i = 0; i < GRPCOUNT && i < GRP_ROWS; ++i) form.appendEntry(COMBO2, displayText(GRPTAB[i][0]));
}

}  // namespace velqora
