#include "datafiles/grid_group.h"
#include "datafiles/tables.h"
#include "window/form.h"
#include "window/handlers.h"

namespace velqora {

// A grid group picked: its texts fill the origin, shift, scale and standard-parallel
// fields and its key selects the projection. Nothing is converted to a number here.
void COMBO2_CHANGE(Form& form) {
  // With no grid-group file loaded COMBO2 holds only the placeholder.
  if (GRPCOUNT == 0) return;
  const auto group = gridGroupEntry(form.selectedPosition(COMBO2));
  if (!group) return;

  const GridFieldTexts& t = group->texts;
  form.setText(EDIT5, t.longitudeDegrees);
  form.setText(EDIT7, t.longitudeMinutes);
  form.setText(EDIT9, t.longitudeSeconds);
  form.setText(EDIT6, t.latitudeDegrees);
  form.setText(EDIT8, t.latitudeMinutes);
  form.setText(EDIT10, t.latitudeSeconds);
  form.setText(EDIT11, t.xShift);
  form.setText(EDIT12, t.yShift);
  form.setText(EDIT13, t.scaleFactor);

  if (group->projection < form.entryCount(COMBO4)) form.selectPosition(COMBO4, group->projection);

  form.setText(EDIT33, t.firstParallelDegrees);
  form.setText(EDIT35, t.firstParallelMinutes);
  form.setText(EDIT37, t.firstParallelSeconds);
  form.setText(EDIT34, t.secondParallelDegrees);
  form.setText(EDIT36, t.secondParallelMinutes);
  form.setText(EDIT38, t.secondParallelSeconds);
}

}  // namespace velqora
