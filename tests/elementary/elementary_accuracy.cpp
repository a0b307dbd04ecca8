// The elementary functions against MPFR. For each function and range of arguments it
// draws pseudo-random arguments (a fixed seed), compares each result with the exact
// value (MPFR at 256 bits) and with the correctly rounded double (MPFR at 53 bits,
// subnormals included), and prints a table: the largest error in units in the last
// place and the share of results correctly rounded.
//
// Then it checks a list of edge cases bit for bit against MPFR (which follows C99
// Annex F for the special ones): zeros, infinities, NaN, the ends of the range, the
// thresholds between the functions' paths, results halfway between two doubles; and
// that sincos gives the bits of sin and cos.
//
// Usage: elementary_accuracy [ARGUMENTS_PER_FUNCTION, default 1000000]
// Exits 1 when any result is not the correctly rounded one, or an edge case differs.

#include <mpfr.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "geodesy/elementary.h"

namespace {

// SplitMix64, the same numbers everywhere.
class Generator {
 public:
  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  double unit() { return static_cast<double>(next() >> 11) * 0x1p-53; }  // [0, 1)
  double uniform(double lo, double hi) { return lo + (hi - lo) * unit(); }
  // |x| log-uniform in [lo, hi], either sign when signed.
  double logUniform(double lo, double hi, bool signed_) {
    const double x = std::exp2(uniform(std::log2(lo), std::log2(hi)));
    return signed_ && (next() & 1) ? -x : x;
  }
  // A positive finite double, every bit pattern alike (subnormals included).
  double anyPositive() {
    for (;;) {
      const std::uint64_t bits = next() >> 1;
      if (bits != 0 && bits < 0x7ff0000000000000u) return std::bit_cast<double>(bits);
    }
  }

 private:
  std::uint64_t state_ = 20261207;
};

// The same double, any NaN counting as every other.
bool sameBits(double a, double b) {
  return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b) || (std::isnan(a) && std::isnan(b));
}

using Mpfr1 = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t);
using Mpfr2 = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_srcptr, mpfr_rnd_t);

struct Range {
  std::string arguments;
  std::function<std::pair<double, double>(Generator&)> draw;
};

struct Function {
  std::string name;
  std::function<double(double, double)> ours;
  Mpfr1 mpfr1;
  Mpfr2 mpfr2;
  std::vector<Range> ranges;
};

