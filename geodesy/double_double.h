#pragma once

// Double-double arithmetic: a value as the unevaluated sum hi + lo of two doubles, for
// the elementary functions. Only IEEE-754 double operations in round-to-nearest, in a
// fixed order; the build turns off contracted multiply-adds, so every step below is the
// one written. Error-free transformations after Dekker (1971) and Knuth (TAOCP 2, 4.2.2);
// products split their operands by Veltkamp's method, as no fused multiply-add is used.

namespace velqora {

struct DD {
  double hi;
  double lo;
};

namespace dd {

// a + b exactly, for |a| >= |b| or a = 0.
constexpr DD fastTwoSum(double a, double b) {
  const double s = a + b;
  return {s, b - (s - a)};
}

// a + b exactly, any order.
constexpr DD twoSum(double a, double b) {
  const double s = a + b;
  const double bb = s - a;
  return {s, (a - (s - bb)) + (b - bb)};
}

// a as two halves of 26 and 27 bits (|a| < 2^995).
constexpr DD split(double a) {
  const double t = 134217729.0 * a;  // 2^27 + 1
  const double hi = t - (t - a);
  return {hi, a - hi};
}

// a * b exactly given b's halves (no underflow).
constexpr DD twoProduct(double a, const DD& bs, double b) {
  const DD as = split(a);
  const double p = a * b;
  return {p, ((as.hi * bs.hi - p) + as.hi * bs.lo + as.lo * bs.hi) + as.lo * bs.lo};
}

constexpr DD twoProduct(double a, double b) { return twoProduct(a, split(b), b); }

// a * b for a with at most 26 significant bits: the halves of b alone make it exact.
constexpr DD shortProduct(double a, double b) {
  const DD bs = split(b);
  const double p = a * b;
  return {p, (a * bs.hi - p) + a * bs.lo};
}

// (a.hi + a.lo) + (b.hi + b.lo), relative error below 2^-104 unless the sum cancels.
constexpr DD add(const DD& a, const DD& b) {
  const DD s = twoSum(a.hi, b.hi);
  const DD t = twoSum(a.lo, b.lo);
  const DD u = fastTwoSum(s.hi, s.lo + t.hi);
  return fastTwoSum(u.hi, u.lo + t.lo);
}

constexpr DD add(const DD& a, double b) {
  const DD s = twoSum(a.hi, b);
  return fastTwoSum(s.hi, s.lo + a.lo);
}

// a * b, relative error below 2^-102.
constexpr DD mul(const DD& a, const DD& b) {
  const DD p = twoProduct(a.hi, b.hi);
  return fastTwoSum(p.hi, p.lo + (a.hi * b.lo + a.lo * b.hi));
}

constexpr DD mul(const DD& a, double b) {
  const DD p = twoProduct(a.hi, b);
  return fastTwoSum(p.hi, p.lo + a.lo * b);
}

// a / b, relative error below 2^-102. One division, for the reciprocal: q is within an
// ulp or two of a.hi / b.hi, and the exact remainder corrects it.
constexpr DD div(const DD& a, const DD& b) {
  const double inverse = 1 / b.hi;
  const double q = a.hi * inverse;
  const DD p = twoProduct(q, b.hi);
  const double r = (((a.hi - p.hi) - p.lo) + a.lo) - q * b.lo;  // a.hi - p.hi exact (Sterbenz)
  return fastTwoSum(q, r * inverse);
}

constexpr DD neg(const DD& a) { return {-a.hi, -a.lo}; }

}  // namespace dd

}  // namespace velqora
