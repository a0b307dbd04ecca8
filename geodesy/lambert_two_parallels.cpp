// Lambert conformal conic with two standard parallels (projection code 3), the
// origin latitude given apart from them; Snyder, USGS PP 1395, eqs. 15-1 to 15-10.

#include <cmath>

#include "geodesy/elementary.h"
#include "geodesy/ellipsoid.h"
#include "geodesy/keyed_constants.h"
#include "geodesy/lambert_cone.h"
#include "geodesy/projections.h"

namespace velqora {

namespace {

LambertCone makeCone(const std::array<double, 5>& key) {
  const double a = key[0];
  const double E3 = key[1];
  const double phi0 = key[2];
  const double phi1 = key[3];
  const double phi2 = key[4];
  const double e2 = 1 / (E3 * E3);
  const double s1 = velqora::sin(phi1);
  const double s2 = velqora::sin(phi2);
  LambertCone c;
  c.n = velqora::log(1 / std::sqrt(1 - e2 * (s1 * s1)) / (1 / std::sqrt(1 - e2 * (s2 * s2))) * velqora::cos(phi1) /
                 velqora::cos(phi2)) /
        velqora::log(lambertT(phi1, E3) / lambertT(phi2, E3));
  c.F = (lambertM(phi1, E3) / c.n) / velqora::pow(lambertT(phi1, E3), c.n);
  c.rho0 = a * c.F * velqora::pow(lambertT(phi0, E3), c.n);
  c.aF = a * c.F;
  c.finite = std::isfinite(c.n) && std::isfinite(c.F) && std::isfinite(c.rho0);
  return c;
}

thread_local KeyedConstants<5, LambertCone> coneCache;

}  // namespace

Domain LC2XYZ(double dlam, double phi, double phi0, double phi1, double phi2, double& X, double& Y) {
  const double a = EARTH[0];
  const double E3 = EARTH[3];
  if (!ellipsoidCompleted() || !latitudeInside(phi) || !latitudeInside(phi0) || !latitudeInside(phi1) ||
      !latitudeInside(phi2))
    return Domain::outside;
  // Equal parallels leave the cone undetermined (0/0), opposite ones make it a
  // cylinder (n = 0).
  if (phi1 == phi2 || phi1 == -phi2) return Domain::outside;
  const LambertCone& c = coneCache.get({a, E3, phi0, phi1, phi2}, makeCone);
  if (!c.finite) return Domain::outside;

  return pointOnCone(c, dlam, phi, E3, X, Y);
}

}  // namespace velqora
