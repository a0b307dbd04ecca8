// Reduction of a trigonometric argument: x = q pi/2 + r, |r| <= pi/4. Below 2^20 the
// fast path subtracts q pi/2 in three parts (Cody and Waite), the first two products
// exact. Otherwise x 2/pi = q + f in quarter turns, and r = f pi/2: below 2^28 x times
// 2/pi in parts (two for the fast path, four for the accurate one), the leading product
// exact; from 2^28 on Payne and Hanek's method, x's 53-bit integer times the bits of
// 2/pi that can reach the last two integer bits and the fraction, in 32-bit words,
// which leaves f to 2^-150 whatever the size of x.

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>

#include "geodesy/elementary_constants.h"
#include "geodesy/elementary_kernels.h"
#include "geodesy/trigonometric_kernel.h"

namespace velqora::elementary {

namespace {

constexpr double LARGE = 0x1p28;
constexpr DD TWO_PI_HEAD = dd::split(TRIG_2_PI[0]);

struct QuarterTurns {
  DD f;
  int q;
  double err;
};

struct Head {
  DD p;      // x TRIG_2_PI[0], exact
  double q;  // the integer nearest p.hi
};

Head head(double x) {
  const DD p = dd::twoProduct(x, TWO_PI_HEAD, TRIG_2_PI[0]);
  return {p, nearest(p.hi)};
}

int quadrant(double q) { return static_cast<int>(q) & 3; }

QuarterTurns reduceLarge(double x) {
  const std::uint64_t bits = std::bit_cast<std::uint64_t>(std::fabs(x));
  const std::uint64_t M = (bits & 0x000fffffffffffffu) | 0x0010000000000000u;
  const int ex = static_cast<int>(bits >> 52) - 1075;  // |x| = M 2^ex, ex >= -24
  // Words i with ex - 32(i+1) >= 2 contribute multiples of 4 only: start after them.
  const int first = ex >= 2 ? (ex - 2) / 32 : 0;
  constexpr int WORDS = 8;  // the words after them add less than 2^-170 to f
  // R = M times the eight words, as ten 32-bit limbs, most significant first.
  std::array<std::uint32_t, WORDS + 2> R{};
  const std::array<std::uint64_t, 2> halves{M & 0xffffffffu, M >> 32};
  for (int h = 0; h < 2; ++h) {
    std::uint64_t carry = 0;
    for (int k = WORDS - 1; k >= 0; --k) {
      const int at = k + 2 - h;
      const std::uint64_t t = halves[h] * TRIG_2_PI_WORDS[first + k] + R[at] + carry;
      R[at] = static_cast<std::uint32_t>(t);
      carry = t >> 32;
    }
    for (int at = 1 - h; at >= 0 && carry != 0; --at) {
      const std::uint64_t t = R[at] + carry;
      R[at] = static_cast<std::uint32_t>(t);
      carry = t >> 32;
    }
  }
  // R 2^(ex - 32(first + WORDS)) = |x| 2/pi (mod 4): the binary point lies `point` bits up
  // from R's last bit. Shift so that the two integer bits lead the first limb.
  const int point = 32 * (first + WORDS) - ex;
  const int shift = 32 * (WORDS + 2) - point - 2;
  const int limbs = shift / 32;
  const int bitShift = shift % 32;
  std::array<std::uint32_t, 6> S{};
  for (int k = 0; k < 6; ++k) {
    const std::uint64_t pair =
        (std::uint64_t{R[k + limbs]} << 32) | (k + limbs + 1 < WORDS + 2 ? R[k + limbs + 1] : 0u);
    S[k] = static_cast<std::uint32_t>(pair >> (32 - bitShift));
  }
  int q = static_cast<int>(S[0] >> 30);
  bool negative = false;
  if (S[0] & 0x20000000u) {  // fraction >= 1/2: round q up, f = fraction - 1
    ++q;
    negative = true;
    std::uint64_t borrow = 1;
    for (int k = 5; k >= 0; --k) {
      const std::uint64_t t = std::uint64_t{static_cast<std::uint32_t>(~S[k])} + borrow;
      S[k] = static_cast<std::uint32_t>(t);
      borrow = t >> 32;
    }
  }
  // The fraction's 30 + 4 x 32 bits as a double-double.
  DD f{static_cast<double>(S[0] & 0x3fffffffu) * 0x1p-30, 0};
  double weight = 0x1p-62;
  for (int k = 1; k < 5; ++k, weight *= 0x1p-32) f = dd::add(f, static_cast<double>(S[k]) * weight);
  if (negative) f = dd::neg(f);
  if (x < 0) {
    f = dd::neg(f);
    q = -q;
  }
  return {f, q & 3, 0x1p-150};
}

QuarterTurns quarterTurnsFast(double x) {
  if (!(std::fabs(x) < LARGE)) return reduceLarge(x);
  const Head h = head(x);
  // Left out: x times the third part and the rounding of these two, below |x| 2^-104.
  const DD f = dd::twoSum(h.p.hi - h.q, h.p.lo + x * TRIG_2_PI[1]);
  return {f, quadrant(h.q), std::fabs(x) * 0x1p-101};
}

QuarterTurns quarterTurnsAccurate(double x) {
  if (!(std::fabs(x) < LARGE)) return reduceLarge(x);
  const Head h = head(x);
  DD f = dd::twoSum(h.p.hi - h.q, h.p.lo);
  f = dd::add(f, dd::twoProduct(x, TRIG_2_PI[1]));
  f = dd::add(f, dd::twoProduct(x, TRIG_2_PI[2]));
  f = dd::add(f, x * TRIG_2_PI[3]);
  return {f, quadrant(h.q), std::fabs(x) * 0x1p-155};
}

}  // namespace

Reduced reduceFast(double x) {
  if (std::fabs(x) <= 0x1.921fb54442d18p-1) return {{x, 0}, 0, 0};  // within pi/4 already
  if (std::fabs(x) < 0x1p20) {
    const double q = nearest(x * TRIG_2_PI[0]);
    // x - q p1 is exact (Sterbenz), and so are q p1 and q p2 (32-bit parts, |q| < 2^20).
    const DD r = dd::twoSum(x - q * TRIG_PI_2_PARTS[0], -q * TRIG_PI_2_PARTS[1]);
    return {dd::twoSum(r.hi, r.lo - q * TRIG_PI_2_PARTS[2]), quadrant(q), std::fabs(q) * 0x1p-99};
  }
  const QuarterTurns t = quarterTurnsFast(x);
  const DD p = dd::twoProduct(t.f.hi, TRIG_PI_2.hi);
  const DD r = dd::fastTwoSum(p.hi, p.lo + (t.f.lo * TRIG_PI_2.hi + t.f.hi * TRIG_PI_2.lo));
  return {r, t.q, 2 * t.err + std::fabs(r.hi) * 0x1p-100};
}

FineAngle reduceFineLarge(double x) {
  // x = q pi/2 + r, then r = j pi/256 + g with |j| <= 65: j times the first part is
  // exact, and so is r.hi less it (Sterbenz); the second part's product rounds by 2^-97.
  const Reduced red = reduceFast(x);
  const double j = nearest(red.r.hi * TRIG_256_PI);
  const DD g = dd::twoSum(red.r.hi - j * TRIG_PI_256[0], red.r.lo - j * TRIG_PI_256[1]);
  return {g, 128 * red.q + static_cast<int>(j), red.err + 0x1p-95};
}

Reduced reduceAccurate(double x) {
  const QuarterTurns t = quarterTurnsAccurate(x);
  return {dd::mul(t.f, TRIG_PI_2), t.q, 2 * t.err};
}

}  // namespace velqora::elementary
