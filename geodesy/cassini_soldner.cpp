#include <cmath>

#include "geodesy/elementary.h"
#include "geodesy/ellipsoid.h"
#include "geodesy/meridian_arc.h"
#include "geodesy/projections.h"

namespace velqora {

// Cassini-Soldner by the series in A = L cos(phi) (Snyder, Map Projections - A
// Working Manual, eqs. 13-7 and 13-8), the northing from the equator.
Domain CSXYZ(double dlam, double phi, double& X, double& Y) {
  if (!latitudeInside(phi) || !ellipsoidCompleted() || !std::isfinite(dlam)) return Domain::outside;
  const double a = EARTH[0];
  const double E3 = EARTH[3];
  const double L = dlam;

  const double sinPhi = velqora::sin(phi);
  const double cosPhi = velqora::cos(phi);
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
  const double y = (A2 / 2 + (5 - T + 6 * C) * A4 / 24) * velqora::tan(phi) * N + FRMEQTR(phi);
  if (!finite(x, y)) return Domain::outside;
  X = x;
  Y = y;
  return Domain::inside;
}

}  // namespace velqora
