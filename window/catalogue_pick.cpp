#include "window/catalogue_pick.h"

#include "datafiles/grid_group.h"
#include "window/form.h"

namespace velqora {

std::string pickCatalogueEntry(Form& form, const CatalogueEntry& entry) {
  form.setText(EDIT1, entry.ellipsoid[0]);
  form.setText(EDIT2, entry.ellipsoid[1]);
  form.setText(EDIT3, entry.ellipsoid[2]);
  form.setText(EDIT4, entry.ellipsoid[3]);

  // The order in which picking a grid group writes them.
  const GridFieldTexts& t = entry.grid;
  form.setText(EDIT5, t.longitudeDegrees);
  form.setText(EDIT7, t.longitudeMinutes);
  form.setText(EDIT9, t.longitudeSeconds);
  form.setText(EDIT6, t.latitudeDegrees);
  form.setText(EDIT8, t.latitudeMinutes);
  form.setText(EDIT10, t.latitudeSeconds);
  form.setText(EDIT11, t.xShift);
  form.setText(EDIT12, t.yShift);
  form.setText(EDIT13, t.scaleFactor);

  // The user's projection list decides the position, as for a grid group.
  const int projection = projectionOfKey(entry.projectionKey);
  if (projection < form.entryCount(COMBO4)) form.selectPosition(COMBO4, projection);

  form.setText(EDIT33, t.firstParallelDegrees);
  form.setText(EDIT35, t.firstParallelMinutes);
  form.setText(EDIT37, t.firstParallelSeconds);
  form.setText(EDIT34, t.secondParallelDegrees);
  form.setText(EDIT36, t.secondParallelMinutes);
  form.setText(EDIT38, t.secondParallelSeconds);

  return "Velqora - EPSG:" + std::to_string(entry.code) + " " + entry.name;
}

}  // namespace velqora
