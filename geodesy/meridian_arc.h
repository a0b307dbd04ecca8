#pragma once

#include <array>

namespace velqora {

// ARCCOEF(i, j): row i belongs to the term in sin(2 i phi) (row 0 to phi itself),
// column j to e^(2j). The rational entries have power-of-two denominators.
using ArcCoefficients = std::array<std::array<double, 5>, 5>;
extern const ArcCoefficients ARCCOEF;

// Meridian distance in km from the equator to phi (radians), for the current EARTH.
[[nodiscard]] double FRMEQTR(double phi);

// Length in km of one arc-minute of meridian at phi, rounded to single precision.
[[nodiscard]] float LNGARCM(double phi);

}  // namespace velqora
