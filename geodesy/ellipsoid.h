#pragma once

#include <array>

namespace velqora {

class Form;

// The reference ellipsoid: a (km), b (km), inverse flattening, inverse eccentricity.
// Before EARTHCUL a value not greater than 0 stands for "not given".
inline std::array<double, 4> EARTH{};

// Completes EARTH from the first usable pair of its values and writes the two
// derived values into their fields; shows a message and sets status to 0 when no
// pair is given or the pair fixes no real ellipsoid.
void EARTHCUL(Form& form, int& status);

}  // namespace velqora
