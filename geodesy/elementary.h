#pragma once

#include <cfloat>
#include <cmath>

namespace velqora {

// The elementary functions of every formula, in one place so that the 32-bit Windows
// program shows the same digits as the Linux one. mingw-w64's double functions miss
// glibc's result in the last bit far more often (tan for about a quarter of all
// arguments, atan for 3%), and the derived values, a 10-arc-second difference of two
// projections, turn one such bit into a different last digit. Its x87 long double
// functions rounded to double agree with glibc all but a few times in a thousand.
// Linux keeps glibc's double functions: they are many times faster than long double
// ones there. Square roots are exact everywhere and stay std::sqrt.
#if defined(__MINGW32__)
static_assert(LDBL_MANT_DIG == 64, "the x87 extended format is expected");
using Elementary = long double;
#else
using Elementary = double;
#endif

inline double sin(double x) { return static_cast<double>(std::sin(Elementary{x})); }
inline double cos(double x) { return static_cast<double>(std::cos(Elementary{x})); }
inline double tan(double x) { return static_cast<double>(std::tan(Elementary{x})); }
inline double atan(double x) { return static_cast<double>(std::atan(Elementary{x})); }
inline double atan2(double y, double x) { return static_cast<double>(std::atan2(Elementary{y}, Elementary{x})); }
inline double exp(double x) { return static_cast<double>(std::exp(Elementary{x})); }
inline double log(double x) { return static_cast<double>(std::log(Elementary{x})); }
inline double pow(double x, double y) { return static_cast<double>(std::pow(Elementary{x}, Elementary{y})); }

}  // namespace velqora
