#pragma once

#include "geodesy/ellipsoid.h"
#include "geodesy/meridian_arc.h"
#include "geodesy/projected.h"

namespace velqora {

// Cassini-Soldner (projection code 5) by the series in A = L cos(phi) (Snyder, Map
// Projections - A Working Manual, USGS PP 1395, eqs. 13-7 and 13-8). Its northing is
// measured from the equator; the dispatcher takes off the origin's meridian arc.
class CassiniSoldner {
 public:
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
