#pragma once

#include "geodesy/ellipsoid.h"
#include "geodesy/lambert_cone.h"
#include "geodesy/outcome.h"
#include "geodesy/projected.h"

namespace velqora {

// Lambert conformal conic with two standard parallels (projection code 3), the origin
// latitude given apart from them; Snyder, USGS PP 1395, eqs. 15-1 to 15-10. X and Y
// are 0 at the origin.
class LambertTwoParallels {
 public:
  // The cone of an ellipsoid, origin latitude phi0 and standard parallels phi1, phi2
  // (radians). The origin may be the pole at the cone's apex (Antarctic charts have
  // it so). Refused as invalidGrid when a latitude lies at or beyond a pole otherwise, the
  // parallels are opposite or nearly so (a cylinder, n -> 0; LambertCone::usable) or
  // the constants are no numbers. Equal parallels give the tangent cone.
  [[nodiscard]] static Outcome<LambertTwoParallels, ConversionRefusal> make(const Ellipsoid& ellipsoid, double phi0,
                                                                            double phi1, double phi2);

  // Raw X and Y of the point dlam (longitude difference from the origin) and phi.
  [[nodiscard]] Projected LC2XYZ(double dlam, double phi) const { return cone_.pointOnCone(dlam, phi); }

  // The cone constant n: the grid turns the meridian at dlam by n dlam.
  [[nodiscard]] double coneConstant() const { return cone_.n; }

 private:
  explicit LambertTwoParallels(const LambertCone& cone) : cone_(cone) {}
  LambertCone cone_;
};

}  // namespace velqora
