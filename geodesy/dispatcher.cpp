// The projection dispatcher: the one road from a geographic position to grid
// coordinates. It runs the projection that the grid's code selects and applies the
// grid's scale factor and shifts.

#include "geodesy/dispatcher.h"

#include <cmath>

#include "geodesy/ellipsoid.h"
#include "geodesy/grid_record.h"
#include "geodesy/keyed_constants.h"
#include "geodesy/meridian_arc.h"
#include "geodesy/projections.h"

namespace velqora {

namespace {

// Meridian distance of the origin latitude, the northing the two equator-based
// projections give at the origin. It depends only on the ellipsoid and the origin,
// and the grid-to-geographic conversion asks for it at every iteration step.
thread_local KeyedConstants<3, double> originArcCache;

double originArc(double phi0) {
  return originArcCache.get({EARTH[0], EARTH[3], phi0}, [](const std::array<double, 3>& key) {
    return FRMEQTR(key[2]);
  });
}

Domain project(int code, const ProjectionRequest& r, double& X, double& Y) {
  if (code == TRANSVERSE_MERCATOR) return TMXYZ(r.dlam, r.phi, X, Y);
  if (code == OBLIQUE_MERCATOR) return OMXYZ(r.dlam, r.phi, r.phi0, X, Y);
  if (code == LAMBERT_TWO_PARALLELS) return LC2XYZ(r.dlam, r.phi, r.phi0, r.phi1, r.phi2, X, Y);
  if (code == LAMBERT_ONE_PARALLEL) return LC1XYZ(r.dlam, r.phi, r.phi0, X, Y);
  if (code == CASSINI_SOLDNER) return CSXYZ(r.dlam, r.phi, X, Y);
  if (code == OBLIQUE_STEREOGRAPHIC) return SCXYZ(r.dlam, r.phi, r.phi0, X, Y);
  return Domain::outside;  // not reached: codes that select none are refused before
}

ConversionRefusal refusalOf(Domain domain) {
  return domain == Domain::invalidGrid ? ConversionRefusal::invalidGrid : ConversionRefusal::outsideArea;
}

}  // namespace

Outcome<GridPoint, ConversionRefusal> gridPointOf(const GridDefinition& grid, const ProjectionRequest& request) {
  const int code = grid.projection;
  if (!selectsProjection(code)) return ConversionRefusal::noProjection;
  // An origin at or beyond a pole defines no grid, whichever projection uses it.
  if (!latitudeInside(request.phi0)) return ConversionRefusal::invalidGrid;
  double x = 0;
  double y = 0;
  const Domain domain = project(code, request, x, y);
  if (domain != Domain::inside) return refusalOf(domain);

  // TMXYZ and CSXYZ measure their northing from the equator, the others from the
  // origin latitude.
  const double M0 = (code == TRANSVERSE_MERCATOR || code == CASSINI_SOLDNER) ? originArc(request.phi0) : 0;
  const double k0 = grid.scaleFactor;
  const double gx = x * k0 + grid.xShift;
  const double gy = (y - M0) * k0 + grid.yShift;
  if (!finite(gx, gy)) return ConversionRefusal::outsideArea;
  return GridPoint{gx, gy};
}

Domain PRJSL(double dlam, double phi, double phi0, double phi1, double phi2, double& X, double& Y) {
  const auto point = gridPointOf(currentGrid(), {dlam, phi, phi0, phi1, phi2});
  if (!point) return point.reason() == ConversionRefusal::invalidGrid ? Domain::invalidGrid : Domain::outside;
  X = point->x;
  Y = point->y;
  return Domain::inside;
}

}  // namespace velqora
