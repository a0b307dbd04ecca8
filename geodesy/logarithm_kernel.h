#pragma once

// The logarithm's fast path: x = 2^e m, m in [1, 2); m times an 8-bit reciprocal c of its
// table interval's centre is 1 + r with |r| < 1.5 2^-8, exactly in one double, and
// log x = e ln2 - log c + log(1 + r), log(1 + r) from its Taylor polynomial. Near 1,
// r = x - 1 directly, so that a small result never comes from terms that cancel.
// Inline, as it is the inner loop of log and pow.

#include <bit>
#include <cstdint>

#include "geodesy/double_double.h"
#include "geodesy/elementary_constants.h"
#include "geodesy/elementary_kernels.h"

namespace velqora::elementary {

struct LogReduction {
  double e;
  DD table;  // -log c, and -ln 2 with it above sqrt 2
  double r;  // m c - 1, exact
};

inline LogReduction logReduce(double x) {
  if (x > 1 - 0x1p-8 && x < 1 + 0x1p-8) return {0, {0, 0}, x - 1};  // x - 1 exact (Sterbenz)
  std::uint64_t bits = std::bit_cast<std::uint64_t>(x);
  int e = -1023;
  if (bits < (std::uint64_t{1} << 52)) {  // subnormal
    bits = std::bit_cast<std::uint64_t>(x * 0x1p54);
    e -= 54;
  }
  e += static_cast<int>(bits >> 52);
  const int i = static_cast<int>((bits >> 45) & 127);
  if (i >= LOG_FOLD) ++e;
  // m c 2^60 - 2^60 in integers: m's 53-bit integer times an 8-bit one, exact, and the
  // difference below 2^53, so converting it to double is exact too.
  const std::int64_t M = static_cast<std::int64_t>((bits & 0x000fffffffffffffu) | 0x0010000000000000u);
  const std::int64_t d = M * LOG_INVERSE_256[i] - (std::int64_t{1} << 60);
  return {static_cast<double>(e), LOG_TABLE[i], static_cast<double>(d) * 0x1p-60};
}

// log x for a positive finite x (subnormal ones included), relative error below 2^-69.
inline DD logFast(double x) {
  const LogReduction red = logReduce(x);
  const double r = red.r;
  const DD sq = dd::twoProduct(r, r);
  // r^3 (1/3 - r/4 + ...), within 2^-86 of the rest of the series.
  const double r2 = sq.hi;
  const double r4 = r2 * r2;
  const double poly =
      ((LOG_TAYLOR[3].hi + r * LOG_TAYLOR[4].hi) + r2 * (LOG_TAYLOR[5].hi + r * LOG_TAYLOR[6].hi)) +
      r4 * ((LOG_TAYLOR[7].hi + r * LOG_TAYLOR[8].hi) + r2 * (LOG_TAYLOR[9].hi + r * LOG_TAYLOR[10].hi));
  const double tail = r * r2 * poly;
  // e ln2 + table + (r - r^2/2): the large terms summed exactly, the small ones after as
  // a tree, which shortens the chain of dependent additions.
  const DD u = dd::fastTwoSum(r, -0.5 * sq.hi);
  const DD a = dd::twoSum(red.e * LOG_LN2[0], red.table.hi);
  const DD b = dd::twoSum(a.hi, u.hi);
  const double lo = ((a.lo + b.lo) + (red.e * LOG_LN2[1] + red.table.lo)) + ((u.lo - 0.5 * sq.lo) + tail);
  return dd::fastTwoSum(b.hi, lo);
}

}  // namespace velqora::elementary
