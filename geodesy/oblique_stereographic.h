#pragma once

#include "geodesy/ellipsoid.h"
#include "geodesy/outcome.h"
#include "geodesy/projected.h"

namespace velqora {

// Oblique stereographic (projection code 6): the ellipsoid is mapped conformally onto
// the Gauss sphere fitted at the origin latitude, and the sphere projected from the
// point opposite the origin onto the plane touching it at the origin (the "double"
// stereographic; Thomas, Conformal Projections in Geodesy and Cartography, USC&GS
// SP 251). X and Y are 0 at the origin.
class ObliqueStereographic {
 public:
  // The sphere of an ellipsoid and origin latitude phi0 (radians); refused as
  // invalidGrid when its constants are no numbers (an origin at a pole).
  [[nodiscard]] static Outcome<ObliqueStereographic, ConversionRefusal> make(const Ellipsoid& ellipsoid, double phi0);

  // Raw X and Y of the point dlam (longitude difference from the origin) and phi.
  [[nodiscard]] Projected SCXYZ(double dlam, double phi) const;

 private:
  ObliqueStereographic() = default;

  double E3_ = 0;     // 1/e
  double twoR_ = 0;   // twice the radius of the sphere, km
  double alpha_ = 0;  // sphere longitude per ellipsoid longitude
  double b0_ = 0;     // origin latitude on the sphere
  double K_ = 0;      // constant of the conformal latitude
  double sinb0_ = 0;
  double cosb0_ = 0;
};

}  // namespace velqora
