#include "geodesy/lambert_two_parallels.h"

#include <cmath>

namespace velqora {

namespace {

// Below this separation of the parallels (radians, about 3'26") the quotient of
// logarithms of ratios near 1 loses digits: its relative error in n grows as
// 1e-15 / separation, and Y moves by more than its own rounding. At this
// separation the two forms below differ by no more than the quotient's own
// rounding noise from one separation to the next, so the switch leaves no step.
constexpr double CLOSE_PARALLELS = 1e-3;

// log(1 + x) / x, accurate also for tiny x: w - 1 is the exact increment that
// log(w) sees (Goldberg's device), so the ratio keeps its full precision.
double log1pOverX(double x) {
  const double w = 1 + x;
  return w == 1 ? 1 : velqora::log(w) / (w - 1);
}

// n = (ln m1 - ln m2) / (ln t1 - ln t2) for close or equal parallels, without
// the cancellation. Each log of a ratio is log1p of a difference that is formed
// by the angle-difference identities, so it is a multiple of sin(h/2) known to
// full relative precision; the common factor sin(h/2) is divided out of both.
// At h = 0 this is the tangent cone's d ln m / d ln t (sin phi up to the
// program's PI in t), and it is continuous in phi1 and phi2 down to equality.
double coneConstantOfCloseParallels(double phi1, double phi2, double E3) {
  const double h = phi1 - phi2;
  const double mid = phi1 / 2 + phi2 / 2;
  const double sinHalf = velqora::sin(h / 2);
  const double s1 = velqora::sin(phi1);
  const double s2 = velqora::sin(phi2);
  // cos phi1 / cos phi2 = 1 - 2 sin mid sin(h/2) / cos phi2
  const double cosRatio = -2 * velqora::sin(mid) / velqora::cos(phi2);
  // (1 - e^2 s1^2) / (1 - e^2 s2^2) = 1 - sin(phi1 + phi2) sin h / ((1/e)^2 - s2^2)
  const double radiusRatio = -2 * velqora::sin(phi1 + phi2) * velqora::cos(h / 2) / (E3 * E3 - s2 * s2);
  // tan b1 / tan b2 = 1 + sin(b1 - b2) / (cos b1 sin b2), b = PI/4 - phi/2
  const double tanRatio = -1 / (velqora::cos(PI / 4 - phi1 / 2) * velqora::sin(PI / 4 - phi2 / 2));
  // ((1/e + s1)(1/e - s2)) / ((1/e - s1)(1/e + s2)) = 1 + 2 (1/e) (s1 - s2) / ((1/e - s1)(1/e + s2))
  const double eRatio = 4 * E3 * velqora::cos(mid) / ((E3 - s1) * (E3 + s2));
  const double lnM = cosRatio * log1pOverX(cosRatio * sinHalf) - radiusRatio / 2 * log1pOverX(radiusRatio * sinHalf);
  const double lnT = tanRatio * log1pOverX(tanRatio * sinHalf) + eRatio / (2 * E3) * log1pOverX(eRatio * sinHalf);
  return lnM / lnT;
}

}  // namespace

Outcome<LambertTwoParallels, ConversionRefusal> LambertTwoParallels::make(const Ellipsoid& ellipsoid, double phi0,
                                                                          double phi1, double phi2) {
  if (!latitudeReachesAtMostAPole(phi0) || !latitudeInside(phi1) || !latitudeInside(phi2))
    return ConversionRefusal::invalidGrid;
  // Opposite parallels make the cone a cylinder (n = 0).
  if (phi1 == -phi2) return ConversionRefusal::invalidGrid;
  const double a = ellipsoid.a;
  const double E3 = ellipsoid.inverseEccentricity;
  const double e2 = 1 / (E3 * E3);
  const double s1 = velqora::sin(phi1);
  const double s2 = velqora::sin(phi2);
  LambertCone c;
  c.E3 = E3;
  if (std::abs(phi1 - phi2) < CLOSE_PARALLELS)
    c.n = coneConstantOfCloseParallels(phi1, phi2, E3);
  else
    c.n = velqora::log(1 / std::sqrt(1 - e2 * (s1 * s1)) / (1 / std::sqrt(1 - e2 * (s2 * s2))) * velqora::cos(phi1) /
                       velqora::cos(phi2)) /
          velqora::log(lambertT(phi1, E3) / lambertT(phi2, E3));
  c.F = (lambertM(phi1, E3) / c.n) / velqora::pow(lambertT(phi1, E3), c.n);
  // An origin at the pole that is the cone's apex (the pole on the side of n) has radius
  // 0, where t(phi0)^n is 0; at the other pole the origin lies at infinity.
  if (atAPole(phi0) && (phi0 > 0) != (c.n > 0)) return ConversionRefusal::invalidGrid;
  c.rho0 = atAPole(phi0) ? 0 : a * c.F * velqora::pow(lambertT(phi0, E3), c.n);
  c.aF = a * c.F;
  if (!c.usable()) return ConversionRefusal::invalidGrid;
  return LambertTwoParallels(c);
}

}  // namespace velqora
