// The power x^y = exp(y log x): log |x| in double-double, times y, and the exponential
// of that double-double. The special operands as C99 Annex F has them; a negative base
// with an integer exponent gives the power of |x| with the exponent's sign.

#include <bit>
#include <cmath>
#include <cstdint>

#include "geodesy/elementary.h"
#include "geodesy/exponential_kernel.h"
#include "geodesy/logarithm_kernel.h"

namespace velqora {

namespace {

using namespace elementary;

bool isInteger(double y) { return std::floor(y) == y; }
bool isOddInteger(double y) { return std::fabs(y) < 0x1p53 && isInteger(y) && !isInteger(y / 2); }

// When x^y is exactly halfway between two doubles, no error bound can tell which way it
// rounds. Only a few (x, y) are: y = n/2^k with 1 < y <= 34 and k <= 5, x a 2^k-th
// power of a short number w, x^y = w^n; or x a power of two. This finds those exactly:
// k exact square roots, then w^n by exact products; the result as m 2^e, or nothing.
std::optional<Scaled> exactPower(double x, double y) {
  const std::uint64_t bits = std::bit_cast<std::uint64_t>(x);
  if ((bits & 0x000fffffffffffffu) == 0 && bits >= (std::uint64_t{1} << 52)) {  // a normal power of two
    const double e = (static_cast<double>(bits >> 52) - 1023) * y;
    if (isInteger(e) && std::fabs(e) < 1100) return Scaled{{1, 0}, static_cast<int>(e)};
    return std::nullopt;
  }
  if (!(y > 1 && y <= 34)) return std::nullopt;
  int k = 0;
  while (!isInteger(y) && k < 5) {
    y *= 2;
    ++k;
  }
  if (!isInteger(y)) return std::nullopt;
  // x = m 2^e with m in [1, 2), the square roots taken of m or 2m so that e stays even.
  int e = static_cast<int>(bits >> 52) - 1023;
  if (bits < (std::uint64_t{1} << 52)) return std::nullopt;  // a subnormal base never gives a midpoint here
  double w = std::bit_cast<double>((bits & 0x000fffffffffffffu) | 0x3ff0000000000000u);
  for (int i = 0; i < k; ++i) {
    if (e % 2 != 0) {
      w *= 2;
      --e;
    }
    const double s = std::sqrt(w);
    const DD check = dd::twoProduct(s, s);
    if (check.hi != w || check.lo != 0) return std::nullopt;
    w = s;
    e /= 2;
  }
  const int n = static_cast<int>(y);
  DD p{w, 0};
  for (int i = 1; i < n; ++i) {
    if (p.lo != 0) return std::nullopt;  // only the last product may need two doubles
    p = dd::twoProduct(p.hi, w);
  }
  // w < 4 and n <= 34 * 32: p.hi stays finite; bring it into [0.5, 4) for the rounding.
  const int pe = static_cast<int>(std::bit_cast<std::uint64_t>(p.hi) >> 52) - 1023;
  const double s = powerOfTwo(-pe);
  return Scaled{{p.hi * s, p.lo * s}, pe + e * n};
}

// y log x as ah bh + (ah bl + am y), ah and bh the 26-bit heads of log x and y: their
// product is exact, and the rest is below 2^-25 |t|. log x errs by 2^-73 at most, the
// rest rounds by 2^-77 |t|. |y| < 2^995 for the split.
DD product(const DD& l, double y) {
  const DD a = dd::split(l.hi);
  const DD b = dd::split(y);
  return {a.hi * b.hi, a.hi * b.lo + (a.lo + l.lo) * y};
}

// |x|^y for a positive finite x and a finite y, x != 1, y != 0.
double positivePower(double x, double y) {
  const DD l = logFast(x);
  const double estimate = l.hi * y;
  if (std::fabs(estimate) < 706) {  // then |y| < 2^63 and the result is normal: scaling by 2^e is exact
    const DD t = product(l, y);
    const Scaled fast = expFast(t);
    // exp's 2^-67.5, and log's error times |y| and the product's rounding, |t| < 707.
    if (const std::optional<double> r = roundIfSure(fast.m, fast.m.hi * (0x1.cp-66 + std::fabs(y) * 0x1p-72)))
      return *r * powerOfTwo(fast.e);
  } else {
    // Beyond these x^y overflows or rounds to zero whatever the error; within, |y| < 2^63.
    if (estimate > 710) return INFINITY;
    if (estimate < -746) return 0.0;
    const DD t = product(l, y);
    const Scaled fast = expFast(t);
    const double err = fast.m.hi * (0x1p-66 + std::fabs(y) * 0x1p-72 + std::fabs(t.hi) * 0x1p-76);
    if (const std::optional<double> r = roundScaledIfSure(fast.m, err, fast.e)) return *r;
  }
  const DD la = logAccurate(x);
  const DD ta = dd::mul(la, y);
  const Scaled accurate = expAccurate(ta);
  const double aerr = accurate.m.hi * (0x1p-99 + std::fabs(ta.hi) * 0x1p-100);
  if (const std::optional<double> r = roundScaledIfSure(accurate.m, aerr, accurate.e)) return *r;
  if (const std::optional<Scaled> exact = exactPower(x, y)) return *roundScaledIfSure(exact->m, 0, exact->e);
  return *roundScaledIfSure(accurate.m, 0, accurate.e);
}

}  // namespace

double pow(double x, double y) {
  // The common case first: a positive finite base other than 1, a finite exponent other than 0.
  // As integers: x in (0, inf), and y's magnitude in (0, inf).
  if (std::bit_cast<std::uint64_t>(x) - 1 < 0x7fefffffffffffffu && x != 1 &&
      (std::bit_cast<std::uint64_t>(y) << 1) - 1 < 0xffdfffffffffffffu)
    return positivePower(x, y);
  if (y == 0 || x == 1) return 1.0;
  if (x != x || y != y) return x + y;
  const double ax = std::fabs(x);
  const bool oddY = isOddInteger(y);
  const double sign = std::signbit(x) && oddY ? -1.0 : 1.0;
  if (ax == 0) return y < 0 ? sign * INFINITY : sign * 0.0;
  if (!std::isfinite(y)) {
    if (ax == 1) return 1.0;
    return (ax < 1) == (y < 0) ? INFINITY : 0.0;
  }
  if (ax == INFINITY) return y < 0 ? sign * 0.0 : sign * INFINITY;
  if (x < 0 && !isInteger(y)) return NAN;
  return sign * positivePower(ax, y);
}

}  // namespace velqora
