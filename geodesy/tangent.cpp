// Tangent: the reduced angle's sine over its cosine, or minus the cosine over the sine
// in odd quadrants, divided in double-double.

#include <cmath>

#include "geodesy/elementary.h"
#include "geodesy/trigonometric_kernel.h"

namespace velqora {

double tan(double x) {
  using namespace elementary;
  if (std::fabs(x) < 0x1p-27) return x;  // tan x = x (1 + x^2/3) rounds to x (and keeps -0)
  if (!std::isfinite(x)) return x - x;
  const Reduced fast = reduceFast(x);
  const bool odd = fast.q & 1;
  const SinCos k = sinCosFast<true, true>(fast.r);
  const DD t = odd ? dd::neg(dd::div(k.cos, k.sin)) : dd::div(k.sin, k.cos);
  // d tan/dx = 1 + tan^2: the reduction's error grows with it.
  const double err = std::fabs(t.hi) * 0x1p-63 + 2 * fast.err * (1 + t.hi * t.hi);
  if (const std::optional<double> r = roundIfSure(t, err)) return *r;
  const Reduced accurate = reduceAccurate(x);
  const SinCos a = sinCosAccurate(accurate.r);
  const DD u = odd ? dd::neg(dd::div(a.cos, a.sin)) : dd::div(a.sin, a.cos);
  return u.hi + u.lo;
}

}  // namespace velqora
