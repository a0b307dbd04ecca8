#pragma once

#include <cmath>

namespace velqora {

[[nodiscard]] inline bool finite(double a, double b) { return std::isfinite(a) && std::isfinite(b); }

// Latitude strictly inside +-90 degrees (PI/2 of the program's PI); false for NaN.
[[nodiscard]] bool latitudeInside(double phi);

// Latitude at most 90 degrees from the equator (90 / DEGPRAD, the radians a typed 90
// degrees becomes), the poles included; false for NaN.
[[nodiscard]] bool latitudeReachesAtMostAPole(double phi);

// The latitude is one of the poles, 90 / DEGPRAD north or south.
[[nodiscard]] bool atAPole(double phi);

}  // namespace velqora
