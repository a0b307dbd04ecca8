#pragma once

// The exponential's fast path: x = k ln2/128 + r with |r| <= ln2/256 (Cody and Waite's
// reduction, ln2/128 in three parts), exp x = 2^(k div 128) 2^((k mod 128)/128) exp r,
// the powers 2^(j/128) from a table of double-doubles and exp r from its Taylor
// polynomial. Inline, as it is the inner loop of exp and pow.

#include "geodesy/double_double.h"
#include "geodesy/elementary_constants.h"
#include "geodesy/elementary_kernels.h"

namespace velqora::elementary {

struct ExpReduction {
  double k;
  double r0;  // t.hi - k EXP_LN2_128[0], exact
};

inline ExpReduction expReduce(const DD& t) {
  const double k = nearest(t.hi * EXP_INV_LN2_128);
  return {k, t.hi - k * EXP_LN2_128[0]};  // |k| < 2^18: the product is exact, the difference too (Sterbenz)
}

// exp(t.hi + t.lo) = m 2^e for |t.hi| < 746, relative error below 2^-66.
inline Scaled expFast(const DD& t) {
  const ExpReduction red = expReduce(t);
  // r to about 2^-76 absolute: the third part of ln2/128 and roundings below that. The
  // sum is exact when |r0| is the larger; otherwise |r| < 2^-24 and its error below 2^-76.
  const DD r = dd::fastTwoSum(red.r0, t.lo - red.k * EXP_LN2_128[1]);
  const double rh = r.hi;
  // exp r - 1 = rh + (rl + rh^2 (1/2 + rh/6 + ...)), the tail within 2^-72.
  const double r2 = rh * rh;
  const double tail = r2 * ((EXP_TAYLOR[2].hi + rh * EXP_TAYLOR[3].hi) +
                            r2 * ((EXP_TAYLOR[4].hi + rh * EXP_TAYLOR[5].hi) + r2 * EXP_TAYLOR[6].hi));
  const double ql = r.lo + tail;
  const DD& T = EXP_2_J128[static_cast<int>(red.k) & 127];
  // T (1 + q) = T.hi + T.hi rh + (T.lo + T.hi ql + T.lo q).
  const DD p = dd::twoProduct(rh, T.hi);
  const DD s = dd::fastTwoSum(T.hi, p.hi);
  const double lo = (s.lo + p.lo) + (T.lo + (T.hi * ql + T.lo * rh));
  return {dd::fastTwoSum(s.hi, lo), static_cast<int>(red.k) >> 7};
}

}  // namespace velqora::elementary
