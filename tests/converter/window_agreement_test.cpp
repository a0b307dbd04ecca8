// velqora-convert's texts are the window's: for every bundled grid system, a sample of
// points goes through the real window (the replay tool), each conversion right after the
// ellipsoid is picked, and through velqora-convert with the same picks and typed texts;
// forward from decimal and from sexagesimal input, back in decimal and in sexagesimal,
// all with the derived values.
#include <gtest/gtest.h>

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

std::vector<std::string> split(const std::string& text, char by) {
  std::istringstream in(text);
  std::vector<std::string> parts;
  for (std::string part; std::getline(in, part, by);)
    if (!part.empty()) parts.push_back(part);
  return parts;
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
  std::string degrees = text(d);
  if (v < 0) degrees.insert(degrees.begin(), '-');
  return {degrees, text(m), text((a - d - m / 60) * 3600, "%.4f")};
}

// The window's angle from its three fields.
double angle(const e2e::Screen& s, int d, int m, int sec) {
  const double sign = s.edit[static_cast<std::size_t>(d)].rfind('-', 0) == 0 ? -1 : 1;
  return s.number(d) + sign * (s.number(m) / 60 + s.number(sec) / 3600);
}

TEST(Converter, ShowsTheWindowsTextsOnEveryBundledGridSystem) {
  const auto systems = e2e::readRecords(bundledData() + "/gridlist.txt");
  const auto ellipsoids = e2e::readRecords(bundledData() + "/earth-sz.txt");
  ASSERT_GE(systems.size(), 12u);
  for (std::size_t k = 1; k < systems.size(); ++k) {
    // The ellipsoid the grid system's name brackets, and its middle grid group.
    const std::string& name = systems[k].lines.at(0);
    SCOPED_TRACE(name);
    const std::string wanted = withoutBrackets(name.substr(name.find('(') + 1, name.rfind(')') - name.find('(') - 1));
    std::size_t ellipsoid = 0;
    for (std::size_t e = 1; e < ellipsoids.size(); ++e)
      if (withoutBrackets(ellipsoids[e].lines.at(0)) == wanted) ellipsoid = e;
    ASSERT_GE(ellipsoid, 1u) << "no ellipsoid " << wanted;
    const std::size_t group = e2e::readRecords(bundledData() + "/" + systems[k].lines.at(1)).size() / 2;
    std::string script = "pick COMBO3 " + std::to_string(k) + "\npick COMBO2 " + std::to_string(group) + "\nshow\n";
    const e2e::ReplayRun picked = e2e::replay(bundledData(), script);
    ASSERT_EQ(picked.screens.size(), 1u) << picked.output;
    const e2e::Screen& origin = picked.screens[0];

    const std::string repick = "pick COMBO1 0\npick COMBO1 " + std::to_string(ellipsoid) + "\n";
    std::string decimalIn, sexagesimalIn, gridIn;
    for (std::size_t i = 0; i < ANGLE_OFFSETS.size(); ++i) {
      const double lon = angle(origin, 5, 7, 9) + ANGLE_OFFSETS[i][0];
      const double lat = angle(origin, 6, 8, 10) + ANGLE_OFFSETS[i][1];
      const auto L = sexagesimal(lon);
      const auto B = sexagesimal(lat);
      const std::string x = text(origin.number(11) + GRID_OFFSETS[i][0]);
      const std::string y = text(origin.number(12) + GRID_OFFSETS[i][1]);
      decimalIn += text(lon) + " " + text(lat) + "\n";
      sexagesimalIn += L[0] + " " + L[1] + " " + L[2] + " " + B[0] + " " + B[1] + " " + B[2] + "\n";
      gridIn += x + " " + y + "\n";
      script += repick + "type EDIT20 " + text(lon) + "\ntype EDIT21 " + text(lat) + "\npress BUTTON2\nshow\n";
      script += repick + "type EDIT14 " + L[0] + "\ntype EDIT16 " + L[1] + "\ntype EDIT18 " + L[2] + "\n";
      script += "type EDIT15 " + B[0] + "\ntype EDIT17 " + B[1] + "\ntype EDIT19 " + B[2] + "\npress BUTTON3\nshow\n";
      script += repick + "type EDIT22 " + x + "\ntype EDIT23 " + y + "\npress BUTTON4\nshow\n";
    }
    const e2e::ReplayRun window = e2e::replay(bundledData(), script);
    ASSERT_EQ(window.screens.size(), 1 + 3 * ANGLE_OFFSETS.size()) << window.output;

    // Each run: its options, input, the window's screen of each line (1 decimal, 2
    // sexagesimal, 3 inverse), the input fields to skip, the window's result fields.
    struct Run {
      std::vector<std::string> options;
      const std::string& input;
      std::size_t screen, skip;
      std::vector<int> fields;
    };
    const std::vector<Run> runs = {
        {{}, decimalIn, 1, 2, {22, 23, 24, 30, 31, 32}},
        {{"--sexagesimal"}, sexagesimalIn, 2, 6, {22, 23, 24, 30, 31, 32}},
        {{"--inverse"}, gridIn, 3, 2, {20, 21, 25, 26, 24, 30, 31, 32}},
        {{"--inverse", "--sexagesimal"}, gridIn, 3, 2, {14, 16, 18, 15, 17, 19, 25, 26, 24, 30, 31, 32}},
    };
    for (const Run& run : runs) {
      std::vector<std::string> args = {"--ellipsoid", std::to_string(ellipsoid), "--grid-system", std::to_string(k),
                                       "--grid-group", std::to_string(group), "--derived"};
      args.insert(args.end(), run.options.begin(), run.options.end());
      const ProgramRun converted = runConvert(args, run.input);
      EXPECT_EQ(converted.status, 0) << converted.err;
      const std::vector<std::string> lines = split(converted.out, '\n');
      ASSERT_EQ(lines.size(), ANGLE_OFFSETS.size());
      for (std::size_t i = 0; i < lines.size(); ++i) {
        const e2e::Screen& screen = window.screens[run.screen + 3 * i];
        const std::vector<std::string> got = split(lines[i], ' ');
        ASSERT_TRUE(screen.alerts.empty()) << "the window refused " << lines[i];
        ASSERT_EQ(got.size(), run.skip + run.fields.size()) << lines[i];
        for (std::size_t f = 0; f < run.fields.size(); ++f)
          EXPECT_EQ(got[run.skip + f], screen.edit[static_cast<std::size_t>(run.fields[f])])
              << "EDIT" << run.fields[f] << " for " << lines[i];
      }
    }
  }
}

}  // namespace
}  // namespace velqora::convert::testing
