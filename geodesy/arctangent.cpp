// Arctangent of a quotient a/b, 0 <= a <= b: c = j/2^k nearest to a/b, then
// atan(a/b) = atan c + atan t with t = (a - c b)/(b + c a), atan c from a table and atan t
// from its Taylor polynomial; the fast path takes k = 8, the precise one k = 6. atan x
// takes a = |x|, b = 1 or a = 1, b = |x|; atan2 takes the smaller and the larger of |y|
// and |x|. The octant then adds pi/2 or pi and the signs.

#include <algorithm>
#include <array>
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

// base + turn atan(a/b) as hi + lo (lo not normalized), for 2^-61 <= a <= b < 2, b >= 1,
// b = 1 when Unit; base is 0, pi/2 or pi as a multiple of 2^-35 and the rest, turn 1 or
// -1. The error stays below 2^-77, and below 2^-75 |hi| where base and j are 0.
//
// c has 9 bits and the heads of a and b are multiples of 2^-43 (2^-17 when b = 1), so c
// times them is exact, and so is a - c b's head (Sterbenz). t = (n1 + n2)/(d1 + d2): its
// head tq, a multiple of 2^-35 of 26 bits at most, times d1's head of 27 bits is exact,
// so the remainder n - tq d is found to 2^-80, and divided gives the rest tl. atan c and
// the base are multiples of 2^-35 too, so base + turn (atan c + tq) is exact. Where base
// and j are 0, the result is t itself: tq is then t's leading 26 bits instead, so that
// the rest, below 2^-26 |t|, rounds by 2^-79 of it.
template <bool Unit>
DD atanFast(double a, double b, const DD& base, double turn) {
  // j needs a/b only roughly; a hair below 256 keeps c <= 2 a/b for j = 1 (Sterbenz).
  const double jd = nearest((Unit ? a : a / b) * 0x1.fffffffffp7);
  const double c = jd * 0x1p-8;
  double n1;
  double n2;
  double d1;
  double d2;
  if constexpr (Unit) {
    const double ah = (a + 0x1.8p35) - 0x1.8p35;
    n1 = a - c;
    n2 = 0;
    d1 = 1 + c * ah;  // a multiple of 2^-25 below 2: 26 bits at most
    d2 = c * (a - ah);
  } else {
    const double ah = (a + 0x1.8p9) - 0x1.8p9;
    const double bh = (b + 0x1.8p9) - 0x1.8p9;
    n1 = a - c * bh;
    n2 = -c * (b - bh);
    const DD d = dd::fastTwoSum(b, c * ah);
    d1 = d.hi;
    d2 = d.lo + c * (a - ah);
  }
  const double inverse = 1 / (b + c * a);  // the denominator to a double, without waiting for its parts
  const double th = (n1 + n2) * inverse;
  const double tq = jd == 0 && base.hi == 0 ? dd::split(th).hi : (th + 0x1.8p17) - 0x1.8p17;
  double remainder;
  if constexpr (Unit) {
    remainder = (n1 - tq * d1) - tq * d2;
  } else {
    const double dh = (d1 + 0x1.8p27) - 0x1.8p27;
    remainder = ((n1 - tq * dh) + n2) - tq * ((d1 - dh) + d2);
  }
  const double tl = remainder * inverse;
  // atan t - t = t^3 (-1/3 + t^2/5 - t^4/7), the terms left out below 2^-84; from th,
  // within 2^-51 of t, which it need not wait for.
  const double t2 = th * th;
  const double tail = (th * t2) * (ATAN_TAYLOR[1].hi + t2 * ATAN_TAYLOR[2].hi + (t2 * t2) * ATAN_TAYLOR[3].hi);
  const DD& A = ATAN_J256[static_cast<int>(jd)];
  return {base.hi + turn * (A.hi + tq), base.lo + turn * (A.lo + (tl + tail))};
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

// The angle is base + turn atan(a/b): 0 + atan, pi/2 - atan, pi - atan, pi/2 + atan, by
// whether the quotient was inverted (1) and whether x < 0 (2). The fast path's base is
// the same angle as a multiple of 2^-35 and the rest.
struct Octant {
  DD fastBase;
  DD base;
  double turn;
};
constexpr std::array<Octant, 4> OCTANTS{{
    {{0, 0}, {0, 0}, 1},
    {PI_2_GRID35, PI_2, -1},
    {PI_GRID35, PI, -1},
    {PI_2_GRID35, PI_2, 1},
}};

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

std::optional<double> roundedAtan(const DD& v) { return roundIfSure(v, std::fabs(v.hi) * 0x1p-66); }

// The octant's angle of atan(a/b), then signed: 0 < a <= b finite.
double arctangent(double a, double b, const Octant& o, double sign) {
  const int eb = exponentOf(b);
  if (eb - exponentOf(a) > 60) {
    // a/b < 2^-59: atan(a/b) = a/b (1 - (a/b)^2/3), and a/b rounded is also that
    // rounded, as a quotient of two doubles lies at least 2^-107 (relative) away from
    // any midpoint of doubles that it does not hit. It hits one only among subnormals.
    const double z = a / b;
    if (o.base.hi == 0) return sign * (z < 0x1p-1022 ? subnormalQuotient(a, b, z) : z);
    const DD r = place(o.base, o.turn, {z, 0});
    return sign * (r.hi + r.lo);
  }
  const double as = scaled(a, -eb);
  const double bs = scaled(b, -eb);
  if (const std::optional<double> r = roundedAtan(atanFast<false>(as, bs, o.fastBase, o.turn))) return sign * *r;
  const DD accurate = place(o.base, o.turn, atanAccurate(as, bs));
  return sign * (accurate.hi + accurate.lo);
}

}  // namespace

double atan(double x) {
  const double ax = std::fabs(x);
  const double sign = x < 0 ? -1.0 : 1.0;
  if (ax < 0x1p-27) return x;  // atan x = x (1 - x^2/3) rounds to x (and keeps -0)
  if (ax <= 1) {
    if (const std::optional<double> r = roundedAtan(atanFast<true>(ax, 1, {0, 0}, 1))) return sign * *r;
    const DD accurate = atanAccurate(ax, 1);
    return sign * (accurate.hi + accurate.lo);
  }
  if (ax < 0x1p60) {  // pi/2 - atan(1/|x|), both scaled by 2^-e so that |x| 2^-e lies in [1, 2)
    const double s = powerOfTwo(1023 - static_cast<int>(std::bit_cast<std::uint64_t>(ax) >> 52));
    if (const std::optional<double> r = roundedAtan(atanFast<false>(s, ax * s, PI_2_GRID35, -1))) return sign * *r;
    const DD accurate = place(PI_2, -1, atanAccurate(s, ax * s));
    return sign * (accurate.hi + accurate.lo);
  }
  if (ax == INFINITY) return sign * (PI_2.hi + PI_2.lo);
  if (x != x) return x + x;
  return arctangent(1, ax, OCTANTS[1], sign);
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
  // min and max rather than a branch on the octant, which the processor could not foresee.
  return arctangent(std::min(ay, ax), std::max(ay, ax), OCTANTS[(ay > ax) + 2 * left], sign);
}

}  // namespace velqora
