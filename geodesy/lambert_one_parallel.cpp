// Lambert conformal conic with one standard parallel, the origin latitude
// (projection code 4); Snyder, USGS PP 1395, eqs. 15-1 to 15-10.

#include <cmath>

#include "geodesy/elementary.h"
#include "geodesy/ellipsoid.h"
#include "geodesy/keyed_constants.h"
#include "geodesy/lambert_cone.h"
#include "geodesy/projections.h"

namespace velqora {

namespace {

LambertCone makeCone(const std::array<double, 3>& key) {
  const double a = key[0];
  const double E3 = key[1];
  const double phi0 = key[2];
  LambertCone c;
  c.n = velqora::sin(phi0);
  const double t0 = lambertT(phi0, E3);
  c.F = (lambertM(phi0, E3) / c.n) / velqora::pow(t0, c.n);
  c.rho0 = a * c.F * velqora::pow(t0, c.n);
  c.aF = a * c.F;
  c.finite = std::isfinite(c.n) && std::isfinite(c.F) && std::isfinite(c.rho0);
  return c;
}

thread_local KeyedConstants<3, LambertCone> coneCache;

}  // namespace

Domain LC1XYZ(double dlam, double phi, double phi0, double& X, double& Y) {
  const double a = EARTH[0];
  const double E3 = EARTH[3];
  if (!ellipsoidCompleted()) return Domain::outside;
  // The origin fixes the cone; one on the equator makes it a cylinder (n = 0): no
  // Lambert grid, whatever the point.
  if (!latitudeInside(phi0) || phi0 == 0) return Domain::invalidGrid;
  const LambertCone& c = coneCache.get({a, E3, phi0}, makeCone);
  if (!c.finite) return Domain::invalidGrid;
  if (!latitudeInside(phi)) return Domain::outside;

  return pointOnCone(c, dlam, phi, E3, X, Y);
}

}  // namespace velqora
