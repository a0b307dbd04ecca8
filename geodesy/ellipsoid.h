#pragma once

namespace velqora {

// A reference ellipsoid by its four values. Any two fix the other two (EARTHCUL's
// completion, ellipsoid_completion.h); until then a value not greater than 0 stands
// for "not given", as an empty field reads as 0. The projections read only a and 1/e.
struct Ellipsoid {
  double a = 0;                    // equatorial radius, km
  double b = 0;                    // polar radius, km
  double inverseFlattening = 0;    // 1/f = a / (a - b)
  double inverseEccentricity = 0;  // 1/e = a / sqrt(a^2 - b^2)
};

}  // namespace velqora
