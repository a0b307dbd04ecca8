#include <gtest/gtest.h>

#include <clocale>
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
