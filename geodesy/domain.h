#pragma once

#include <cmath>

namespace velqora {

[[nodiscard]] inline bool finite(double a, double b) { return std::isfinite(a) && std::isfinite(b); }

// Latitude strictly inside +-90 degrees (PI/2 of the program's PI); false for NaN.
[[nodiscard]] bool latitudeInside(double phi);

}  // namespace velqora
