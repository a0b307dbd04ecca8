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
  const double sinphi0 = velqora::sin(phi0);
  const double cosphi0 = velqora::cos(phi0);

  ObliqueMercator p;
  p.E3_ = E3;
  p.R_ = a * std::sqrt(1 - e2) / (1 - e2 * (sinphi0 * sinphi0));
  p.alpha_ = std::sqrt(1 + cosphi0 * cosphi0 * cosphi0 * cosphi0 / (E3 * E3 - 1));
  p.b0_ = velqora::atan(sinphi0 / std::sqrt(p.alpha_ * p.alpha_ - sinphi0 * sinphi0));
  p.K_ = velqora::log(velqora::tan(PI / 4 + p.b0_ / 2)) - p.alpha_ * velqora::log(velqora::tan(PI / 4 + phi0 / 2)) +
         p.alpha_ / E3 / 2 * velqora::log((E3 + sinphi0) / (E3 - sinphi0));
  p.sinb0_ = velqora::sin(p.b0_);
  p.cosb0_ = velqora::cos(p.b0_);
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
  const double cosl = velqora::cos(l);
  // The denominator times cos b is the cosine of the spherical distance from the
  // origin: at 90 degrees of arc and beyond, the plain arctangent below would take
  // the wrong branch, so such a point lies outside.
  const double denominator = sinb0_ * velqora::tan(b) + cosb0_ * cosl;
  if (!(denominator > 0)) return ConversionRefusal::outsideArea;
  const double lbar = velqora::atan(velqora::sin(l) / denominator);
  const double s = cosb0_ * velqora::sin(b) - sinb0_ * velqora::cos(b) * cosl;
  return finitePoint(R_ * lbar, R_ / 2 * velqora::log((1 + s) / (1 - s)));
}

}  // namespace velqora
