#include "geodesy/oblique_stereographic.h"

#include <cmath>

#include "geodesy/constants.h"
#include "geodesy/domain.h"
#include "geodesy/elementary.h"

namespace velqora {

namespace {

// Isometric latitude of psi on the ellipsoid of inverse eccentricity E3.
double isometricLatitude(double psi, double E3) {
  const double s = velqora::sin(psi);
  return velqora::log(velqora::tan(PI / 4 + psi / 2)) - velqora::log((E3 + s) / (E3 - s)) / E3 / 2;
}

}  // namespace

Outcome<ObliqueStereographic, ConversionRefusal> ObliqueStereographic::make(const Ellipsoid& ellipsoid, double phi0) {
  if (!latitudeInside(phi0)) return ConversionRefusal::invalidGrid;
  const double a = ellipsoid.a;
  const double E3 = ellipsoid.inverseEccentricity;
  const SineCosine phi0SinCos = velqora::sincos(phi0);
  const double sinphi0 = phi0SinCos.sin;
  const double cosphi0 = phi0SinCos.cos;

  ObliqueStereographic p;
  p.E3_ = E3;
  const double N0 = a * E3 / std::sqrt(E3 * E3 - sinphi0 * sinphi0);
  const double M0 = N0 * (E3 * E3 - 1) / (E3 * E3 - sinphi0 * sinphi0);
  const double R = std::sqrt(N0 * M0);
  p.b0_ = velqora::atan(velqora::tan(phi0) * std::sqrt(M0 / N0));
  p.alpha_ = std::sqrt(1 + cosphi0 * cosphi0 * cosphi0 * cosphi0 / (E3 * E3 - 1));
  p.K_ = velqora::log(velqora::tan(PI / 4 + p.b0_ / 2)) - p.alpha_ * isometricLatitude(phi0, E3);
  p.twoR_ = 2 * R;
  const SineCosine b0SinCos = velqora::sincos(p.b0_);
  p.sinb0_ = b0SinCos.sin;
  p.cosb0_ = b0SinCos.cos;
  if (!finite(R, p.alpha_) || !finite(p.b0_, p.K_)) return ConversionRefusal::invalidGrid;
  return p;
}

Projected ObliqueStereographic::SCXYZ(double dlam, double phi) const {
  if (!latitudeInside(phi)) return ConversionRefusal::outsideArea;
  const double S = alpha_ * isometricLatitude(phi, E3_) + K_;
  const double b = 2 * velqora::atan(velqora::exp(S)) - PI / 2;
  const double l = alpha_ * dlam;
  const SineCosine lSinCos = velqora::sincos(l);
  const double sinl = lSinCos.sin;
  const double cosl = lSinCos.cos;
  const double cosb = velqora::cos(b);
  // At the origin itself both arguments are (nearly) 0; the azimuth is then
  // meaningless but harmless, because the radius below is 0 there.
  const double Az = velqora::atan2(sinl, velqora::tan(b) * cosb0_ - sinb0_ * cosl);
  const double sinhalfdb = velqora::sin((b - b0_) / 2);
  const double sinhalfl = velqora::sin(l / 2);
  const double h = sinhalfdb * sinhalfdb + sinhalfl * sinhalfl * cosb * cosb0_;
  // h = 1 at the antipode of the origin, which the stereographic sends to infinity.
  if (!(h < 1)) return ConversionRefusal::outsideArea;
  const double rho = twoR_ * std::sqrt(h / (1 - h));
  const SineCosine azSinCos = velqora::sincos(Az);
  return finitePoint(rho * azSinCos.sin, rho * azSinCos.cos);
}

}  // namespace velqora
