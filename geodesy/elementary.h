#pragma once

#include <cmath>

namespace velqora {

// The elementary functions of every formula, in one place, so that every build shows
// the same digits. Libraries differ in the last bit now and then (glibc against
// mingw-w64, and glibc itself with and without fused multiply-adds), and the derived
// values, a 10-arc-second difference of two projections, turn one such bit into a
// different last digit. On x86, 32-bit Windows and 64-bit Linux alike, the x87 unit
// computes each function in its 64-bit-mantissa format, rounded once to double: the
// same instructions give the same bits on both, and that rounding is the correctly
// rounded one more often than either library's. Elsewhere the standard library serves.
// Square roots are exact everywhere and stay std::sqrt.
#if (defined(__i386__) || defined(__x86_64__)) && defined(__GNUC__)

namespace x87 {

using Extended = long double;
static_assert(sizeof(Extended) >= 10, "the x87 extended format is expected");

// 2^t, the steps with the 64-bit mantissa whatever precision the caller set.
inline Extended exp2(Extended t) {
  unsigned short saved = 0;
  asm volatile("fnstcw %0" : "=m"(saved));
  const auto extended = static_cast<unsigned short>(saved | 0x0300);
  asm volatile("fldcw %0" : : "m"(extended));
  Extended r;
  // 2^t = 2^frac(t) * 2^int(t): f2xm1 takes |frac| <= 1, fscale is exact.
  asm("fld %%st(0)\n\tfrndint\n\tfsubr %%st, %%st(1)\n\tfxch\n\tf2xm1\n\tfld1\n\tfaddp\n\tfscale\n\tfstp %%st(1)"
      : "=t"(r)
      : "0"(t));
  asm volatile("fldcw %0" : : "m"(saved));
  return r;
}

}  // namespace x87

inline double sin(double x) {
  x87::Extended r;
  asm("fsin" : "=t"(r) : "0"(x87::Extended{x}));
  return static_cast<double>(r);
}
inline double cos(double x) {
  x87::Extended r;
  asm("fcos" : "=t"(r) : "0"(x87::Extended{x}));
  return static_cast<double>(r);
}
inline double tan(double x) {
  x87::Extended r;
  asm("fptan\n\tfstp %%st(0)" : "=t"(r) : "0"(x87::Extended{x}));  // fptan pushes a 1 after tan x
  return static_cast<double>(r);
}
inline double atan(double x) {
  x87::Extended r;
  asm("fld1\n\tfpatan" : "=t"(r) : "0"(x87::Extended{x}));
  return static_cast<double>(r);
}
inline double atan2(double y, double x) {
  x87::Extended r;
  asm("fpatan" : "=t"(r) : "0"(x87::Extended{x}), "u"(x87::Extended{y}) : "st(1)");
  return static_cast<double>(r);
}
inline double log(double x) {
  x87::Extended r;
  asm("fldln2\n\tfxch\n\tfyl2x" : "=t"(r) : "0"(x87::Extended{x}));  // ln 2 * log2 x
  return static_cast<double>(r);
}
inline double exp(double x) {
  if (!std::isfinite(x)) return std::exp(x);
  x87::Extended t;
  asm("fldl2e\n\tfmulp" : "=t"(t) : "0"(x87::Extended{x}));
  return static_cast<double>(x87::exp2(t));
}
// x^y for a positive finite x as 2^(y log2 x); the standard library's special cases
// (zero, negative and non-finite operands) otherwise.
inline double pow(double x, double y) {
  if (!(x > 0) || !std::isfinite(x) || !std::isfinite(y)) return std::pow(x, y);
  x87::Extended t;
  asm("fyl2x" : "=t"(t) : "0"(x87::Extended{x}), "u"(x87::Extended{y}) : "st(1)");
  return static_cast<double>(x87::exp2(t));
}

#else

inline double sin(double x) { return std::sin(x); }
inline double cos(double x) { return std::cos(x); }
inline double tan(double x) { return std::tan(x); }
inline double atan(double x) { return std::atan(x); }
inline double atan2(double y, double x) { return std::atan2(y, x); }
inline double log(double x) { return std::log(x); }
inline double exp(double x) { return std::exp(x); }
inline double pow(double x, double y) { return std::pow(x, y); }

#endif

}  // namespace velqora
