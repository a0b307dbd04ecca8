// Oblique Mercator (projection code 2): the ellipsoid is mapped conformally onto
// the Gauss sphere fitted at the origin latitude, and the sphere by a Mercator
// projection whose central line is the great circle through the origin at right
// angles to its meridian (the "Swiss" form, Rosenmund 1903; see also Snyder,
// Map Projections - A Working Manual, USGS PP 1395, for the Gauss sphere).

#include <cmath>

#include "geodesy/constants.h"
#include "geodesy/elementary.h"
#include "geodesy/ellipsoid.h"
#include "geodesy/keyed_constants.h"
#include "geodesy/projections.h"

namespace velqora {

namespace {

// The sphere's constants for one ellipsoid and origin latitude.
struct ObliqueMercatorSphere {
  double R = 0;       // radius of the sphere, km
  double alpha = 0;   // sphere longitude per ellipsoid longitude
  double b0 = 0;      // origin latitude on the sphere
  double K = 0;       // constant of the conformal latitude
  double sinb0 = 0;
  double cosb0 = 0;
  double eTerm = 0;   // alpha e / 2, formed as (alpha / (1/e)) / 2
  bool finite = false;
};

ObliqueMercatorSphere makeSphere(const std::array<double, 3>& key) {
  const double a = key[0];
  const double E3 = key[1];
  const double phi0 = key[2];
  const double e2 = 1 / (E3 * E3);
  const double sinphi0 = velqora::sin(phi0);
  const double cosphi0 = velqora::cos(phi0);

  ObliqueMercatorSphere c;
  c.R = a * std::sqrt(1 - e2) / (1 - e2 * (sinphi0 * sinphi0));
  c.alpha = std::sqrt(1 + cosphi0 * cosphi0 * cosphi0 * cosphi0 / (E3 * E3 - 1));
  c.b0 = velqora::atan(sinphi0 / std::sqrt(c.alpha * c.alpha - sinphi0 * sinphi0));
  c.K = velqora::log(velqora::tan(PI / 4 + c.b0 / 2)) - c.alpha * velqora::log(velqora::tan(PI / 4 + phi0 / 2)) +
        c.alpha / E3 / 2 * velqora::log((E3 + sinphi0) / (E3 - sinphi0));
  c.sinb0 = velqora::sin(c.b0);
  c.cosb0 = velqora::cos(c.b0);
  c.eTerm = c.alpha / E3 / 2;
  c.finite = std::isfinite(c.R) && std::isfinite(c.alpha) && std::isfinite(c.b0) && std::isfinite(c.K);
  return c;
}

thread_local KeyedConstants<3, ObliqueMercatorSphere> sphereCache;

}  // namespace

Domain OMXYZ(double dlam, double phi, double phi0, double& X, double& Y) {
  const double a = EARTH[0];
  const double E3 = EARTH[3];
  if (!ellipsoidCompleted()) return Domain::outside;
  // The origin latitude fixes the sphere: without one no point has coordinates.
  if (!latitudeInside(phi0)) return Domain::invalidGrid;
  const ObliqueMercatorSphere& c = sphereCache.get({a, E3, phi0}, makeSphere);
  if (!c.finite) return Domain::invalidGrid;
  if (!latitudeInside(phi)) return Domain::outside;

  const double sinphi = velqora::sin(phi);
  const double S = c.alpha * velqora::log(velqora::tan(PI / 4 + phi / 2)) -
                   c.eTerm * velqora::log((E3 + sinphi) / (E3 - sinphi)) + c.K;
  const double b = 2 * (velqora::atan(velqora::exp(S)) - PI / 4);
  const double l = c.alpha * dlam;
  const double cosl = velqora::cos(l);
  // The denominator times cos b is the cosine of the spherical distance from the
  // origin: at 90 degrees of arc and beyond, the plain arctangent below would take
  // the wrong branch, so such a point lies outside.
  const double denominator = c.sinb0 * velqora::tan(b) + c.cosb0 * cosl;
  if (!(denominator > 0)) return Domain::outside;
  const double lbar = velqora::atan(velqora::sin(l) / denominator);
  const double s = c.cosb0 * velqora::sin(b) - c.sinb0 * velqora::cos(b) * cosl;
  const double x = c.R * lbar;
  const double y = c.R / 2 * velqora::log((1 + s) / (1 - s));
  if (!finite(x, y)) return Domain::outside;
  X = x;
  Y = y;
  return Domain::inside;
}

}  // namespace velqora
