#include "datafiles/grid_group.h"
#include "datafiles/tables.h"
#include "window/form.h"
#include "window/griddget.h"
#include "window/handlers.h"

namespace velqora {

// A grid group picked: its texts fill the origin, shift, scale and standard-parallel
// fields and its key selects the projection. Nothing is converted to a number here.
void COMBO2_CHANGE(Form& form) {
  // With no grid-group file loaded COMBO2 holds only the placeholder.
  if (GRPCOUNT == 0) return;
  const auto group = gridGroupEntry(form.selectedPosition(COMBO2));
  if (!group) return;

  writeGridFields(form, group->texts, group->projection);
}

}  // namespace velqora
