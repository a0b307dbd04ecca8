#pragma once

// The parts the elementary functions share: rounding a double-double result to the
// nearest double when its error bound allows (the test of Ziv's strategy: a fast path
// whose result is kept only if every value within its error bound rounds alike, and
// a more precise path for the rare rest), the exponential and logarithm kernels that
// the power function combines, and the reduction of trigonometric arguments.

#include <bit>
#include <cstdint>
#include <optional>

#include "geodesy/double_double.h"

namespace velqora::elementary {

// The integer nearest x (ties to even), for |x| < 2^51.
constexpr double nearest(double x) {
  constexpr double SHIFT = 0x1.8p52;
  return (x + SHIFT) - SHIFT;
}

// 2^e for -1022 <= e <= 1023.
constexpr double powerOfTwo(int e) { return std::bit_cast<double>(static_cast<std::uint64_t>(e + 1023) << 52); }

// The double nearest hi + lo if it is the same for every value within err of it.
constexpr std::optional<double> roundIfSure(const DD& v, double err) {
  const double a = v.hi + (v.lo - err);
  const double b = v.hi + (v.lo + err);
  if (a != b) return std::nullopt;
  return a;
}

// The double nearest (m.hi + m.lo) 2^e, m.hi in [0.5, 4), subnormal and overflowing
// results included, if the same for every m within err of it.
std::optional<double> roundScaledIfSure(DD m, double err, int e);

// exp(t.hi + t.lo) = m 2^e for |t.hi| < 746, relative error below 2^-100 (the fast path
// is inline, in exponential_kernel.h).
struct Scaled {
  DD m;
  int e;
};
Scaled expAccurate(const DD& t);

// log x for a positive finite x (subnormal ones included), relative error below 2^-102
// (the fast path is inline, in logarithm_kernel.h).
DD logAccurate(double x);

// x = q pi/2 + r (q taken mod 4), |r| <= pi/4 + 2^-40, r within err of the exact value.
struct Reduced {
  DD r;
  int q;
  double err;
};
Reduced reduceFast(double x);
Reduced reduceAccurate(double x);

}  // namespace velqora::elementary
