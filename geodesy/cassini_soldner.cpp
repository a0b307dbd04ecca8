#include "geodesy/cassini_soldner.h"

#include <cmath>

#include "geodesy/constants.h"
#include "geodesy/domain.h"
#include "geodesy/elementary.h"

namespace velqora {

CassiniSoldner::CassiniSoldner(const Ellipsoid& ellipsoid)
    : a_(ellipsoid.a), E3_(ellipsoid.inverseEccentricity), arc_(ellipsoid.a, ellipsoid.inverseEccentricity) {}

Projected CassiniSoldner::CSXYZ(double dlam, double phi) const {
  if (!latitudeInside(phi) || !std::isfinite(dlam)) return ConversionRefusal::outsideArea;
  const double a = a_;
  const double E3 = E3_;
  const double L = dlam;

  const SineCosine phiSinCos = velqora::sincos(phi);
  const double sinPhi = phiSinCos.sin;
  const double cosPhi = phiSinCos.cos;
  const double N = a * E3 / std::sqrt(E3 * E3 - sinPhi * sinPhi);
  const double A = L * cosPhi;
  const double tanPhi = velqora::tan(phi);
  const double T = tanPhi * tanPhi;
  const double C = cosPhi * cosPhi / (E3 * E3 - 1);
  const double A2 = A * A;
  const double A3 = A2 * A;
  const double A4 = A2 * A2;
  const double A5 = A4 * A;

  const double x = (A - T * A3 / 6 - (8 - T + 8 * C) * T * A5 / 120) * N;
  // tan phi again, not taken from T: the same value as tanPhi, which stands for it.
  const double y = (A2 / 2 + (5 - T + 6 * C) * A4 / 24) * tanPhi * N + arc_.FRMEQTR(phi);
  return finitePoint(x, y);
}

}  // namespace velqora
