#pragma once

namespace velqora {

// The program's one value of pi: the ten-decimal 3.1415926536, not full-precision pi.
// Every degree/radian conversion goes through DEGPRAD so that a value converted
// there and back is unchanged up to rounding.
inline constexpr double PI = 3.1415926536;
inline constexpr double DEGPRAD = 180.0 / PI;  // degrees per radian

}  // namespace velqora
