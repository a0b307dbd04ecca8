#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "geodesy/constants.h"
#include "geodesy/display.h"
#include "geodesy/elementary.h"

namespace {

using velqora::DSPDCM;
using velqora::DSPSEXA;

struct DecimalCase {
  double x;
  int n;
  const char* text;
};

TEST(DSPDCM, CutsDigitsWithoutRounding) {
  const std::vector<DecimalCase> cases = {
      {0, 12, "+0"},
      {-0.0, 5, "+0"},
      {5.5, 12, "+5.5"},
      {100, 12, "+100"},
      {1000, 11, "+1000"},
      {99, 11, "+99"},  // the leading zero of the hundreds place is skipped
      {9.8, 12, "+9.80000000000"},
      {6378.137, 12, "+6378.13699999"},
      {298.257222101, 12, "+298.257222101"},
      {0.3, 12, "+0.29999999999"},
      {-35.5, 11, "-35.5"},
      {123456, 3, "+123000"},
      {25, 1, "+20"},
      {12345.678, 5, "+12345"},
      {-0.000012, 5, "-0.0000"},
      {6356.752314140356, 12, "+6356.75231414"},
      {1e20, 3, "+100000000000000000000"},
      // Digit counts outside 1 to 12 are taken as the nearest end.
      {0.3, 22, "+0.29999999999"},
      {0.3, 13, "+0.29999999999"},
      {6378.137, 1000, "+6378.13699999"},
      {0.3, 0, "+0"},
      {25, -7, "+20"},
      {-0.000012, -2147483647 - 1, "-0"},
  };
  for (const auto& c : cases) EXPECT_EQ(DSPDCM(c.x, c.n), c.text) << c.x << " with " << c.n << " digits";
}

TEST(DSPDCM, NearDigitBoundaryGivesTheExactDecimalCut) {
  // The double remainders would step below 0 or reach 10 here; the text is the
  // cut of the double's exact decimal value instead.
  EXPECT_EQ(DSPDCM(0.009, 5), "+0.0089");
  EXPECT_EQ(DSPDCM(0.00011, 11), "+0.0001100000");
  EXPECT_EQ(DSPDCM(-0.009, 5), "-0.0089");
}

TEST(DSPDCM, OnlyDigitsSignAndPointOverManyValues) {
  // A sweep through awkward magnitudes: every text is a sign, digits and at most
  // one point, and reads back as a number no larger than |x| (digits are cut).
  for (int e = -12; e <= 12; ++e) {
    for (int k = 1; k < 1000; k += 7) {
      const double x = k * std::pow(10.0, e) / 997.0;
      for (int n : {5, 10, 11, 12}) {
        const std::string t = DSPDCM(x, n);
        ASSERT_FALSE(t.empty());
        ASSERT_EQ(t[0], '+');
        EXPECT_EQ(t.find_first_not_of("0123456789.", 1), std::string::npos) << x << " gives " << t;
        EXPECT_LE(t.find('.'), t.rfind('.'));
        EXPECT_LE(std::stod(t.substr(1)), x * (1 + 1e-15)) << x << " gives " << t;
      }
    }
  }
}

// DSPDCM's steps as first written, with the position of the first digit from the
// logarithm and the floor of every quotient by the library: the faster steps must give
// the same text for every double and digit count. Where this one's remainders leave
// 0..9 the exact decimal cut answers; that path is shared and compared as it stands.
std::string literalDspdcm(double x, int n) {
  if (x == 0) return "+0";
  std::string text(1, x < 0 ? '-' : '+');
  double A = std::fabs(x);
  const double magnitude = velqora::log(A) / velqora::log(10.0) + static_cast<double>(0.01f);
  int P = static_cast<int>(std::floor(magnitude));
  if (P < 0) P = 0;
  int K = 0;
  for (;;) {
    const double power = std::strtod(("1e" + std::to_string(P)).c_str(), nullptr);
    const float D = static_cast<float>(std::floor(A / power));
    A = A - static_cast<double>(D) * power;
    if (K == 0 && D == 0 && P > 0) {
      --P;
      continue;
    }
    if (!(D >= 0 && D <= 9)) return DSPDCM(x, n);
    text += static_cast<char>('0' + static_cast<int>(D));
    ++K;
    if (P < 1 && A == 0) return text;
    if (K == n) break;
    if (P == 0) text += '.';
    --P;
  }
  if (P > 0) text.append(static_cast<std::size_t>(P), '0');
  return text;
}

// Random doubles: any finite bit pattern, and values spread evenly in magnitude from
// 1e-9 to 1e9 as coordinates, shifts and lengths are. VELQORA_DSPDCM_SAMPLES sets how
// many (10^8 for the full check; the suite runs 5 x 10^4).
TEST(DSPDCM, FasterStepsGiveTodaysTextsForEveryDigitCount) {
  const char* env = std::getenv("VELQORA_DSPDCM_SAMPLES");
  const long samples = env != nullptr ? std::atol(env) : 50000;
  std::mt19937_64 random(20261207);
  std::uniform_real_distribution<double> exponent(-9, 9);
  long checked = 0;
  for (long i = 0; i < samples; ++i) {
    double x = i % 2 == 0 ? std::bit_cast<double>(random()) : std::pow(10.0, exponent(random));
    if (!std::isfinite(x)) continue;
    if (i % 4 == 1) x = -x;
    for (int n = 1; n <= 12; ++n) {
      ++checked;
      ASSERT_EQ(DSPDCM(x, n), literalDspdcm(x, n)) << std::hexfloat << x << " n " << n;
    }
  }
  EXPECT_GT(checked, samples * 12 * 9 / 10);
}

TEST(DSPDCM, NonFiniteGivesNoText) {
  EXPECT_EQ(DSPDCM(INFINITY, 11), "");
  EXPECT_EQ(DSPDCM(NAN, 11), "");
  EXPECT_EQ(velqora::unsignedText(NAN, 12), "");
  EXPECT_EQ(velqora::unsignedText(6378.137, 12), "6378.13699999");
}

struct AngleCase {
  double x;
  const char* d;
  const char* m;
  const char* s;
};

TEST(DSPSEXA, DegreesMinutesSecondsCut) {
  const std::vector<AngleCase> cases = {
      {0, "+0", "00", "00"},
      {-35.5, "-35", "30", "00"},
      {-0.5, "-0", "30", "00"},
      {139.75, "+139", "45", "00"},
      {139.0, "+139", "00", "00"},
      {139.7, "+139", "41", "59.9999"},
      {0.0001, "+0", "00", "00.3599"},
      {359.99999, "+359", "59", "59.9640"},
      {5.5 + 5.0 / 3600, "+5", "30", "05.0000"},  // the double lies just above: the cut shows it
      // The mended cases: exact digits near a boundary, all whole degrees past 999.
      {2.4999999999999998e-06, "+0", "00", "00.0089"},
      {1234.5, "+1234", "30", "00"},
      {-1000, "-1000", "00", "00"},
  };
  for (const auto& c : cases) {
    std::string d, m, s;
    DSPSEXA(c.x, d, m, s);
    EXPECT_EQ(std::tie(d, m, s), std::make_tuple(std::string(c.d), std::string(c.m), std::string(c.s))) << c.x;
  }
}

TEST(DSPSEXA, TypedSecondsRoundTripIntoDigitsOnly) {
  // 0 deg 0 arcm 32.4 arcs and its neighbours, as the sexagesimal command forms them.
  for (int tenths = 0; tenths < 36000; tenths += 7) {
    const double x = 0 + 0.0 / 60 + (tenths / 10.0) / 3600;
    std::string d, m, s;
    DSPSEXA(x, d, m, s);
    EXPECT_EQ(s.find_first_not_of("0123456789."), std::string::npos) << x << " gives " << s;
    EXPECT_EQ(m.find_first_not_of("0123456789"), std::string::npos) << x << " gives " << m;
    EXPECT_EQ(d.find_first_not_of("0123456789", 1), std::string::npos) << x << " gives " << d;
  }
}

}  // namespace
