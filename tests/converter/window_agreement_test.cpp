// velqora-convert's texts are the window's: for every bundled grid system, a sample of
// points goes through the real window (the replay tool), each conversion right after the
// ellipsoid is picked, and through velqora-convert with the same picks and typed texts;
// forward from decimal and from sexagesimal input, back in decimal and in sexagesimal,
// all with the derived values.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "tests/converter/program_run.h"
#include "tests/e2e/bundled_lists.h"
#include "tests/e2e/replay_run.h"

namespace velqora::convert::testing {
namespace {

using e2e::readRecords;
using e2e::Screen;

// Offsets from the grid group's origin: degrees for the forward points, km from its
// shifts for the grid points.
constexpr std::array<std::array<double, 2>, 6> ANGLE_OFFSETS{
    {{0, 0}, {0.3, 0.45}, {-1.2, 1.7}, {1.9, -0.8}, {-0.05, -1.3}, {0.777777, 0.123456}}};
constexpr std::array<std::array<double, 2>, 6> GRID_OFFSETS{
    {{0, 0}, {12.5, 30.25}, {-80.125, 150.5}, {150.75, -60.333}, {-3.3, -120.9}, {55.555555, 5.5}}};

std::string text(double v, const char* format = "%.9g") {
  std::array<char, 40> s{};
  std::snprintf(s.data(), s.size(), format, v);
  return s.data();
}

std::vector<std::string> fieldsOf(const std::string& line) {
  std::istringstream words(line);
  std::vector<std::string> fields;
  for (std::string w; words >> w;) fields.push_back(w);
  return fields;
}

std::vector<std::string> linesOf(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> lines;
  for (std::string l; std::getline(in, l);) lines.push_back(l);
  return lines;
}

std::string withoutBrackets(std::string s) {
  std::erase(s, '(');
  std::erase(s, ')');
  return s;
}

// An angle typed in three fields, the sign on the degrees ("-0" for less than one west).
std::array<std::string, 3> sexagesimal(double v) {
  const double a = std::fabs(v);
  const double d = std::floor(a);
  const double m = std::floor((a - d) * 60);
  return {(v < 0 ? "-" : "") + text(d), text(m), text((a - d - m / 60) * 3600, "%.4f")};
}

// A bundled grid system, the ellipsoid its name brackets, its middle grid group, and
// that group's origin and shifts.
struct System {
  int position = -1, ellipsoid = -1, group = -1;
  std::string name;
  double lon0 = 0, lat0 = 0, xShift = 0, yShift = 0;
};

double angleOf(const std::vector<std::string>& v, std::size_t first) {
  const double sign = v[first].rfind('-', 0) == 0 ? -1 : 1;
  return std::strtod(v[first].c_str(), nullptr) + sign * (std::strtod(v[first + 1].c_str(), nullptr) / 60 +
                                                          std::strtod(v[first + 2].c_str(), nullptr) / 3600);
}

std::vector<System> bundledSystems() {
  const std::string data = bundledData() + "/";
  const auto systems = readRecords(data + "gridlist.txt");
  const auto ellipsoids = readRecords(data + "earth-sz.txt");
  std::vector<System> out;
  for (std::size_t i = 1; i < systems.size(); ++i) {
    System s;
    s.position = static_cast<int>(i);
    s.name = systems[i].lines.at(0);
    const std::size_t open = s.name.find('(');
    const std::string wanted = withoutBrackets(s.name.substr(open + 1, s.name.rfind(')') - open - 1));
    for (std::size_t e = 1; e < ellipsoids.size(); ++e)
      if (withoutBrackets(ellipsoids[e].lines.at(0)) == wanted) s.ellipsoid = static_cast<int>(e);
    const auto groups = readRecords(data + systems[i].lines.at(1));
    s.group = static_cast<int>(groups.size() / 2);
    // The sixteen values after the name, on one line or several.
    std::string joined;
    for (std::size_t l = 1; l < groups.at(static_cast<std::size_t>(s.group)).lines.size(); ++l)
      joined += groups[static_cast<std::size_t>(s.group)].lines[l] + ",";
    std::vector<std::string> values;
    std::stringstream split(joined);
    for (std::string v; std::getline(split, v, ',');) values.push_back(v.erase(0, std::min(v.find_first_not_of(' '), v.size())));
    s.lon0 = angleOf(values, 0);
    s.lat0 = angleOf(values, 3);
    s.xShift = std::strtod(values.at(6).c_str(), nullptr);
    s.yShift = std::strtod(values.at(7).c_str(), nullptr);
    out.push_back(s);
  }
  return out;
}

class BundledSystem : public ::testing::TestWithParam<int> {};

TEST_P(BundledSystem, ConverterShowsTheWindowsTexts) {
  const std::vector<System> systems = bundledSystems();
  const System& s = systems.at(static_cast<std::size_t>(GetParam()));
  ASSERT_GE(s.ellipsoid, 1) << "no ellipsoid for " << s.name;
  const std::string repick = "pick COMBO1 0\npick COMBO1 " + std::to_string(s.ellipsoid) + "\n";

  std::string script = "pick COMBO3 " + std::to_string(s.position) + "\npick COMBO2 " + std::to_string(s.group) + "\n";
  std::string decimalIn, sexagesimalIn, gridIn;
  for (std::size_t i = 0; i < ANGLE_OFFSETS.size(); ++i) {
    const std::string lon = text(s.lon0 + ANGLE_OFFSETS[i][0]);
    const std::string lat = text(s.lat0 + ANGLE_OFFSETS[i][1]);
    const auto L = sexagesimal(s.lon0 + ANGLE_OFFSETS[i][0]);
    const auto B = sexagesimal(s.lat0 + ANGLE_OFFSETS[i][1]);
    const std::string x = text(s.xShift + GRID_OFFSETS[i][0]);
    const std::string y = text(s.yShift + GRID_OFFSETS[i][1]);
    decimalIn += lon + " " + lat + "\n";
    sexagesimalIn += L[0] + " " + L[1] + " " + L[2] + " " + B[0] + " " + B[1] + " " + B[2] + "\n";
    gridIn += x + " " + y + "\n";
    script += repick + "type EDIT20 " + lon + "\ntype EDIT21 " + lat + "\npress BUTTON2\nshow\n";
    script += repick + "type EDIT14 " + L[0] + "\ntype EDIT16 " + L[1] + "\ntype EDIT18 " + L[2] + "\n";
    script += "type EDIT15 " + B[0] + "\ntype EDIT17 " + B[1] + "\ntype EDIT19 " + B[2] + "\npress BUTTON3\nshow\n";
    script += repick + "type EDIT22 " + x + "\ntype EDIT23 " + y + "\npress BUTTON4\nshow\n";
  }
  const e2e::ReplayRun window = e2e::replay(bundledData(), script);
  ASSERT_EQ(window.status, 0) << window.output;
  ASSERT_EQ(window.screens.size(), 3 * ANGLE_OFFSETS.size()) << window.unparsed;

  const std::vector<std::string> picks = {"--ellipsoid", std::to_string(s.ellipsoid), "--grid-system",
                                          std::to_string(s.position), "--grid-group", std::to_string(s.group), "--derived"};
  const auto convert = [&](std::vector<std::string> more, const std::string& input) {
    more.insert(more.begin(), picks.begin(), picks.end());
    const ProgramRun run = runConvert(more, input);
    EXPECT_EQ(run.status, 0) << run.err;
    return linesOf(run.out);
  };
  struct Run {
    std::vector<std::string> lines;
    std::size_t screen;         // 0 decimal, 1 sexagesimal, 2 inverse
    std::size_t skip;           // the input fields
    std::vector<int> fields;    // the window's fields of the results, in order
  };
  const std::vector<int> derived = {24, 30, 31, 32};
  auto with = [&](std::vector<int> f) {
    f.insert(f.end(), derived.begin(), derived.end());
    return f;
  };
  const std::vector<Run> runs = {
      {convert({}, decimalIn), 0, 2, with({22, 23})},
      {convert({"--sexagesimal"}, sexagesimalIn), 1, 6, with({22, 23})},
      {convert({"--inverse"}, gridIn), 2, 2, with({20, 21, 25, 26})},
      {convert({"--inverse", "--sexagesimal"}, gridIn), 2, 2, with({14, 16, 18, 15, 17, 19, 25, 26})},
  };
  for (const Run& run : runs) {
    ASSERT_EQ(run.lines.size(), ANGLE_OFFSETS.size());
    for (std::size_t i = 0; i < run.lines.size(); ++i) {
      const Screen& screen = window.screens[3 * i + run.screen];
      const std::vector<std::string> got = fieldsOf(run.lines[i]);
      ASSERT_TRUE(screen.alerts.empty()) << s.name << ": the window refused " << run.lines[i];
      ASSERT_EQ(got.size(), run.skip + run.fields.size()) << run.lines[i];
      for (std::size_t k = 0; k < run.fields.size(); ++k)
        EXPECT_EQ(got[run.skip + k], screen.edit[static_cast<std::size_t>(run.fields[k])])
            << s.name << ", EDIT" << run.fields[k] << " for " << run.lines[i];
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Converter, BundledSystem, ::testing::Range(0, 11));

// A grid system added to the bundle must be in the range above.
TEST(BundledSystems, AllAreCompared) { EXPECT_EQ(bundledSystems().size(), 11u); }

}  // namespace
}  // namespace velqora::convert::testing
