// The projection dispatcher: the one road from a geographic position to grid
// coordinates. It runs the projection that PRJKIND selects and applies the grid
// group's scale factor and shifts.

#include "geodesy/dispatcher.h"

#include <cmath>

#include "datafiles/grid_group.h"
#include "geodesy/ellipsoid.h"
#include "geodesy/keyed_constants.h"
#include "geodesy/meridian_arc.h"
#include "geodesy/projections.h"

namespace velqora {

namespace {

// Meridian distance of the origin latitude, the northing the two equator-based
// projections give at the origin. It depends only on the ellipsoid and the origin,
// and the grid-to-geographic command asks for it at every iteration step.
thread_local KeyedConstants<3, double> originArcCache;

double originArc(double phi0) {
  return originArcCache.get({EARTH[0], EARTH[3], phi0}, [](const std::array<double, 3>& key) {
    return FRMEQTR(key[2]);
  });
}

Domain project(int code, double dlam, double phi, double phi0, double phi1, double phi2, double& X, double& Y) {
  if (code == TRANSVERSE_MERCATOR) return TMXYZ(dlam, phi, X, Y);
  if (code == OBLIQUE_MERCATOR) return OMXYZ(dlam, phi, phi0, X, Y);
  if (code == LAMBERT_TWO_PARALLELS) return LC2XYZ(dlam, phi, phi0, phi1, phi2, X, Y);
  if (code == LAMBERT_ONE_PARALLEL) return LC1XYZ(dlam, phi, phi0, X, Y);
  if (code == CASSINI_SOLDNER) return CSXYZ(dlam, phi, X, Y);
  if (code == OBLIQUE_STEREOGRAPHIC) return SCXYZ(dlam, phi, phi0, X, Y);
  // No projection selected: there are no coordinates to give.
  return Domain::outside;
}

}  // namespace

Domain PRJSL(double dlam, double phi, double phi0, double phi1, double phi2, double& X, double& Y) {
  const int code = PRJKIND;
  // An origin at or beyond a pole defines no grid, whichever projection uses it.
  if (!latitudeInside(phi0)) return Domain::outside;
  double x = 0;
  double y = 0;
  if (project(code, dlam, phi, phi0, phi1, phi2, x, y) == Domain::outside) return Domain::outside;

  // TMXYZ and CSXYZ measure their northing from the equator, the others from the
  // origin latitude.
  const double M0 = (code == TRANSVERSE_MERCATOR || code == CASSINI_SOLDNER) ? originArc(phi0) : 0;
  const double k0 = GRID[8];
  const double gx = x * k0 + GRID[6];
  const double gy = (y - M0) * k0 + GRID[7];
  if (!finite(gx, gy)) return Domain::outside;
  X = gx;
  Y = gy;
  return Domain::inside;
}

}  // namespace velqora
