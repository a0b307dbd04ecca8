#pragma once

#include "geodesy/domain.h"

namespace velqora {

// Projection codes: the 0-based positions in the projection list.
enum ProjectionCode : int {
  NO_PROJECTION = 0,
  TRANSVERSE_MERCATOR = 1,
  OBLIQUE_MERCATOR = 2,
  LAMBERT_TWO_PARALLELS = 3,
  LAMBERT_ONE_PARALLEL = 4,
  CASSINI_SOLDNER = 5,
  OBLIQUE_STEREOGRAPHIC = 6,
};

// Grid coordinates (km) of a point for the projection PRJKIND and the grid group
// GRID: the projection's raw coordinates scaled by GRID(8) and shifted by GRID(6),
// GRID(7). On Domain::outside (and for a code that selects no projection) X and Y
// are left as they were.
Domain PRJSL(double dlam, double phi, double phi0, double phi1, double phi2, double& X, double& Y);

}  // namespace velqora
