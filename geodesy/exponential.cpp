// The exponential: x = k ln2/128 + r with |r| <= ln2/256 (Cody and Waite's reduction,
// ln2/128 in three parts), exp x = 2^(k div 128) 2^((k mod 128)/128) exp r, the powers
// 2^(j/128) from a table of double-doubles and exp r from its Taylor polynomial.

#include <cmath>

#include "geodesy/elementary.h"
#include "geodesy/elementary_constants.h"
#include "geodesy/elementary_kernels.h"

namespace velqora {

namespace elementary {

namespace {

struct Reduction {
  double k;
  double r0;  // t.hi - k EXP_LN2_128[0], exact
};

Reduction reduce(const DD& t) {
  const double k = nearest(t.hi * EXP_INV_LN2_128);
  return {k, t.hi - k * EXP_LN2_128[0]};  // |k| < 2^18: the product is exact, the difference too (Sterbenz)
}

Scaled scaleBy(const DD& m, double k) {
  const int ki = static_cast<int>(k);
  return {m, ki >> 7};
}

}  // namespace

Scaled expFast(const DD& t) {
  const Reduction red = reduce(t);
  // r to about 2^-76 absolute: the third part of ln2/128 and roundings below that.
  const DD r = dd::twoSum(red.r0, t.lo - red.k * EXP_LN2_128[1]);
  const double rh = r.hi;
  // exp r - 1 = rh + (rl + rh^2 (1/2 + rh/6 + ...)), the tail within 2^-72.
  const double tail =
      rh * rh *
      (EXP_TAYLOR[2].hi +
       rh * (EXP_TAYLOR[3].hi + rh * (EXP_TAYLOR[4].hi + rh * (EXP_TAYLOR[5].hi + rh * EXP_TAYLOR[6].hi))));
  const double ql = r.lo + tail;
  const DD& T = EXP_2_J128[static_cast<int>(red.k) & 127];
  // T (1 + q) = T.hi + T.hi rh + (T.lo + T.hi ql + T.lo q).
  const DD p = dd::twoProduct(rh, T.hi);
  const DD s = dd::fastTwoSum(T.hi, p.hi);
  const double lo = s.lo + p.lo + T.lo + T.hi * ql + T.lo * rh;
  return scaleBy(dd::fastTwoSum(s.hi, lo), red.k);
}

Scaled expAccurate(const DD& t) {
  const Reduction red = reduce(t);
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
  return scaleBy(dd::add(T, dd::mul(T, q)), red.k);
}

}  // namespace elementary

double exp(double x) {
  using namespace elementary;
  if (!(std::fabs(x) < 746)) {
    if (x != x) return x + x;
    return x > 0 ? INFINITY : 0.0;  // beyond the largest double, below half the least
  }
  const DD t{x, 0};
  const Scaled fast = expFast(t);
  if (const std::optional<double> r = roundScaledIfSure(fast.m, fast.m.hi * 0x1p-64, fast.e)) return *r;
  const Scaled accurate = expAccurate(t);
  return *roundScaledIfSure(accurate.m, 0, accurate.e);
}

}  // namespace velqora
