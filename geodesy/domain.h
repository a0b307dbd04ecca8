#pragma once

#include <cmath>

namespace velqora {

// How a projection answers a request: with coordinates; with the word that the
// point lies outside the area its formulas cover (a pole, the antipode...); or with
// the word that the grid's own values (origin latitude, standard parallels) define no
// projection, so that no point at all has coordinates. The projections and the
// dispatcher report this way; on anything but Domain::inside they have written no
// output.
enum class [[nodiscard]] Domain { inside, outside, invalidGrid };

[[nodiscard]] inline bool finite(double a, double b) { return std::isfinite(a) && std::isfinite(b); }

// Latitude strictly inside +-90 degrees (PI/2 of the program's PI); false for NaN.
[[nodiscard]] bool latitudeInside(double phi);

// EARTH holds a completed ellipsoid as far as the projections read it:
// a finite radius a > 0 and a finite inverse eccentricity 1/e > 1.
[[nodiscard]] bool ellipsoidCompleted();

}  // namespace velqora
