#pragma once

// Sine and cosine of a reduced angle. The fast path: x = k pi/256 + g with |g| <= pi/512,
// sin and cos of g from their Taylor polynomials and the angle-sum formulas, with
// sin(k pi/256) for a whole turn from one table, so that no quadrant needs a branch. The
// precise path: x = q pi/2 + r with |r| <= pi/4, r = j/128 + g with |g| <= 1/256, sin
// and cos of j/128 from a table of double-doubles.

#include <cmath>
#include <cstdlib>

#include "geodesy/double_double.h"
#include "geodesy/elementary_constants.h"
#include "geodesy/elementary_kernels.h"

namespace velqora::elementary {

struct SinCos {
  DD sin;
  DD cos;
};

// x = k pi/256 + (g.hi + g.lo), within err of it (absolutely); k taken mod 512 by the
// table's index.
struct FineAngle {
  DD g;
  int k;
  double err;
};

FineAngle reduceFineLarge(double x);

// For |x| < 16, by two parts of pi/256: k has at most 11 bits and the first part 42, so
// x - k p1 is exact (Sterbenz). Where |x - k p1| is the smaller of the two the sum is not
// exact, but then |g| < 2^-38 and its error below 2^-92. k p2 rounds by 2^-93, and the
// part of pi/256 left out, below 2^-103, adds 2^-92.6 at most: 2^-90 in all.
inline FineAngle reduceFine(double x) {
  if (!(std::fabs(x) < 16)) return reduceFineLarge(x);
  const double k = nearest(x * TRIG_256_PI);
  return {dd::fastTwoSum(x - k * TRIG_PI_256[0], -k * TRIG_PI_256[1]), static_cast<int>(k), 0x1p-90};
}

// a cos g + b sin g = hi + lo (lo not normalized) for a = sin(k pi/256) and
// b = sin((k + 128) pi/256), which is sin x for x = k pi/256 + g, and cos x with k + 128.
// The error stays below 2^-67 |hi|, before the reduction's.
//
// g is split as gs + gt, gs its leading 26 bits, so that b's 26-bit head times gs is
// exact, and a's head plus it is summed exactly; gt stays below 2^-26 |g|, so that where a is
// zero and the result about g, the rest rounds by 2^-79 of it. Where a is not zero,
// |a| >= sin(pi/256), about 2|g| at most, so the result stays near |a|/2 or above and
// the small terms' roundings are small beside it.
struct Rotation {
  double cm1;  // cos g - 1
  double sm;   // sin g - g
  double gs;   // g.hi's leading 26 bits
  double gt;   // g - gs
};

inline Rotation rotation(const DD& g) {
  const double gs = dd::split(g.hi).hi;
  const double g2 = g.hi * g.hi;
  // cos g - 1 to g^6 and sin g - g to g^7: the terms left out stay below 2^-74 and 2^-84.
  const double g4 = g2 * g2;
  const double cm1 = g2 * (TRIG_COS_TAYLOR[1].hi + g2 * TRIG_COS_TAYLOR[2].hi) + g4 * (g2 * TRIG_COS_TAYLOR[3].hi);
  const double sm = (g.hi * g2) * (TRIG_SIN_TAYLOR[1].hi + g2 * TRIG_SIN_TAYLOR[2].hi + g4 * TRIG_SIN_TAYLOR[3].hi);
  return {cm1, sm, gs, (g.hi - gs) + g.lo};
}

inline DD rotate(const Rotation& t, double gh, int k) {
  const DD& a = TRIG_SIN_PI_256[k & 511];
  const DD& b = TRIG_SIN_PI_256[(k + 128) & 511];
  const DD h = dd::fastTwoSum(a.hi, b.hi * t.gs);
  const double small = (a.lo + (b.lo * gh + b.hi * t.gt)) + ((a.hi + a.lo) * t.cm1 + (b.hi + b.lo) * t.sm);
  return {h.hi, h.lo + small};
}

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

// sin r and cos r for |r| <= pi/4 + 2^-40, relative error below 2^-100, all in double-double.
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
