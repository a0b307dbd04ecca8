#include "geodesy/oblique_mercator.h"

#include <cmath>

#include "geodesy/constants.h"
#include "geodesy/domain.h"
#include "geodesy/elementary.h"

namespace velqora {

Outcome<ObliqueMercator, ConversionRefusal> ObliqueMercator::make(const Ellipsoid& ellipsoid, double phi0) {
  if (!latitudeInside(phi0)) return ConversionRefusal::invalidGrid;
  const double a = ellipsoid.a;
  const double E3 = ellipsoid.inverseEccentricity;
  const double e2 = 1 / (E3 * E3);
  const SineCosine phi0SinCos = velqora::sincos(phi0);
  const double sinphi0 = phi0SinCos.sin;
  const double cosphi0 = phi0SinCos.cos;

  ObliqueMercator p;
  p.E3_ = E3;
  p.R_ = a * std::sqrt(1 - e2) / (1 - e2 * (sinphi0 * sinphi0));
  p.alpha_ = std::sqrt(1 + cosphi0 * cosphi0 * cosphi0 * cosphi0 / (E3 * E3 - 1));
  p.b0_ = velqora::atan(sinphi0 / std::sqrt(p.alpha_ * p.alpha_ - sinphi0 * sinphi0));
  p.K_ = velqora::log(velqora::tan(PI / 4 + p.b0_ / 2)) - p.alpha_ * velqora::log(velqora::tan(PI / 4 + phi0 / 2)) +
         p.alpha_ / E3 / 2 * velqora::log((E3 + sinphi0) / (E3 - sinphi0));
  const SineCosine b0SinCos = velqora::sincos(p.b0_);
  p.sinb0_ = b0SinCos.sin;
  p.cosb0_ = b0SinCos.cos;
  p.eTerm_ = p.alpha_ / E3 / 2;
  if (!finite(p.R_, p.alpha_) || !finite(p.b0_, p.K_)) return ConversionRefusal::invalidGrid;
  return p;
}

Projected ObliqueMercator::OMXYZ(double dlam, double phi) const {
  if (!latitudeInside(phi)) return ConversionRefusal::outsideArea;
  const double E3 = E3_;
  const double sinphi = velqora::sin(phi);
  const double S =
      alpha_ * velqora::log(velqora::tan(PI / 4 + phi / 2)) - eTerm_ * velqora::log((E3 + sinphi) / (E3 - sinphi)) + K_;
  const double b = 2 * (velqora::atan(velqora::exp(S)) - PI / 4);
  const double l = alpha_ * dlam;
  const SineCosine lSinCos = velqora::sincos(l);
  const double cosl = lSinCos.cos;
  // The denominator times cos b is the cosine of the spherical distance from the
  // origin: at 90 degrees of arc and beyond, the plain arctangent below would take
  // the wrong branch, so such a point lies outside.
  const double denominator = sinb0_ * velqora::tan(b) + cosb0_ * cosl;
  if (!(denominator > 0)) return ConversionRefusal::outsideArea;
  const double lbar = velqora::atan(lSinCos.sin / denominator);
  const SineCosine bSinCos = velqora::sincos(b);
  const double s = cosb0_ * bSinCos.sin - sinb0_ * bSinCos.cos * cosl;
  return finitePoint(R_ * lbar, R_ / 2 * velqora::log((1 + s) / (1 - s)));
}

}  // namespace velqora
