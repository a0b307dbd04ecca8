// Arctangent of a quotient a/b, 0 <= a <= b: c = j/64 nearest to a/b, then
// atan(a/b) = atan c + atan t with t = (a - c b)/(b + c a), |t| <= 1/128, atan c from a
// table of double-doubles and atan t from its Taylor polynomial. atan x takes a = |x|,
// b = 1 or a = 1, b = |x|; atan2 takes the smaller and the larger of |y| and |x|. The
// octant then adds pi/2 or pi and the signs.

#include <bit>
#include <cmath>
#include <cstdint>

#include "geodesy/elementary.h"
#include "geodesy/elementary_constants.h"
#include "geodesy/elementary_kernels.h"

namespace velqora {

namespace {

using namespace elementary;

struct Quotient {
  DD t;
  int j;
};

// t = (a - c b)/(b + c a) for 2^-62 <= a <= b < 2, b >= 1. c has at most 7 bits, so
// both products are exact as double-doubles, and a - c b is exact (Sterbenz) for c > 0.
Quotient quotient(double a, double b) {
  // j needs a/b only roughly; atan x passes b = 1.
  const double jd = nearest((b == 1 ? a : a / b) * 64);
  const double c = jd * 0x1p-6;
  const DD cb = dd::shortProduct(c, b);
  const DD ca = dd::shortProduct(c, a);
  const DD n = dd::twoSum(a - cb.hi, -cb.lo);
  const DD d = dd::fastTwoSum(b, ca.hi);
  return {dd::div(n, {d.hi, d.lo + ca.lo}), static_cast<int>(jd)};
}

// atan(a/b), relative error below 2^-67.
DD atanFast(double a, double b) {
  const Quotient q = quotient(a, b);
  const double t = q.t.hi;
  const double t2 = t * t;
  const double tail =
      q.t.lo +
      t * t2 * (ATAN_TAYLOR[1].hi + t2 * (ATAN_TAYLOR[2].hi + t2 * (ATAN_TAYLOR[3].hi + t2 * ATAN_TAYLOR[4].hi)));
  const DD& A = ATAN_J[q.j];
  const DD h = dd::fastTwoSum(A.hi, t);  // |t| < atan(1/64) <= A unless A = 0
  return dd::fastTwoSum(h.hi, h.lo + A.lo + tail);
}

// atan(a/b), relative error below 2^-100.
DD atanAccurate(double a, double b) {
  const Quotient q = quotient(a, b);
  const DD t2 = dd::mul(q.t, q.t);
  DD s = ATAN_TAYLOR[8];
  for (int n = 7; n >= 0; --n) s = dd::add(ATAN_TAYLOR[n], dd::mul(t2, s));
  return dd::add(ATAN_J[q.j], dd::mul(q.t, s));
}

// base + sign r for base 0, pi/2 or pi; r <= pi/4, so nothing cancels.
DD place(const DD& base, double sign, const DD& r) {
  const DD h = dd::fastTwoSum(base.hi, sign * r.hi);
  return dd::fastTwoSum(h.hi, h.lo + base.lo + sign * r.lo);
}

// The exponent of a positive finite x: x = m 2^e, m in [1, 2).
int exponentOf(double x) {
  const std::uint64_t bits = std::bit_cast<std::uint64_t>(x);
  if (bits >= (std::uint64_t{1} << 52)) return static_cast<int>(bits >> 52) - 1023;
  return static_cast<int>(std::bit_cast<std::uint64_t>(x * 0x1p64) >> 52) - 1023 - 64;
}

// x 2^n, exactly, for results that are normal.
double scaled(double x, int n) {
  while (n > 1000) {
    x *= 0x1p1000;
    n -= 1000;
  }
  while (n < -1000) {
    x *= 0x1p-1000;
    n += 1000;
  }
  return x * powerOfTwo(n);
}

// x = odd 2^power for a positive finite x.
struct OddPart {
  std::uint64_t odd;
  int power;
};
OddPart oddPart(double x) {
  const std::uint64_t bits = std::bit_cast<std::uint64_t>(x);
  const int biased = static_cast<int>(bits >> 52);
  std::uint64_t m = bits & 0x000fffffffffffffu;
  int power = -1074;
  if (biased > 0) {
    m |= 0x0010000000000000u;
    power = biased - 1075;
  }
  const int zeros = std::countr_zero(m);
  return {m >> zeros, power + zeros};
}

// atan(a/b) for a subnormal quotient z = a/b rounded. When a/b lies exactly halfway
// between two subnormals, (2k+1) 2^-1075, the division has rounded to the even one,
// but the arctangent lies just below: k 2^-1074.
double subnormalQuotient(double a, double b, double z) {
  const OddPart n = oddPart(a);
  const OddPart d = oddPart(b);
  if (n.power - d.power != -1075 || n.odd % d.odd != 0) return z;
  return static_cast<double>((n.odd / d.odd - 1) / 2) * 0x1p-1074;
}

// atan(a/b) placed at base with the sign, then signed: 0 < a <= b finite.
double arctangent(double a, double b, const DD& base, double turn, double sign) {
  const int eb = exponentOf(b);
  if (eb - exponentOf(a) > 60) {
    // a/b < 2^-59: atan(a/b) = a/b (1 - (a/b)^2/3), and a/b rounded is also that
    // rounded, as a quotient of two doubles lies at least 2^-107 (relative) away from
    // any midpoint of doubles that it does not hit. It hits one only among subnormals.
    const double z = a / b;
    if (base.hi == 0) return sign * (z < 0x1p-1022 ? subnormalQuotient(a, b, z) : z);
    const DD r = place(base, turn, {z, 0});
    return sign * (r.hi + r.lo);
  }
  const double as = scaled(a, -eb);
  const double bs = scaled(b, -eb);
  const DD fast = place(base, turn, atanFast(as, bs));
  if (const std::optional<double> r = roundIfSure(fast, fast.hi * 0x1p-64)) return sign * *r;
  const DD accurate = place(base, turn, atanAccurate(as, bs));
  return sign * (accurate.hi + accurate.lo);
}

}  // namespace

double atan(double x) {
  const double ax = std::fabs(x);
  const double sign = x < 0 ? -1.0 : 1.0;
  if (ax < 0x1p-27) return x;  // atan x = x (1 - x^2/3) rounds to x (and keeps -0)
  if (!(ax <= 1)) {
    if (ax == INFINITY) return sign * (PI_2.hi + PI_2.lo);
    if (x != x) return x + x;
    return arctangent(1, ax, PI_2, -1, sign);  // pi/2 - atan(1/|x|)
  }
  return arctangent(ax, 1, {0, 0}, 1, sign);
}

double atan2(double y, double x) {
  if (x != x || y != y) return x + y;
  const double sign = std::signbit(y) ? -1.0 : 1.0;
  const double ay = std::fabs(y);
  const double ax = std::fabs(x);
  const bool left = std::signbit(x);
  if (ay == 0) return sign * (left ? PI.hi + PI.lo : 0.0);
  if (ax == 0) return sign * (PI_2.hi + PI_2.lo);
  if (ax == INFINITY) {
    if (ay == INFINITY) return sign * (left ? PI_3_4.hi + PI_3_4.lo : PI_4.hi + PI_4.lo);
    return sign * (left ? PI.hi + PI.lo : 0.0);
  }
  if (ay == INFINITY) return sign * (PI_2.hi + PI_2.lo);
  // Octants: atan(ay/ax) when ay <= ax, pi/2 - atan(ax/ay) above; pi minus that for x < 0.
  if (ay <= ax) {
    if (left) return arctangent(ay, ax, PI, -1, sign);
    return arctangent(ay, ax, {0, 0}, 1, sign);
  }
  if (left) return arctangent(ax, ay, PI_2, 1, sign);  // pi/2 + atan(ax/ay)
  return arctangent(ax, ay, PI_2, -1, sign);
}

}  // namespace velqora
