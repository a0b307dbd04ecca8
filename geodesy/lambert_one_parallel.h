#pragma once

#include "geodesy/ellipsoid.h"
#include "geodesy/lambert_cone.h"
#include "geodesy/outcome.h"
#include "geodesy/projected.h"

namespace velqora {

// Lambert conformal conic with one standard parallel, the origin latitude (projection
// code 4); Snyder, USGS PP 1395, eqs. 15-1 to 15-10. X and Y are 0 at the origin.
class LambertOneParallel {
 public:
  // The cone of an ellipsoid and origin latitude phi0 (radians). An origin on or near
  // the equator makes it (nearly) a cylinder (n -> 0), one at a pole no cone: refused
  // as invalidGrid (LambertCone::usable).
  [[nodiscard]] static Outcome<LambertOneParallel, ConversionRefusal> make(const Ellipsoid& ellipsoid, double phi0);

  // Raw X and Y of the point dlam (longitude difference from the origin) and phi.
  [[nodiscard]] Projected LC1XYZ(double dlam, double phi) const { return cone_.pointOnCone(dlam, phi); }

  // The cone constant n: the grid turns the meridian at dlam by n dlam.
  [[nodiscard]] double coneConstant() const { return cone_.n; }

 private:
  explicit LambertOneParallel(const LambertCone& cone) : cone_(cone) {}
  LambertCone cone_;
};

}  // namespace velqora