// Arguments where functions turn, overflow, or land exactly halfway between doubles.
std::vector<std::pair<double, double>> edgeCases(const std::string& name) {
  constexpr double INF = INFINITY;
  const double nan = NAN;
  const double maxd = 0x1.fffffffffffffp+1023;
  std::vector<double> common = {0.0,
                                -0.0,
                                INF,
                                -INF,
                                nan,
                                1.0,
                                -1.0,
                                0.5,
                                -0.5,
                                0x1p-1022,
                                -0x1p-1022,
                                0x1p-1074,
                                -0x1p-1074,
                                maxd,
                                -maxd,
                                0x1p-26,
                                -0x1p-26,
                                0x1p-27,
                                0x1.fffffffffffffp-27,
                                0x1p-8};
  std::vector<std::pair<double, double>> cases;
  if (name == "atan2" || name == "pow") {
    const std::vector<double> special = {0.0, -0.0, INF, -INF, nan, 1.0, -1.0, 2.0, -2.0, 0.5, -0.5, 3.0, -3.0, 1e-300};
    for (double y : special)
      for (double x : special) cases.push_back({x, y});
    if (name == "atan2") {
      // Quotients below 2^-60, into the subnormal range.
      for (double y : {1e-300, 0x1p-1074, 3e-320, 0x1.8p-1073, 0x1.4p-1072})  // 3 and 5 2^-1074: halfway over 2
        for (double x : {1e300, 2.0, -2.0, 0x1p-1022}) cases.push_back({y, x});
    } else {
      cases.insert(cases.end(), {{0x1.ffffffcp+0, 2},   // x^2 halfway between two doubles
                                 {68718952449.0, 1.5},  // (2^18 - 1)^3, halfway too
                                 {0x1p-1, 1075},
                                 {2, -1075},  // 2^-1075: halfway to the least subnormal
                                 {2, 1024},
                                 {2, 1023.5},
                                 {0.5, -1024},
                                 {10, 22},
                                 {-2, 3},
                                 {-2, -3},
                                 {-0.5, 1e300},
                                 {-1e300, 3},
                                 {0x1.0000000000001p0, 0x1p60},
                                 {1e-5, 0.04},
                                 {0x1.fffffffffffffp-1, -0x1p62}});
    }
    return cases;
  }
  for (double x : common) cases.push_back({x, 0});
  if (name == "sin" || name == "cos" || name == "tan") {
    for (double x : {0x1.921fb54442d18p+0, 0x1.921fb54442d18p+1, 0x1.921fb54442d18p-1, 0x1.921fb54442d19p-1, 1e22,
                     0x1p1023, 0x1p20, 0x1.fffffffffffffp+19, 0x1p28, 0x1.fffffffffffffp+27,
                     6381956970095103.0 * 0x1p797})  // the double nearest a multiple of pi/2
      cases.insert(cases.end(), {{x, 0}, {-x, 0}});
  } else if (name == "exp") {
    for (double x : {709.782712893384, 709.7827128933841, -745.1332191019411, -745.1332191019412, -708.3964185322641,
                     -708.3964185322642, 1e-300, -1e-300, 0x1p-54, -0x1p-54, 746.0, -746.0})
      cases.push_back({x, 0});
  } else if (name == "log") {
    for (double x : {0x1.0000000000001p0, 0x1.fffffffffffffp-1, 1 + 0x1p-8, 1 - 0x1p-8, 0x1.6a09e667f3bcdp0})
      cases.push_back({x, 0});
  }
  return cases;
}

struct Tally {
  double maxUlp = 0;
  double worstX = 0, worstY = 0;
  long count = 0;
  long rounded = 0;
};

class Reference {
 public:
  Reference() {
    mpfr_inits2(256, exact_, diff_, static_cast<mpfr_ptr>(nullptr));
    mpfr_inits2(53, rounded_, static_cast<mpfr_ptr>(nullptr));
    mpfr_inits2(53, x_, y_, static_cast<mpfr_ptr>(nullptr));
  }
  ~Reference() { mpfr_clears(exact_, diff_, rounded_, x_, y_, static_cast<mpfr_ptr>(nullptr)); }
  Reference(const Reference&) = delete;
  Reference& operator=(const Reference&) = delete;

  // The error of `ours` in ulps of the exact value's binade, and whether it is the
  // correctly rounded double.
  std::pair<double, bool> check(const Function& f, double x, double y, double ours) {
    mpfr_set_d(x_, x, MPFR_RNDN);
    mpfr_set_d(y_, y, MPFR_RNDN);
    const int inexact = f.mpfr1 ? f.mpfr1(rounded_, x_, MPFR_RNDN) : f.mpfr2(rounded_, x_, y_, MPFR_RNDN);
    mpfr_subnormalize(rounded_, inexact, MPFR_RNDN);
    const double correct = mpfr_get_d(rounded_, MPFR_RNDN);
    const bool same = sameBits(correct, ours);
    if (!std::isfinite(ours) || !std::isfinite(correct)) return {same ? 0 : INFINITY, same};
    if (f.mpfr1)
      f.mpfr1(exact_, x_, MPFR_RNDN);
    else
      f.mpfr2(exact_, x_, y_, MPFR_RNDN);
    mpfr_sub_d(diff_, exact_, ours, MPFR_RNDN);
    mpfr_abs(diff_, diff_, MPFR_RNDN);
    long e = mpfr_zero_p(exact_) ? -2000 : mpfr_get_exp(exact_);  // exact in [2^(e-1), 2^e)
    if (e - 53 < -1074) e = -1074 + 53;
    mpfr_mul_2si(diff_, diff_, 53 - e, MPFR_RNDN);
    return {mpfr_get_d(diff_, MPFR_RNDN), same};
  }

 private:
  mpfr_t exact_, diff_, rounded_, x_, y_;
};

