// Tangent: the sine over the cosine of the same reduced angle, divided in double-double.

#include <cmath>

#include "geodesy/elementary.h"
#include "geodesy/trigonometric_kernel.h"

namespace velqora {

namespace {

using namespace elementary;

// n / d for results of rotate(), relative error below 2^-74 beyond theirs. q0 is within
// an ulp or two of the quotient; its 26-bit head qh times the halves of d's leading part
// is exact, and n.hi less it too (Sterbenz), so the remainder n - qh d is found to 2^-78
// of n, and divided once more gives the rest of the quotient.
DD quotient(const DD& nUnnormalized, const DD& dUnnormalized) {
  const DD n = dd::fastTwoSum(nUnnormalized.hi, nUnnormalized.lo);
  const DD d = dd::fastTwoSum(dUnnormalized.hi, dUnnormalized.lo);
  const double inverse = 1 / d.hi;
  const double qh = dd::split(n.hi * inverse).hi;
  const DD ds = dd::split(d.hi);
  const double remainder = ((n.hi - qh * ds.hi) - qh * ds.lo) + (n.lo - qh * d.lo);
  return {qh, remainder * inverse};
}

}  // namespace

double tan(double x) {
  const double ax = std::fabs(x);
  if (ax < 0x1p-27) return x;  // tan x = x (1 + x^2/3) rounds to x (and keeps -0)
  if (!(ax < INFINITY)) return x - x;
  const FineAngle a = reduceFine(x);
  const Rotation t = rotation(a.g);
  const DD q = quotient(rotate(t, a.g.hi, a.k), rotate(t, a.g.hi, a.k + 128));
  // d tan/dx = 1 + tan^2: the reduction's error grows with it.
  const double err = std::fabs(q.hi) * 0x1p-65 + 2 * a.err * (1 + q.hi * q.hi);
  if (const std::optional<double> r = roundIfSure(q, err)) return *r;
  const Reduced accurate = reduceAccurate(x);
  const SinCos s = sinCosAccurate(accurate.r);
  const DD u = accurate.q & 1 ? dd::neg(dd::div(s.cos, s.sin)) : dd::div(s.sin, s.cos);
  return u.hi + u.lo;
}

}  // namespace velqora
