#pragma once

#include <cmath>

namespace velqora {

// An ellipsoid the projection formulas can work with: a finite positive equatorial
// radius a (km) and a finite inverse eccentricity 1/e above 1 (e below 1).
[[nodiscard]] inline bool usableEllipsoid(double a, double inverseE) {
  return std::isfinite(a) && a > 0 && std::isfinite(inverseE) && inverseE > 1;
}

}  // namespace velqora
