// Sine and cosine: the argument reduced to multiples of pi/256, whose sines come from one
// table for the whole turn; the cosine is the sine a quarter turn on.

#include <cmath>

#include "geodesy/elementary.h"
#include "geodesy/trigonometric_kernel.h"

namespace velqora {

namespace {

using namespace elementary;

// sin x or cos x in quarter turn q of the precise reduction.
double accurateInQuadrant(double x, int quarterTurns) {
  const Reduced red = reduceAccurate(x);
  const SinCos a = sinCosAccurate(red.r);
  const int q = (red.q + quarterTurns) & 3;
  const DD v = q & 1 ? a.cos : a.sin;
  return q & 2 ? -(v.hi + v.lo) : v.hi + v.lo;
}

// The reduction's error moves the result by at most as much, as the derivative is at most 1.
std::optional<double> rounded(const DD& v, double reductionErr) {
  return roundIfSure(v, std::fabs(v.hi) * 0x1p-66 + reductionErr);
}

}  // namespace

double sin(double x) {
  const double ax = std::fabs(x);
  if (ax < 0x1p-26) return x;          // sin x = x (1 - x^2/6) rounds to x (and keeps -0)
  if (!(ax < INFINITY)) return x - x;  // NaN, and NaN for an infinity
  const FineAngle a = reduceFine(x);
  if (const std::optional<double> r = rounded(rotate(rotation(a.g), a.g.hi, a.k), a.err)) return *r;
  return accurateInQuadrant(x, 0);
}

double cos(double x) {
  const double ax = std::fabs(x);
  if (ax < 0x1p-27) return 1.0;  // 1 - x^2/2 rounds to 1
  if (!(ax < INFINITY)) return x - x;
  const FineAngle a = reduceFine(x);
  if (const std::optional<double> r = rounded(rotate(rotation(a.g), a.g.hi, a.k + 128), a.err)) return *r;
  return accurateInQuadrant(x, 1);
}

SineCosine sincos(double x) {
  const double ax = std::fabs(x);
  if (ax < 0x1p-27) return {x, 1.0};
  if (!(ax < 0x1p-26)) {
    if (!(ax < INFINITY)) return {x - x, x - x};
    const FineAngle a = reduceFine(x);
    const Rotation t = rotation(a.g);
    const std::optional<double> s = rounded(rotate(t, a.g.hi, a.k), a.err);
    const std::optional<double> c = rounded(rotate(t, a.g.hi, a.k + 128), a.err);
    if (s && c) return {*s, *c};
    return {s ? *s : accurateInQuadrant(x, 0), c ? *c : accurateInQuadrant(x, 1)};
  }
  return {x, cos(x)};
}

}  // namespace velqora
