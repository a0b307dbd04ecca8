#pragma once

#include "geodesy/ellipsoid.h"
#include "geodesy/outcome.h"
#include "geodesy/projected.h"

namespace velqora {

// Oblique Mercator (projection code 2): the ellipsoid is mapped conformally onto the
// Gauss sphere fitted at the origin latitude, and the sphere by a Mercator projection
// whose central line is the great circle through the origin at right angles to its
// meridian (the "Swiss" form, Rosenmund 1903; see also Snyder, Map Projections - A
// Working Manual, USGS PP 1395, for the Gauss sphere). X and Y are 0 at the origin.
class ObliqueMercator {
 public:
  // The sphere of an ellipsoid and origin latitude phi0 (radians); refused as
  // invalidGrid when its constants are no numbers (an origin at a pole).
  [[nodiscard]] static Outcome<ObliqueMercator, ConversionRefusal> make(const Ellipsoid& ellipsoid, double phi0);

  // Raw X and Y of the point dlam (longitude difference from the origin) and phi.
  [[nodiscard]] Projected OMXYZ(double dlam, double phi) const;

 private:
  ObliqueMercator() = default;

  double E3_ = 0;     // 1/e
  double R_ = 0;      // radius of the sphere, km
  double alpha_ = 0;  // sphere longitude per ellipsoid longitude
  double b0_ = 0;     // origin latitude on the sphere
  double K_ = 0;      // constant of the conformal latitude
  double sinb0_ = 0;
  double cosb0_ = 0;
  double eTerm_ = 0;  // alpha e / 2, formed as (alpha / (1/e)) / 2
};

}  // namespace velqora
