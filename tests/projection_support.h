#pragma once

// Helpers shared by the projection, grid and derived-value tests: named ellipsoids,
// sexagesimal angles, grids made from degrees, and one call shape for the six raw
// projections.

#include <array>
#include <cmath>

#include "geodesy/constants.h"
#include "geodesy/grid.h"

namespace velqora::geo_test {

struct NamedEllipsoid {
  const char* name;
  double a;   // km
  double rf;  // inverse flattening
};

inline constexpr std::array<NamedEllipsoid, 4> ELLIPSOIDS{{
    {"GRS80", 6378.137, 298.257222101},
    {"Bessel 1841", 6377.397155, 299.1528128},
    {"Clarke 1866", 6378.2064, 294.9786982},
    {"International 1924", 6378.388, 297.0},
}};

// The ellipsoid as EARTHCUL completes it from a and 1/f.
inline Ellipsoid ellipsoidOf(double a, double rf) { return {a, a - a / rf, rf, rf / std::sqrt(2 * rf - 1)}; }
inline Ellipsoid ellipsoidOf(const NamedEllipsoid& e) { return ellipsoidOf(e.a, e.rf); }

// Degrees, arc-minutes and arc-seconds (all of the angle's sign) to radians.
inline double rad(double d, double m = 0, double s = 0) { return (d + m / 60 + s / 3600) / DEGPRAD; }

// A grid definition from whole angles in degrees.
inline GridDefinition definitionOf(int code, double lat0, double k0 = 1, double xShift = 0, double yShift = 0,
                                   double lat1 = 0, double lat2 = 0, double lon0 = 0) {
  GridDefinition d;
  d.projection = static_cast<ProjectionCode>(code);
  d.originLongitude = {lon0, 0, 0};
  d.originLatitude = {lat0, 0, 0};
  d.scaleFactor = k0;
  d.xShift = xShift;
  d.yShift = yShift;
  d.firstParallel = {lat1, 0, 0};
  d.secondParallel = {lat2, 0, 0};
  return d;
}

// A raw projection made for an ellipsoid, origin and parallels (radians) and asked for
// one point: refused as the grid would refuse it when made (invalidGrid), else the
// projection's answer.
inline Projected rawProjection(int code, const Ellipsoid& e, double dlam, double phi, double phi0 = 0, double phi1 = 0,
                               double phi2 = 0) {
  const auto answer = [&](const auto& made, auto project) -> Projected {
    if (!made) return made.reason();
    return project(*made);
  };
  switch (code) {
    case TRANSVERSE_MERCATOR:
      return TransverseMercator(e).TMXYZ(dlam, phi);
    case CASSINI_SOLDNER:
      return CassiniSoldner(e).CSXYZ(dlam, phi);
    case OBLIQUE_MERCATOR:
      return answer(ObliqueMercator::make(e, phi0), [&](const ObliqueMercator& p) { return p.OMXYZ(dlam, phi); });
    case LAMBERT_TWO_PARALLELS:
      return answer(LambertTwoParallels::make(e, phi0, phi1, phi2),
                    [&](const LambertTwoParallels& p) { return p.LC2XYZ(dlam, phi); });
    case LAMBERT_ONE_PARALLEL:
      return answer(LambertOneParallel::make(e, phi0),
                    [&](const LambertOneParallel& p) { return p.LC1XYZ(dlam, phi); });
    default:
      return answer(ObliqueStereographic::make(e, phi0),
                    [&](const ObliqueStereographic& p) { return p.SCXYZ(dlam, phi); });
  }
}

// The point reached from (lat0, 0) by going dist km along azimuth az (radians) on a
// sphere of the ellipsoid's size: close enough to "dist km from the origin" for
// choosing test points.
struct Offset {
  double dlam;
  double phi;
};
inline Offset pointAt(double phi0, double distKm, double az) {
  const double c = distKm / 6371.0;
  const double phi = std::asin(std::sin(phi0) * std::cos(c) + std::cos(phi0) * std::sin(c) * std::cos(az));
  const double dlam =
      std::atan2(std::sin(az) * std::sin(c) * std::cos(phi0), std::cos(c) - std::sin(phi0) * std::sin(phi));
  return {dlam, phi};
}

}  // namespace velqora::geo_test
