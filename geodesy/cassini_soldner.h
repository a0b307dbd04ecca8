#pragma once

#include "geodesy/ellipsoid.h"
#include "geodesy/meridian_arc.h"
#include "geodesy/projected.h"

namespace velqora {

// Cassini-Soldner (projection code 5) by the series in A = L cos(phi) (Snyder, Map
// Projections - A Working Manual, USGS PP 1395, eqs. 13-7 and 13-8). Its northing is
// measured from the equator; the dispatcher takes off the origin's meridian arc.
//
// The series diverges away from the central meridian: against the exact projection
// (by geodesics) its error on Earth's ellipsoids stays below 1 m up to 8.40 degrees
// of longitude at 18 degrees of latitude and further at every other latitude
// (tools/accuracy_table). The grid refuses a point farther from the central meridian
// (Grid::PRJSL); the series itself, here, answers wherever it has numbers.
class CassiniSoldner {
 public:
  static constexpr double SERIES_LIMIT_DEGREES = 8;

  explicit CassiniSoldner(const Ellipsoid& ellipsoid);

  // Raw X and Y of the point dlam (longitude difference from the central meridian)
  // and phi, radians.
  [[nodiscard]] Projected CSXYZ(double dlam, double phi) const;

 private:
  double a_;
  double E3_;  // 1/e
  MeridianArc arc_;
};

}  // namespace velqora
