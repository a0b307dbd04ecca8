#include <cmath>

#include "geodesy/elementary.h"
#include "geodesy/ellipsoid.h"
#include "geodesy/meridian_arc.h"
#include "geodesy/projections.h"

namespace velqora {

// Gauss-Krueger series of the Transverse Mercator in powers of the longitude
// difference, to L^5 in X and L^6 in Y (e.g. Snyder, Map Projections - A Working
// Manual, eqs. 8-9 and 8-10, with k0 = 1 and the northing from the equator).
Domain TMXYZ(double dlam, double phi, double& X, double& Y) {
  if (!latitudeInside(phi) || !ellipsoidCompleted() || !std::isfinite(dlam)) return Domain::outside;
  const double a = EARTH[0];
  const double E3 = EARTH[3];
  const double L = dlam;

  const double sinPhi = velqora::sin(phi);
  const double cosPhi = velqora::cos(phi);
  const double q = sinPhi / E3;
  const double N = a / std::sqrt(1 - q * q);
  const double S = FRMEQTR(phi);
  const double t = velqora::tan(phi);
  const double t2 = t * t;
  const double t4 = t2 * t2;
  const double eta2 = cosPhi * cosPhi / (E3 * E3 - 1);
  const double u = L * L * (cosPhi * cosPhi);

  const double x = N * L * cosPhi *
                   (1 + (u / 6) * ((1 - t2 + eta2) + (u / 20) * (5 - 18 * t2 + t4 + 14 * eta2 - 58 * t2 * eta2)));
  const double y = S + (N * (L * L) / 2) * sinPhi * cosPhi *
                           (1 + (u / 12) * ((5 - t2 + 9 * eta2 + 4 * (eta2 * eta2)) +
                                            (u / 30) * (61 - 58 * t2 + t4 + 270 * eta2 - 330 * t2 * eta2)));
  if (!finite(x, y)) return Domain::outside;
  X = x;
  Y = y;
  return Domain::inside;
}

}  // namespace velqora
