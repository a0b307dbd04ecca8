#pragma once

#include "geodesy/domain.h"

namespace velqora {

class Form;

// Grid convergence (EDIT24, EDIT27-EDIT30), point scale factor (EDIT31) and grid
// length of one arc-second of latitude (EDIT32) at the point of a projection
// request, for the grid group GRID and PRJKIND on EARTH (derivedValuesAt,
// geodesy/derived_values.h). Writes no field and returns Domain::outside when either
// projection fails or the step has no northing.
Domain DEGFACT(Form& form, double dlam, double phi, double phi0, double phi1, double phi2);

}  // namespace velqora
