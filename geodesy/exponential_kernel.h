#pragma once

// The exponential's reduction: x = k ln2/128 + r with |r| <= ln2/256 (Cody and Waite's
// reduction, ln2/128 in three parts), exp x = 2^(k div 128) 2^((k mod 128)/128) exp r,
// the powers 2^(j/128) from a table and exp r from its Taylor polynomial. The fast path
// is inline, as it is the inner loop of exp and pow.

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

// exp(t.hi + t.lo) = (m.hi + m.lo) 2^e for |t.hi| < 746 and |t.lo| < 2^-15, m.hi in
// [0.99, 2.03), m.lo not normalized; relative error below 2^-67.5.
//
// r = qa + qb with qa = r0 rounded to a multiple of 2^-24: with the table's 2^(j/128) as
// a head T of 28 bits and a rest, T + T qa is exact in one double (both on the grid of
// 2^-51, below 4), so the result's leading part needs no exact product and no exact sum.
// Only small terms round: T (qb + p) and the rest's share, p = exp r - 1 - r.
inline Scaled expFast(const DD& t) {
  const ExpReduction red = expReduce(t);
  const double qa = (red.r0 + 0x1.8p28) - 0x1.8p28;
  // r0 - qa is exact; k EXP_LN2_128[2] and beyond stay below 2^-81. r for the
  // polynomial straight from r0, which keeps the chain of dependent steps short.
  const double rest = t.lo - red.k * EXP_LN2_128[1];
  const double qb = (red.r0 - qa) + rest;
  const double r = red.r0 + rest;
  const double r2 = r * r;
  // r^2 (1/2 + r/6 + ... + r^4/720), Estrin's order; the terms left out stay below 2^-71.
  const double p = r2 * (EXP_TAYLOR[2].hi + r * EXP_TAYLOR[3].hi) +
                   (r2 * r2) * ((EXP_TAYLOR[4].hi + r * EXP_TAYLOR[5].hi) + r2 * EXP_TAYLOR[6].hi);
  const int k = static_cast<int>(red.k);
  const DD& T = EXP_2_J128_SHORT[k & 127];
  // T (1 + qa + qb + p): p, the last to come, added last.
  return {{T.hi + T.hi * qa, (T.hi * qb + T.lo * (1 + r)) + (T.hi + T.lo) * p}, k >> 7};
}

}  // namespace velqora::elementary
