#pragma once

#include <cmath>

#include "geodesy/constants.h"
#include "geodesy/domain.h"
#include "geodesy/elementary.h"
#include "geodesy/projected.h"

namespace velqora {

// The two functions of latitude of the ellipsoidal Lambert conformal conic
// (Snyder, USGS PP 1395, eqs. 14-15 and 15-9), with E3 the inverse eccentricity 1/e.

// m(psi) = cos psi / sqrt(1 - e^2 sin^2 psi): the parallel's radius over a.
[[nodiscard]] inline double lambertM(double psi, double E3) {
  const SineCosine psiSinCos = velqora::sincos(psi);
  const double s = psiSinCos.sin;
  return psiSinCos.cos * E3 / std::sqrt(E3 * E3 - s * s);
}

// t(psi) = tan(pi/4 - psi/2) ((1 + e sin psi) / (1 - e sin psi))^(e/2).
[[nodiscard]] inline double lambertT(double psi, double E3) {
  const double s = velqora::sin(psi);
  return velqora::tan(PI / 4 - psi / 2) * velqora::pow((E3 + s) / (E3 - s), 1 / E3 / 2);
}

// A cone's constants for one ellipsoid, origin and standard parallels.
struct LambertCone {
  double E3 = 0;  // 1/e
  double n = 0;   // cone constant
  double F = 0;
  double rho0 = 0;  // radius of the origin parallel, km
  double aF = 0;    // a F, the factor of t^n in every radius

  // Every radius is a F t^n, and Y the difference of two of them: near a cylinder
  // (n -> 0: an origin near the equator, parallels nearly opposite) they grow as a/n
  // and their rounding, about 1e-16 a F, outgrows the 0.1 mm of the shown digits
  // (it reaches 0.1 mm at a F = 1e9 km). A cone whose a F exceeds this limit is no
  // grid the arithmetic can hold.
  static constexpr double RADIUS_FACTOR_LIMIT = 2e8;  // km

  [[nodiscard]] bool usable() const {
    return std::isfinite(n) && std::isfinite(F) && std::isfinite(rho0) && std::fabs(aF) <= RADIUS_FACTOR_LIMIT;
  }

  // The point on the cone: its radius rho = a F t(phi)^n and the angle n dlam about
  // the apex, with Y measured from the origin parallel.
  [[nodiscard]] Projected pointOnCone(double dlam, double phi) const {
    if (!latitudeInside(phi)) return ConversionRefusal::outsideArea;
    const double rho = aF * velqora::pow(lambertT(phi, E3), n);
    const double theta = n * dlam;
    const SineCosine thetaSinCos = velqora::sincos(theta);
    return finitePoint(rho * thetaSinCos.sin, rho0 - rho * thetaSinCos.cos);
  }
};

}  // namespace velqora
