#include "window/catalogue_pick.h"

#include "datafiles/grid_group.h"
#include "window/form.h"
#include "window/griddget.h"

namespace velqora {

std::string pickCatalogueEntry(Form& form, const CatalogueEntry& entry) {
  form.setText(EDIT1, entry.ellipsoid[0]);
  form.setText(EDIT2, entry.ellipsoid[1]);
  form.setText(EDIT3, entry.ellipsoid[2]);
  form.setText(EDIT4, entry.ellipsoid[3]);

  // The user's projection list decides the position, as for a grid group.
  writeGridFields(form, entry.grid, projectionOfKey(entry.projectionKey));

  return "Velqora - EPSG:" + std::to_string(entry.code) + " " + entry.name;
}

}  // namespace velqora
