#pragma once

#include "geodesy/ellipsoid.h"
#include "geodesy/meridian_arc.h"
#include "geodesy/projected.h"

namespace velqora {

// Transverse Mercator (projection code 1) by the Gauss-Krueger series in powers of
// the longitude difference, to L^5 in X and L^6 in Y (e.g. Snyder, Map Projections -
// A Working Manual, USGS PP 1395, eqs. 8-9 and 8-10, with k0 = 1). Its northing is
// measured from the equator; the dispatcher takes off the origin's meridian arc.
class TransverseMercator {
 public:
  explicit TransverseMercator(const Ellipsoid& ellipsoid);

  // Raw X and Y of the point dlam (longitude difference from the central meridian)
  // and phi, radians.
  [[nodiscard]] Projected TMXYZ(double dlam, double phi) const;

 private:
  double a_;
  double E3_;  // 1/e
  MeridianArc arc_;
};

}  // namespace velqora
