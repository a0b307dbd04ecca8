#include "geodesy/lambert_one_parallel.h"

namespace velqora {

Outcome<LambertOneParallel, ConversionRefusal> LambertOneParallel::make(const Ellipsoid& ellipsoid, double phi0) {
  if (!latitudeInside(phi0) || phi0 == 0) return ConversionRefusal::invalidGrid;
  const double a = ellipsoid.a;
  const double E3 = ellipsoid.inverseEccentricity;
  LambertCone c;
  c.E3 = E3;
  c.n = velqora::sin(phi0);
  const double t0 = lambertT(phi0, E3);
  c.F = (lambertM(phi0, E3) / c.n) / velqora::pow(t0, c.n);
  c.rho0 = a * c.F * velqora::pow(t0, c.n);
  c.aF = a * c.F;
  if (!c.usable()) return ConversionRefusal::invalidGrid;
  return LambertOneParallel(c);
}

}  // namespace velqora
