// The natural logarithm: its precise path, and the special cases and rounding of log x.

#include <bit>
#include <cmath>
#include <cstdint>

#include "geodesy/elementary.h"
#include "geodesy/elementary_constants.h"
#include "geodesy/logarithm_kernel.h"

namespace velqora {

namespace elementary {

DD logAccurate(double x) {
  const LogReduction red = logReduce(x);
  const DD r{red.r, 0};
  // log(1 + r) = r (1 - r/2 + r^2/3 - ... + r^13/14): from r^8 on in double.
  double tail = LOG_TAYLOR[14].hi;
  for (int n = 13; n >= 8; --n) tail = LOG_TAYLOR[n].hi + r.hi * tail;
  DD s{tail, 0};
  for (int n = 7; n >= 1; --n) s = dd::add(LOG_TAYLOR[n], dd::mul(r, s));
  const DD l = dd::mul(r, s);
  const DD& table = LOG_TABLE[red.i];
  const DD e1 = dd::twoSum(red.e * LOG_LN2[0], table.hi);
  DD sum = dd::add(e1, dd::twoProduct(red.e, LOG_LN2[1]));
  sum = dd::add(sum, red.e * LOG_LN2[2] + table.lo);
  return dd::add(sum, l);
}

}  // namespace elementary

double log(double x) {
  using namespace elementary;
  // One test lets every positive finite x through, subnormal ones too.
  if (std::bit_cast<std::uint64_t>(x) - 1 >= 0x7fefffffffffffffu) {
    if (x == 0) return -INFINITY;
    if (x < 0) return NAN;
    return x + x;  // NaN or +inf
  }
  const DD fast = logFast(x);
  if (const std::optional<double> r = roundIfSure(fast, fast.hi * 0x1p-65)) return *r;
  const DD accurate = logAccurate(x);
  return accurate.hi + accurate.lo;
}

}  // namespace velqora