std::vector<Function> functions() {
  constexpr double PI = 3.14159265358979323846;
  auto one = [](double (*g)(Generator&)) { return [g](Generator& r) { return std::pair{g(r), 0.0}; }; };
  const std::vector<Range> trig = {
      {"[-pi, pi]", one([](Generator& r) { return r.uniform(-PI, PI); })},
      {"|x| in [1e-8, 1]", one([](Generator& r) { return r.logUniform(1e-8, 1, true); })},
      {"|x| in [pi, 2^28]", one([](Generator& r) { return r.logUniform(PI, 0x1p28, true); })},
      {"|x| in [2^28, 1e300]", one([](Generator& r) { return r.logUniform(0x1p28, 1e300, true); })},
      {"k pi/2 + h, |k| <= 3, |h| in [1e-8, 2^-8]", one([](Generator& r) {
         return static_cast<double>(static_cast<int>(r.next() % 7) - 3) * (PI / 2) + r.logUniform(1e-8, 0x1p-8, true);
       })},
  };
  return {
      {"sin", [](double x, double) { return velqora::sin(x); }, mpfr_sin, nullptr, trig},
      {"cos", [](double x, double) { return velqora::cos(x); }, mpfr_cos, nullptr, trig},
      {"tan", [](double x, double) { return velqora::tan(x); }, mpfr_tan, nullptr, trig},
      {"atan",
       [](double x, double) { return velqora::atan(x); },
       mpfr_atan,
       nullptr,
       {{"[-1, 1]", one([](Generator& r) { return r.uniform(-1, 1); })},
        {"|x| in [1e-8, 1]", one([](Generator& r) { return r.logUniform(1e-8, 1, true); })},
        {"[-20, 20]", one([](Generator& r) { return r.uniform(-20, 20); })},
        {"|x| in [1e-300, 1e300]", one([](Generator& r) { return r.logUniform(1e-300, 1e300, true); })}}},
      {"atan2",
       [](double y, double x) { return velqora::atan2(y, x); },
       nullptr,
       mpfr_atan2,
       {{"y, x in [-1, 1]",
         [](Generator& r) {
           return std::pair{r.uniform(-1, 1), r.uniform(-1, 1)};
         }},
        {"|y|, |x| in [1e-300, 1e300]",
         [](Generator& r) {
           return std::pair{r.logUniform(1e-300, 1e300, true), r.logUniform(1e-300, 1e300, true)};
         }}}},
      {"log",
       [](double x, double) { return velqora::log(x); },
       mpfr_log,
       nullptr,
       {{"[0.5, 2]", one([](Generator& r) { return r.uniform(0.5, 2); })},
        {"1 +- 2^-8", one([](Generator& r) { return r.uniform(1 - 0x1p-8, 1 + 0x1p-8); })},
        {"(0, inf), all exponents", one([](Generator& r) { return r.anyPositive(); })}}},
      {"exp",
       [](double x, double) { return velqora::exp(x); },
       mpfr_exp,
       nullptr,
       {{"[-1, 1]", one([](Generator& r) { return r.uniform(-1, 1); })},
        {"[-746, 710]", one([](Generator& r) { return r.uniform(-746, 710); })},
        {"[-746, -708], [705, 710]",
         one([](Generator& r) { return r.next() & 1 ? r.uniform(-746, -708) : r.uniform(705, 710); })}}},
      {"pow",
       [](double x, double y) { return velqora::pow(x, y); },
       nullptr,
       mpfr_pow,
       {{"x in (0, 2], y = 1.5",
         [](Generator& r) {
           return std::pair{r.uniform(0, 2), 1.5};
         }},
        {"x in [0.8, 1.25], y in [0.035, 0.045]",
         [](Generator& r) {
           return std::pair{r.uniform(0.8, 1.25), r.uniform(0.035, 0.045)};
         }},
        {"x in (0, 3], y in [0.3, 1]",
         [](Generator& r) {
           return std::pair{r.uniform(0, 3), r.uniform(0.3, 1)};
         }},
        {"x in (0, 1], y in 0..8",
         [](Generator& r) {
           return std::pair{r.uniform(0, 1), static_cast<double>(r.next() % 9)};
         }},
        {"x in [1e-10, 1e10], y in [-30, 30]",
         [](Generator& r) {
           return std::pair{r.logUniform(1e-10, 1e10, false), r.uniform(-30, 30)};
         }},
        {"x > 0 any, |y log x| <= 750",
         [](Generator& r) {
           const double x = r.anyPositive();
           return std::pair{x, r.uniform(-750, 750) / std::fabs(std::log(x))};
         }}}},
  };
}

}  // namespace

