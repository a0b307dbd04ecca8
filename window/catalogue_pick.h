#pragma once

#include <string>

#include "datafiles/epsg_catalogue.h"

namespace velqora {

class Form;

// A grid picked from the EPSG catalogue: its ellipsoid texts fill EDIT1 to EDIT4, its
// grid texts the origin, shift, scale and standard-parallel fields as picking a grid
// group fills them, and its key selects the projection in COMBO4. The three other
// lists keep their selection. Returns the title the window shows for it,
// "Velqora - EPSG:6677 JGD2011 / Japan Plane Rectangular CS IX".
std::string pickCatalogueEntry(Form& form, const CatalogueEntry& entry);

}  // namespace velqora
