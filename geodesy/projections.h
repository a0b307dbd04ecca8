#pragma once

#include "geodesy/domain.h"

namespace velqora {

// Raw planar coordinates (km, scale 1 on the line or point of true scale, no false
// origin) of a point given by its longitude difference from the origin dlam and its
// latitude phi, in radians, on the current EARTH. TMXYZ and CSXYZ measure Y from the
// equator; the others from the origin latitude phi0. Outside a projection's domain
// they return Domain::outside and leave X and Y untouched.
Domain TMXYZ(double dlam, double phi, double& X, double& Y);
Domain CSXYZ(double dlam, double phi, double& X, double& Y);
Domain OMXYZ(double dlam, double phi, double phi0, double& X, double& Y);
Domain LC2XYZ(double dlam, double phi, double phi0, double phi1, double phi2, double& X, double& Y);
Domain LC1XYZ(double dlam, double phi, double phi0, double& X, double& Y);
Domain SCXYZ(double dlam, double phi, double phi0, double& X, double& Y);

}  // namespace velqora