int main(int argc, char** argv) {
  const long perFunction = argc > 1 ? std::atol(argv[1]) : 1000000;
  if (perFunction <= 0) {
    std::fprintf(stderr, "usage: %s [ARGUMENTS_PER_FUNCTION]\n", argv[0]);
    return 2;
  }
  mpfr_set_emin(-1073);  // doubles' range, so that subnormalize rounds as doubles do
  mpfr_set_emax(1024);
  Reference reference;
  Generator generator;
  bool missed = false;
  std::printf("| Function | Arguments | Count | Max. error (ulp) | Correctly rounded |\n|---|---|---|---|---|\n");
  for (const Function& f : functions()) {
    Tally all;
    for (const Range& range : f.ranges) {
      Tally t;
      const long ranges = static_cast<long>(f.ranges.size());
      const long n = (perFunction + ranges - 1) / ranges;
      for (long i = 0; i < n; ++i) {
        const auto [x, y] = range.draw(generator);
        const auto [ulp, same] = reference.check(f, x, y, f.ours(x, y));
        ++t.count;
        t.rounded += same;
        if (!same) std::fprintf(stderr, "%s(%a, %a) is not correctly rounded\n", f.name.c_str(), x, y);
        if (ulp > t.maxUlp) {
          t.maxUlp = ulp;
          t.worstX = x;
          t.worstY = y;
        }
      }
      std::printf("| %s | %s | %ld | %.3f | %.4f%% |\n", f.name.c_str(), range.arguments.c_str(), t.count, t.maxUlp,
                  100.0 * static_cast<double>(t.rounded) / static_cast<double>(t.count));
      if (t.maxUlp > 0.5) std::fprintf(stderr, "%s worst at %a, %a\n", f.name.c_str(), t.worstX, t.worstY);
      all.count += t.count;
      all.rounded += t.rounded;
    }
    if (all.rounded < all.count) missed = true;
  }
  long edgeDiffers = 0;
  long edgeCount = 0;
  for (const Function& f : functions()) {
    for (const auto& [x, y] : edgeCases(f.name)) {
      const double ours = f.ours(x, y);
      ++edgeCount;
      if (!reference.check(f, x, y, ours).second) {
        ++edgeDiffers;
        std::printf("edge case differs: %s(%a, %a) = %a\n", f.name.c_str(), x, y, ours);
      }
    }
  }
  std::printf("edge cases: %ld checked, %ld differ\n", edgeCount, edgeDiffers);
  if (edgeDiffers > 0) missed = true;
  // sincos gives the bits of sin and cos, over the sine's ranges and edge cases.
  const Function sine = functions().front();
  std::vector<double> angles;
  for (const Range& range : sine.ranges)
    for (long i = 0; i < perFunction / static_cast<long>(sine.ranges.size()); ++i)
      angles.push_back(range.draw(generator).first);
  for (const auto& [x, y] : edgeCases(sine.name)) angles.push_back(x);
  long sincosDiffers = 0;
  for (const double x : angles) {
    const velqora::SineCosine sc = velqora::sincos(x);
    if (!sameBits(sc.sin, velqora::sin(x)) || !sameBits(sc.cos, velqora::cos(x))) {
      ++sincosDiffers;
      std::printf("sincos(%a) differs from sin and cos\n", x);
    }
  }
  std::printf("sincos: %zu angles, %ld differ from sin and cos\n", angles.size(), sincosDiffers);
  if (sincosDiffers > 0) missed = true;
  if (missed) std::printf("GOAL MISSED: a result not correctly rounded\n");
  return missed ? 1 : 0;
}
