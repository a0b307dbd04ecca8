// Sine and cosine: the argument reduced to quarter turns, the reduced angle's sine or
// cosine by the quadrant.

#include <cmath>

#include "geodesy/elementary.h"
#include "geodesy/trigonometric_kernel.h"

namespace velqora {

namespace {

using namespace elementary;

// sin x (Cosine false) or cos x (Cosine true) for |x| >= 2^-27.
template <bool Cosine>
double sinOrCos(double x) {
  const Reduced fast = reduceFast(x);
  // cos x = sin(x + pi/2): one quadrant on.
  const int q = (fast.q + (Cosine ? 1 : 0)) & 3;
  const bool useCos = q & 1;
  const double sign = q & 2 ? -1.0 : 1.0;
  const SinCos k = useCos ? sinCosFast<false, true>(fast.r) : sinCosFast<true, false>(fast.r);
  const DD v = useCos ? k.cos : k.sin;
  // The reduction's error moves the result by at most as much, as the derivative is at
  // most 1; twice that leaves a margin.
  if (const std::optional<double> r = roundIfSure(v, std::fabs(v.hi) * 0x1p-64 + 2 * fast.err)) return sign * *r;
  const Reduced accurate = reduceAccurate(x);
  const SinCos a = sinCosAccurate(accurate.r);
  const DD w = useCos ? a.cos : a.sin;
  return sign * (w.hi + w.lo);
}

}  // namespace

double sin(double x) {
  if (std::fabs(x) < 0x1p-26) return x;  // sin x = x (1 - x^2/6) rounds to x (and keeps -0)
  if (!std::isfinite(x)) return x - x;   // NaN, and NaN for an infinity
  return sinOrCos<false>(x);
}

double cos(double x) {
  if (std::fabs(x) < 0x1p-27) return 1.0;  // 1 - x^2/2 rounds to 1
  if (!std::isfinite(x)) return x - x;
  return sinOrCos<true>(x);
}

}  // namespace velqora
