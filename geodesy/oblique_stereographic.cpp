// Oblique stereographic (projection code 6): the ellipsoid is mapped conformally
// onto the Gauss sphere fitted at the origin latitude, and the sphere projected
// from the point opposite the origin onto the plane touching it at the origin
// (the "double" stereographic; Thomas, Conformal Projections in Geodesy and
// Cartography, USC&GS SP 251).

#include <cmath>

#include "geodesy/constants.h"
#include "geodesy/elementary.h"
#include "geodesy/ellipsoid.h"
#include "geodesy/keyed_constants.h"
#include "geodesy/projections.h"

namespace velqora {

namespace {

// Isometric latitude of psi on the ellipsoid of inverse eccentricity E3.
double isometricLatitude(double psi, double E3) {
  const double s = velqora::sin(psi);
  return velqora::log(velqora::tan(PI / 4 + psi / 2)) - velqora::log((E3 + s) / (E3 - s)) / E3 / 2;
}

// The sphere's constants for one ellipsoid and origin latitude.
struct StereographicSphere {
  double R = 0;      // radius of the sphere, km
  double twoR = 0;   // 2 R
  double alpha = 0;  // sphere longitude per ellipsoid longitude
  double b0 = 0;     // origin latitude on the sphere
  double K = 0;      // constant of the conformal latitude
  double sinb0 = 0;
  double cosb0 = 0;
  bool finite = false;
};

StereographicSphere makeSphere(const std::array<double, 3>& key) {
  const double a = key[0];
  const double E3 = key[1];
  const double phi0 = key[2];
  const double sinphi0 = velqora::sin(phi0);
  const double cosphi0 = velqora::cos(phi0);

  StereographicSphere c;
  const double N0 = a * E3 / std::sqrt(E3 * E3 - sinphi0 * sinphi0);
  const double M0 = N0 * (E3 * E3 - 1) / (E3 * E3 - sinphi0 * sinphi0);
  c.R = std::sqrt(N0 * M0);
  c.b0 = velqora::atan(velqora::tan(phi0) * std::sqrt(M0 / N0));
  c.alpha = std::sqrt(1 + cosphi0 * cosphi0 * cosphi0 * cosphi0 / (E3 * E3 - 1));
  c.K = velqora::log(velqora::tan(PI / 4 + c.b0 / 2)) - c.alpha * isometricLatitude(phi0, E3);
  c.twoR = 2 * c.R;
  c.sinb0 = velqora::sin(c.b0);
  c.cosb0 = velqora::cos(c.b0);
  c.finite = std::isfinite(c.R) && std::isfinite(c.alpha) && std::isfinite(c.b0) && std::isfinite(c.K);
  return c;
}

thread_local KeyedConstants<3, StereographicSphere> sphereCache;

}  // namespace

Domain SCXYZ(double dlam, double phi, double phi0, double& X, double& Y) {
  const double a = EARTH[0];
  const double E3 = EARTH[3];
  if (!ellipsoidCompleted()) return Domain::outside;
  // The origin latitude fixes the sphere: without one no point has coordinates.
  if (!latitudeInside(phi0)) return Domain::invalidGrid;
  const StereographicSphere& c = sphereCache.get({a, E3, phi0}, makeSphere);
  if (!c.finite) return Domain::invalidGrid;
  if (!latitudeInside(phi)) return Domain::outside;

  const double S = c.alpha * isometricLatitude(phi, E3) + c.K;
  const double b = 2 * velqora::atan(velqora::exp(S)) - PI / 2;
  const double l = c.alpha * dlam;
  const double sinl = velqora::sin(l);
  const double cosl = velqora::cos(l);
  const double cosb = velqora::cos(b);
  // At the origin itself both arguments are (nearly) 0; the azimuth is then
  // meaningless but harmless, because the radius below is 0 there.
  const double Az = velqora::atan2(sinl, velqora::tan(b) * c.cosb0 - c.sinb0 * cosl);
  const double sinhalfdb = velqora::sin((b - c.b0) / 2);
  const double sinhalfl = velqora::sin(l / 2);
  const double h = sinhalfdb * sinhalfdb + sinhalfl * sinhalfl * cosb * c.cosb0;
  // h = 1 at the antipode of the origin, which the stereographic sends to infinity.
  if (!(h < 1)) return Domain::outside;
  const double rho = c.twoR * std::sqrt(h / (1 - h));
  const double x = rho * velqora::sin(Az);
  const double y = rho * velqora::cos(Az);
  if (!finite(x, y)) return Domain::outside;
  X = x;
  Y = y;
  return Domain::inside;
}

}  // namespace velqora
