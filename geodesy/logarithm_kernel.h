#pragma once

// The logarithm's reduction: x = 2^e m, m in [1, 2); m times an 8-bit reciprocal c of its
// table interval's centre is 1 + r with |r| < 2^-7, exactly in one double, and
// log x = e ln2 - log c + log(1 + r), log(1 + r) from its Taylor polynomial. From
// 1 - 2^-8 to 1 + 2^-7 the table adds nothing and r = x - 1, so that a small result never
// comes from terms that cancel. The fast path is inline, as it is the inner loop of log and pow.

#include <bit>
#include <cstdint>

#include "geodesy/double_double.h"
#include "geodesy/elementary_constants.h"
#include "geodesy/elementary_kernels.h"

namespace velqora::elementary {

struct LogReduction {
  double e;
  int i;     // the table's index
  double r;  // m c - 1, exact
};

inline LogReduction logReduce(double x) {
  std::uint64_t bits = std::bit_cast<std::uint64_t>(x);
  int e = -1023;
  if (bits < (std::uint64_t{1} << 52)) {  // subnormal
    bits = std::bit_cast<std::uint64_t>(x * 0x1p54);
    e -= 54;
  }
  e += static_cast<int>(bits >> 52);
  const int i = static_cast<int>((bits >> 45) & 127);
  if (i >= LOG_FOLD) ++e;
  // m c 2^60 - 2^60 in integers: m's 53-bit integer times a 9-bit one, exact, and the
  // difference below 2^53, so converting it to double is exact too.
  const std::int64_t M = static_cast<std::int64_t>((bits & 0x000fffffffffffffu) | 0x0010000000000000u);
  const std::int64_t d = M * LOG_INVERSE_256[i] - (std::int64_t{1} << 60);
  return {static_cast<double>(e), i, static_cast<double>(d) * 0x1p-60};
}

// log x = hi + lo (lo not normalized) for a positive finite x, subnormal ones included.
// The error stays below 2^-73 absolutely, and below 2^-66 relatively.
//
// The leading terms are summed exactly without a product split: e LOG_LN2[0] and the
// table's head are multiples of 2^-42, and so is rh, r rounded to a multiple of 2^-33;
// their sum A + rh stays below 2^11, within 53 bits. rh has at most 26 bits, so rh^2 is
// exact, and rl - rh^2/2 (rl = r - rh) is a multiple of 2^-67 below 2^-14.9, exact too.
// Where A is not zero it outweighs r (the table is made so), and the two sum exactly.
inline DD logFast(double x) {
  const LogReduction red = logReduce(x);
  const double r = red.r;
  const double rh = (r + 0x1.8p19) - 0x1.8p19;
  const double rl = r - rh;
  const DD& T = LOG_TABLE_42[red.i];
  const double head = (red.e * LOG_LN2[0] + T.hi) + rh;
  const DD s = dd::fastTwoSum(head, rl - 0.5 * (rh * rh));
  // r^3 (1/3 - r/4 + ... - r^7/10), Estrin's order; the terms left out stay below 2^-76 r.
  const double r2 = r * r;
  const double r4 = r2 * r2;
  const double poly =
      ((LOG_TAYLOR[3].hi + r * LOG_TAYLOR[4].hi) + r2 * (LOG_TAYLOR[5].hi + r * LOG_TAYLOR[6].hi)) +
      r4 * ((LOG_TAYLOR[7].hi + r * LOG_TAYLOR[8].hi) + r2 * (LOG_TAYLOR[9].hi + r * LOG_TAYLOR[10].hi));
  // -r^2/2 = -rh^2/2 - rl (r + rh)/2.
  const double small = (red.e * LOG_LN2[1] + T.lo) - 0.5 * (rl * (r + rh));
  return {s.hi, s.lo + (small + (r * r2) * poly)};
}

}  // namespace velqora::elementary
