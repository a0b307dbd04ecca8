#pragma once

#include "geodesy/domain.h"

namespace velqora {

class Form;

// Grid convergence (EDIT24, EDIT27-EDIT30), point scale factor (EDIT31) and grid
// length of one arc-second of latitude (EDIT32) at the point of a projection
// request, by two dispatcher calls 10 arc-seconds apart. Writes no field and
// returns Domain::outside when either call fails or the step has no northing.
Domain DEGFACT(Form& form, double dlam, double phi, double phi0, double phi1, double phi2);

}  // namespace velqora
