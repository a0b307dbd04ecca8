#include <gtest/gtest.h>

#include <bit>
#include <clocale>
#include <cstdint>
#include <cstdlib>
#include <cmath>
#include <string>
#include <vector>

#include "geodesy/number_text.h"

namespace {

using velqora::Number;
using velqora::Sign;

TEST(Number, ReadsTheNumberAtTheStartOfTheText) {
  const std::vector<std::pair<std::string, double>> cases = {
      {"", 0},          {"   ", 0},        {"abc", 0},     {"E139", 0},      {"139.5", 139.5},
      {"  139.5", 139.5}, {"-35", -35},    {"+0", 0},      {"-.5", -0.5},    {".5", 0.5},
      {"5.", 5},        {"12 34", 12},     {"1.5e3", 1500}, {"1.5D3", 1500},  {"2d-2", 0.02},
      {"2E+2", 200},    {"1E", 1},         {"1E+", 1},     {"1e-x", 1},      {"-", 0},
      {"--5", 0},       {"+-5", 0},        {"+.", 0},      {"-0", 0},        {"6378.137km", 6378.137},
      {"\t7", 7},       {"1,5", 1},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(Number(text), value) << '"' << text << '"';
}

TEST(Number, BeyondTheDoubleRangeIsInfinite) {
  EXPECT_EQ(Number("1E400"), INFINITY);
  EXPECT_EQ(Number("-1d400"), -INFINITY);
  EXPECT_EQ(Number("1E-400"), 0);
}

// The portable conversion must give strtod's exact results, the edges of the range included.
TEST(Number, AgreesWithStrtodBitForBit) {
  for (const char* text : {"0.1", "6378.137", "298.257223563", "1.7976931348623157e308", "1.8e308",
                           "-2.5e-320", "4.9e-324", "2e-324", "0.000000000000000000001e-310",
                           "123456789012345678901234567890", "1000e-1000", "0.0001e312", "-00000.0e999",
                           "9007199254740993", "2.2250738585072011e-308"})
    EXPECT_EQ(std::bit_cast<std::uint64_t>(Number(text)), std::bit_cast<std::uint64_t>(std::strtod(text, nullptr)))
        << text;
}

TEST(Number, IgnoresTheUsersLocale) {
  const char* old = std::setlocale(LC_NUMERIC, nullptr);
  const std::string saved = old ? old : "C";
  if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") || std::setlocale(LC_NUMERIC, "C.UTF-8")) {
    EXPECT_EQ(Number("139.5"), 139.5);
  }
  std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(Sign, ComesFromTheFirstCharacter) {
  EXPECT_EQ(Sign("-0"), -1);
  EXPECT_EQ(Sign("-"), -1);
  EXPECT_EQ(Sign(" -35"), 1);
  EXPECT_EQ(Sign(""), 1);
  EXPECT_EQ(Sign("35"), 1);
}

}  // namespace
