// Completing the reference ellipsoid from two of its four values (EARTHCUL's
// arithmetic; the window's side, which writes the fields, is window/earthcul.cpp).

#include "geodesy/ellipsoid_completion.h"

#include <cmath>

#include "geodesy/display.h"

namespace velqora {

namespace {

// a > b > 0, 1/f > 1, 1/e > 1, all finite: the values of a real, flattened ellipsoid.
bool realEllipsoid(const std::array<double, 4>& e) {
  for (double v : e)
    if (!std::isfinite(v)) return false;
  return e[1] > 0 && e[0] > e[1] && e[2] > 1 && e[3] > 1;
}

}  // namespace

std::array<double, 4> valuesOf(const Ellipsoid& e) { return {e.a, e.b, e.inverseFlattening, e.inverseEccentricity}; }

Ellipsoid ellipsoidOf(const std::array<double, 4>& values) { return {values[0], values[1], values[2], values[3]}; }

double valueOf(const Ellipsoid& e, EllipsoidValue which) { return valuesOf(e)[static_cast<std::size_t>(which)]; }

const char* refusalMessage(EllipsoidRefusal reason) {
  switch (reason) {
    case EllipsoidRefusal::noRadius:
      return "Please set a Radius.";
    case EllipsoidRefusal::radiusAlone:
      return "Please set two data of a Ellipsoid.";
    case EllipsoidRefusal::inconsistent:
      break;
  }
  return "The ellipsoid data are inconsistent.";
}

Outcome<CompletedEllipsoid, EllipsoidRefusal> completeEllipsoid(const Ellipsoid& given) {
  // The first pair of given values (both greater than 0) fixes the ellipsoid. Its
  // two derived values are formed in order, the second from the first where the
  // formula needs it.
  std::array<double, 4> e = valuesOf(given);
  double& a = e[0];
  double& b = e[1];
  double& rf = e[2];  // inverse flattening
  double& re = e[3];  // inverse eccentricity
  using V = EllipsoidValue;
  std::array<V, 2> derived{};
  if (a > 0 && b > 0) {
    rf = a / (a - b);
    re = a / std::sqrt(a * a - b * b);
    derived = {V::inverseFlattening, V::inverseEccentricity};
  } else if (a > 0 && rf > 0) {
    b = a - a / rf;
    re = rf / std::sqrt(2 * rf - 1);
    derived = {V::b, V::inverseEccentricity};
  } else if (a > 0 && re > 0) {
    rf = re / (re - std::sqrt(re * re - 1));
    b = a * std::sqrt(re * re - 1) / re;
    derived = {V::b, V::inverseFlattening};
  } else if (b > 0 && rf > 0) {
    a = b * rf / (rf - 1);
    re = rf / std::sqrt(2 * rf - 1);
    derived = {V::a, V::inverseEccentricity};
  } else if (b > 0 && re > 0) {
    rf = re / (re - std::sqrt(re * re - 1));
    a = b * re / std::sqrt(re * re - 1);
    derived = {V::a, V::inverseFlattening};
  } else {
    return !(a > 0) && !(b > 0) ? EllipsoidRefusal::noRadius : EllipsoidRefusal::radiusAlone;
  }
  if (!realEllipsoid(e)) return EllipsoidRefusal::inconsistent;
  return CompletedEllipsoid{ellipsoidOf(e), derived};
}

bool usableForConversion(const Ellipsoid& e) {
  for (double v : valuesOf(e))
    if (!std::isfinite(v)) return false;
  return e.a > 0 && e.b > 0 && e.inverseEccentricity > 1;
}

Outcome<Ellipsoid, EllipsoidRefusal> ellipsoidForConversion(const Ellipsoid& values, bool valueMissing) {
  Ellipsoid e = values;
  if (valueMissing) {
    const auto completed = completeEllipsoid(values);
    if (!completed) return completed.reason();
    e = completed->ellipsoid;
  }
  if (!usableForConversion(e)) return EllipsoidRefusal::inconsistent;
  return e;
}

std::string ellipsoidValueText(double value) { return unsignedText(value, 12); }

}  // namespace velqora
