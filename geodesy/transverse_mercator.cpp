#include "geodesy/transverse_mercator.h"

#include <cmath>

#include "geodesy/constants.h"
#include "geodesy/domain.h"
#include "geodesy/elementary.h"

namespace velqora {

TransverseMercator::TransverseMercator(const Ellipsoid& ellipsoid)
    : a_(ellipsoid.a), E3_(ellipsoid.inverseEccentricity), arc_(ellipsoid.a, ellipsoid.inverseEccentricity) {}

Projected TransverseMercator::TMXYZ(double dlam, double phi) const {
  if (!latitudeInside(phi) || !std::isfinite(dlam)) return ConversionRefusal::outsideArea;
  const double a = a_;
  const double E3 = E3_;
  const double L = dlam;

  const SineCosine phiSinCos = velqora::sincos(phi);
  const double sinPhi = phiSinCos.sin;
  const double cosPhi = phiSinCos.cos;
  const double q = sinPhi / E3;
  const double N = a / std::sqrt(1 - q * q);
  const double S = arc_.FRMEQTR(phi);
  const double t = velqora::tan(phi);
  const double t2 = t * t;
  const double t4 = t2 * t2;
  const double eta2 = cosPhi * cosPhi / (E3 * E3 - 1);
  const double u = L * L * (cosPhi * cosPhi);

  const double x =
      N * L * cosPhi * (1 + (u / 6) * ((1 - t2 + eta2) + (u / 20) * (5 - 18 * t2 + t4 + 14 * eta2 - 58 * t2 * eta2)));
  const double y = S + (N * (L * L) / 2) * sinPhi * cosPhi *
                           (1 + (u / 12) * ((5 - t2 + 9 * eta2 + 4 * (eta2 * eta2)) +
                                            (u / 30) * (61 - 58 * t2 + t4 + 270 * eta2 - 330 * t2 * eta2)));
  return finitePoint(x, y);
}

}  // namespace velqora
