#pragma once

// The logarithm's fast path: x = 2^e m, m in [1, 2); m times a short reciprocal c of its
// table interval's centre is 1 + r with |r| <= 2^-8, exactly as a double-double, and
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
  DD r;      // m c - 1, exact
};

inline LogReduction logReduce(double x) {
  if (x > 1 - 0x1p-8 && x < 1 + 0x1p-8) return {0, {0, 0}, {x - 1, 0}};  // x - 1 exact (Sterbenz)
  std::uint64_t bits = std::bit_cast<std::uint64_t>(x);
  int e = -1023;
  if (bits < (std::uint64_t{1} << 52)) {  // subnormal
    bits = std::bit_cast<std::uint64_t>(x * 0x1p54);
    e -= 54;
  }
  e += static_cast<int>(bits >> 52);
  const int i = static_cast<int>((bits >> 45) & 127);
  const double m = std::bit_cast<double>((bits & 0x000fffffffffffffu) | 0x3ff0000000000000u);
  if (i >= LOG_FOLD) ++e;
  const DD p = dd::shortProduct(LOG_INVERSE[i], m);
  return {static_cast<double>(e), LOG_TABLE[i], dd::fastTwoSum(p.hi - 1, p.lo)};  // p.hi - 1 exact
}

// log x for a positive finite x (subnormal ones included), relative error below 2^-69.
inline DD logFast(double x) {
  const LogReduction red = logReduce(x);
  const double rh = red.r.hi;
  const DD sq = dd::twoProduct(rh, rh);
  // r^3 (1/3 - r/4 + ...), within 2^-83 of the rest of the series.
  const double r2 = sq.hi;
  const double r4 = r2 * r2;
  const double poly = (LOG_TAYLOR[3].hi + rh * LOG_TAYLOR[4].hi) + r2 * (LOG_TAYLOR[5].hi + rh * LOG_TAYLOR[6].hi) +
                      r4 * ((LOG_TAYLOR[7].hi + rh * LOG_TAYLOR[8].hi) + r2 * LOG_TAYLOR[9].hi);
  const double tail = rh * r2 * poly;
  // e ln2 + table + r - r^2/2: the large terms summed exactly, the small ones after.
  const DD a = dd::twoSum(red.e * LOG_LN2[0], red.table.hi);
  const DD b = dd::twoSum(a.hi, rh);
  const DD c = dd::twoSum(b.hi, -0.5 * sq.hi);
  // Summed as a tree, which shortens the chain of dependent additions.
  const double lo = ((a.lo + b.lo) + (c.lo + red.e * LOG_LN2[1])) +
                    ((red.table.lo + (red.r.lo - rh * red.r.lo)) + (tail - 0.5 * sq.lo));
  return dd::fastTwoSum(c.hi, lo);
}

}  // namespace velqora::elementary
