// The natural logarithm: x = 2^e m, m in [1, 2); m times a short reciprocal c of its
// table interval's centre is 1 + r with |r| <= 2^-8, exactly as a double-double, and
// log x = e ln2 - log c + log(1 + r), log(1 + r) from its Taylor polynomial. Near 1,
// r = x - 1 directly, so that a small result never comes from terms that cancel.

#include <bit>
#include <cmath>
#include <cstdint>

#include "geodesy/elementary.h"
#include "geodesy/elementary_constants.h"
#include "geodesy/elementary_kernels.h"

namespace velqora {

namespace elementary {

namespace {

struct Reduction {
  double e;
  DD table;  // -log c, and -ln 2 with it above sqrt 2
  DD r;      // m c - 1, exact
};

Reduction reduce(double x) {
  if (x > 1 - 0x1p-8 && x < 1 + 0x1p-8) return {0, {0, 0}, {x - 1, 0}};  // x - 1 exact (Sterbenz)
  std::uint64_t bits = std::bit_cast<std::uint64_t>(x);
  int e = -1023;
  if (bits < (std::uint64_t{1} << 52)) {  // subnormal
    bits = std::bit_cast<std::uint64_t>(x * 0x1p54);
    e -= 54;
  }
  e += static_cast<int>(bits >> 52);
  const int i = static_cast<int>((bits >> 45) & 127);
  const double m = std::bit_cast<double>((bits & 0x000fffffffffffffu) | 0x3ff0000000000000u);
  if (i >= LOG_FOLD) ++e;
  const DD p = dd::shortProduct(LOG_INVERSE[i], m);
  return {static_cast<double>(e), LOG_TABLE[i], dd::fastTwoSum(p.hi - 1, p.lo)};  // p.hi - 1 exact
}

}  // namespace

DD logFast(double x) {
  const Reduction red = reduce(x);
  const double rh = red.r.hi;
  const DD sq = dd::twoProduct(rh, rh);
  // r^3 (1/3 - r/4 + ...), within 2^-83 of the rest of the series.
  double poly = LOG_TAYLOR[9].hi;
  for (int n = 8; n >= 3; --n) poly = LOG_TAYLOR[n].hi + rh * poly;
  const double tail = rh * sq.hi * poly;
  // e ln2 + table + r - r^2/2: the large terms summed exactly, the small ones after.
  const DD a = dd::twoSum(red.e * LOG_LN2[0], red.table.hi);
  const DD b = dd::twoSum(a.hi, rh);
  const DD c = dd::twoSum(b.hi, -0.5 * sq.hi);
  const double lo = a.lo + b.lo + c.lo + red.e * LOG_LN2[1] + red.table.lo + red.r.lo - 0.5 * sq.lo -
                    rh * red.r.lo + tail;
  return dd::fastTwoSum(c.hi, lo);
}

DD logAccurate(double x) {
  const Reduction red = reduce(x);
  const DD& r = red.r;
  // log(1 + r) = r (1 - r/2 + r^2/3 - ... + r^12/13): from r^7 on in double.
  double tail = LOG_TAYLOR[13].hi;
  for (int n = 12; n >= 8; --n) tail = LOG_TAYLOR[n].hi + r.hi * tail;
  DD s{tail, 0};
  for (int n = 7; n >= 1; --n) s = dd::add(LOG_TAYLOR[n], dd::mul(r, s));
  const DD l = dd::mul(r, s);
  const DD e1 = dd::twoSum(red.e * LOG_LN2[0], red.table.hi);
  DD sum = dd::add(e1, dd::twoProduct(red.e, LOG_LN2[1]));
  sum = dd::add(sum, red.e * LOG_LN2[2] + red.table.lo);
  return dd::add(sum, l);
}

}  // namespace elementary

double log(double x) {
  using namespace elementary;
  if (!(x > 0) || x == INFINITY) {
    if (x == 0) return -INFINITY;
    if (x < 0) return NAN;
    return x + x;  // NaN or +inf
  }
  const DD fast = logFast(x);
  if (const std::optional<double> r = roundIfSure(fast, std::fabs(fast.hi) * 0x1p-64)) return *r;
  const DD accurate = logAccurate(x);
  return accurate.hi + accurate.lo;
}

}  // namespace velqora
