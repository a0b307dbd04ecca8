#pragma once

// Sine and cosine of a reduced angle r, |r| <= pi/4: r = j/128 + g with |g| <= 1/256,
// sin and cos of j/128 from a table of double-doubles, those of g from their Taylor
// polynomials, and the angle-sum formulas.

#include <cstdlib>

#include "geodesy/double_double.h"
#include "geodesy/elementary_constants.h"
#include "geodesy/elementary_kernels.h"

namespace velqora::elementary {

struct SinCos {
  DD sin;
  DD cos;
};

struct Split {
  DD g;       // r - j/128, exact
  int j;      // |j| <= 101
  double sj;  // the sign of j, as 1 or -1
};

inline Split splitAngle(const DD& r) {
  const double jd = nearest(r.hi * 128);
  // r.hi - j/128 is exact; it is zero or a multiple of r.hi's last place, so at least r.lo.
  return {dd::fastTwoSum(r.hi - jd * 0x1p-7, r.lo), std::abs(static_cast<int>(jd)), jd < 0 ? -1.0 : 1.0};
}

// Relative error below 2^-67 for either part.
template <bool WantSin, bool WantCos>
SinCos sinCosFast(const DD& r) {
  const Split a = splitAngle(r);
  const double g = a.g.hi;
  const double g2 = g * (g + 2 * a.g.lo);
  // sin g = g + sl, cos g = 1 + cm1.
  const double sl =
      a.g.lo + g * g2 * (TRIG_SIN_TAYLOR[1].hi + g2 * (TRIG_SIN_TAYLOR[2].hi + g2 * TRIG_SIN_TAYLOR[3].hi));
  const double cm1 = g2 * (TRIG_COS_TAYLOR[1].hi + g2 * (TRIG_COS_TAYLOR[2].hi + g2 * TRIG_COS_TAYLOR[3].hi));
  const DD& S = TRIG_SIN_J[a.j];
  const DD& C = TRIG_COS_J[a.j];
  SinCos out{};
  if constexpr (WantSin) {
    // sin = sj S (1 + cm1) + C (g + sl); |C g + S cm1| < |S| unless S = 0. The two
    // middle terms summed exactly, so that only small ones round at the end.
    const DD p = dd::twoProduct(g, C.hi);
    const DD m = dd::twoSum(p.hi, a.sj * S.hi * cm1);
    const DD h = dd::fastTwoSum(a.sj * S.hi, m.hi);
    out.sin = dd::fastTwoSum(h.hi, ((h.lo + m.lo) + p.lo) + (a.sj * S.lo + (C.hi * sl + C.lo * g)));
  }
  if constexpr (WantCos) {
    // cos = C (1 + cm1) - sj S (g + sl).
    const DD p = dd::twoProduct(g, S.hi);
    const DD m = dd::twoSum(C.hi * cm1, -a.sj * p.hi);
    const DD h = dd::fastTwoSum(C.hi, m.hi);
    out.cos = dd::fastTwoSum(h.hi, ((h.lo + m.lo) + C.lo) - a.sj * (p.lo + (S.hi * sl + S.lo * g)));
  }
  return out;
}

// Relative error below 2^-100, all in double-double.
inline SinCos sinCosAccurate(const DD& r) {
  const Split a = splitAngle(r);
  const DD g2 = dd::mul(a.g, a.g);
  DD s = TRIG_SIN_TAYLOR[7];
  DD c = TRIG_COS_TAYLOR[7];
  for (int n = 6; n >= 0; --n) {
    s = dd::add(TRIG_SIN_TAYLOR[n], dd::mul(g2, s));
    c = dd::add(TRIG_COS_TAYLOR[n], dd::mul(g2, c));
  }
  s = dd::mul(a.g, s);
  const DD S{a.sj * TRIG_SIN_J[a.j].hi, a.sj * TRIG_SIN_J[a.j].lo};
  const DD& C = TRIG_COS_J[a.j];
  return {dd::add(dd::mul(S, c), dd::mul(C, s)), dd::add(dd::mul(C, c), dd::neg(dd::mul(S, s)))};
}

}  // namespace velqora::elementary
