// The exponential: its precise path, and the special cases and rounding of exp x.

#include <cmath>

#include "geodesy/elementary.h"
#include "geodesy/elementary_constants.h"
#include "geodesy/exponential_kernel.h"

namespace velqora {

namespace elementary {

Scaled expAccurate(const DD& t) {
  const ExpReduction red = expReduce(t);
  const DD k1 = dd::twoProduct(red.k, EXP_LN2_128[1]);
  DD r = dd::twoSum(red.r0, -k1.hi);
  r = dd::add(r, t.lo - k1.lo);
  r = dd::add(r, -red.k * EXP_LN2_128[2]);
  // exp r - 1 = r (1 + r/2 + ... + r^9/10!): the terms from r^5 on in double, the
  // leading ones in double-double.
  double tail = EXP_TAYLOR[10].hi;
  for (int n = 9; n >= 6; --n) tail = EXP_TAYLOR[n].hi + r.hi * tail;
  DD s{tail, 0};
  for (int n = 5; n >= 1; --n) s = dd::add(EXP_TAYLOR[n], dd::mul(r, s));
  const DD q = dd::mul(r, s);
  const DD& T = EXP_2_J128[static_cast<int>(red.k) & 127];
  return {dd::add(T, dd::mul(T, q)), static_cast<int>(red.k) >> 7};
}

}  // namespace elementary

double exp(double x) {
  using namespace elementary;
  if (std::fabs(x) < 707) {  // a normal result: scaling by 2^e is exact
    const Scaled fast = expFast({x, 0});
    if (const std::optional<double> r = roundIfSure(fast.m, fast.m.hi * 0x1p-66)) return *r * powerOfTwo(fast.e);
  } else if (!(std::fabs(x) < 746)) {
    if (x != x) return x + x;
    return x > 0 ? INFINITY : 0.0;  // beyond the largest double, below half the least
  } else {
    const Scaled fast = expFast({x, 0});
    if (const std::optional<double> r = roundScaledIfSure(fast.m, fast.m.hi * 0x1p-66, fast.e)) return *r;
  }
  const Scaled accurate = expAccurate({x, 0});
  return *roundScaledIfSure(accurate.m, 0, accurate.e);
}

}  // namespace velqora
