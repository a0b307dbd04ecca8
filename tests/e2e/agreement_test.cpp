// Every bundled grid system, end to end through the window: a point forward from decimal
// and from sexagesimal input and back from its grid coordinates, against PROJ's
// conversion of the EPSG system from its own geographic base (so no datum shift enters).

#include <gtest/gtest.h>
#include <proj.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <ostream>
#include <string>

#include "tests/e2e/bundled_lists.h"
#include "tests/e2e/replay_run.h"

namespace velqora::e2e {
namespace {

constexpr double RAD = 3.14159265358979323846 / 180;

// The grid group tried in each grid system (the middle one where there are several) and
// a point 100 to 200 km from its origin, inside its area; Transverse Mercator points lie
// 1.75 to 2.5 degrees from the central meridian. Quarter degrees, so that the decimal
// and the sexagesimal input are the same double.
struct Case {
  const char* file;
  int epsg;
  int code;  // the projection the grid group selects
  double lon;
  double lat;
};

constexpr std::array<Case, 11> CASES{{
    {"utm-north-1-30.txt", 32616, 1, -84.5, 45.25},
    {"utm-north-31-60.txt", 32646, 1, 90.75, 52.5},
    {"utm-south-1-30.txt", 32716, 1, -89.5, -40.75},
    {"utm-south-31-60.txt", 32746, 1, 95.5, -33.25},
    {"gauss-krueger-dhdn.txt", 31468, 1, 13.75, 50.25},
    {"british-national-grid.txt", 27700, 1, -3.75, 51.25},
    {"swiss-lv03.txt", 21781, 2, 8.75, 46.25},
    {"dutch-rd-new.txt", 28992, 6, 6.5, 53.25},
    {"texas-state-plane.txt", 32139, 3, -98.25, 31.25},
    {"jamaica-national-grid.txt", 24200, 4, -78.25, 18.25},
    {"palestine-1923-grid.txt", 28191, 5, 34.5, 30.75},
}};

void PrintTo(const Case& c, std::ostream* out) {
  *out << "EPSG:" << c.epsg << " in " << c.file << " at " << c.lon << ", " << c.lat;
}

// The closed forms agree with PROJ to rounding; the series of Transverse Mercator and
// Cassini-Soldner are truncated, which shows as a few mm at 3 degrees from the meridian.
double toleranceMetres(int code) { return code == 1 || code == 5 ? 0.005 : 0.001; }

std::string text(double v) {
  std::array<char, 32> s{};
  std::snprintf(s.data(), s.size(), "%.17g", v);
  return s.data();
}

// Degrees and arc-minutes texts of a quarter-degree angle, the sign on the degrees.
struct Sexagesimal {
  std::string d, m, s;
};
Sexagesimal sexagesimal(double v) {
  const double a = std::fabs(v);
  const double whole = std::floor(a);
  std::string degrees = text(whole);
  if (v < 0) degrees.insert(degrees.begin(), '-');
  return {degrees, text((a - whole) * 60), "0"};
}

double fromSexagesimal(const Screen& screen, int d, int m, int s) {
  const double sign = screen.edit[static_cast<std::size_t>(d)].rfind('-', 0) == 0 ? -1 : 1;
  return screen.number(d) + sign * (screen.number(m) / 60 + screen.number(s) / 3600);
}

std::string withoutBrackets(std::string s) {
  std::erase(s, '(');
  std::erase(s, ')');
  return s;
}

// PROJ's grid coordinates (m), point scale factor and meridian convergence (degrees,
// positive where grid north lies east of true north) of a point on the CRS's own datum.
struct Truth {
  double x = 0, y = 0, k = 0, convergence = 0;
  double a = 0, b = 0;  // its ellipsoid, m
  bool ok = false;
};

Truth truth(int epsg, double lon, double lat) {
  Truth t;
  PJ_CONTEXT* ctx = proj_context_create();
  PJ* crs = proj_create(ctx, ("EPSG:" + std::to_string(epsg)).c_str());
  PJ* base = crs != nullptr ? proj_crs_get_geodetic_crs(ctx, crs) : nullptr;
  PJ* raw = base != nullptr ? proj_create_crs_to_crs_from_pj(ctx, base, crs, nullptr, nullptr) : nullptr;
  PJ* op = raw != nullptr ? proj_normalize_for_visualization(ctx, raw) : nullptr;
  PJ* ellipsoid = crs != nullptr ? proj_get_ellipsoid(ctx, crs) : nullptr;
  // The scale and the convergence from the bare projection: proj_factors on the CRS
  // itself refuses a grid whose axes are northing first (Gauss-Kruger in PROJ 9.1).
  std::string definition = crs != nullptr ? proj_as_proj_string(ctx, crs, PJ_PROJ_4, nullptr) : "";
  definition = definition.substr(0, definition.find(" +type=crs"));
  PJ* bare = definition.empty() ? nullptr : proj_create(ctx, definition.c_str());
  if (op != nullptr && ellipsoid != nullptr && bare != nullptr) {
    const PJ_COORD xy = proj_trans(op, PJ_FWD, proj_coord(lon, lat, 0, 0));
    const PJ_FACTORS f = proj_factors(bare, proj_coord(lon * RAD, lat * RAD, 0, 0));
    proj_ellipsoid_get_parameters(ctx, ellipsoid, &t.a, &t.b, nullptr, nullptr);
    t.x = xy.xy.x;
    t.y = xy.xy.y;
    t.k = f.meridional_scale;
    t.convergence = f.meridian_convergence / RAD;
    t.ok = std::isfinite(t.x) && std::isfinite(t.y) && t.k > 0 && proj_context_errno(ctx) == 0;
  }
  for (PJ* p : {bare, ellipsoid, op, raw, base, crs})
    if (p != nullptr) proj_destroy(p);
  proj_context_destroy(ctx);
  return t;
}

// List positions of the grid system, its ellipsoid and the grid group.
struct Picks {
  int ellipsoid = -1, system = -1, group = -1;
  std::string systemName;
};

Picks picksFor(const Case& c) {
  Picks p;
  const std::string data = bundledData() + "/";
  const auto systems = readRecords(data + "gridlist.txt");
  for (std::size_t i = 1; i < systems.size(); ++i)
    if (systems[i].lines.size() >= 2 && systems[i].lines[1] == c.file) {
      p.system = static_cast<int>(i);
      p.systemName = systems[i].lines[0];
    }
  // The grid system's name ends with its ellipsoid in brackets; brackets inside that
  // name are dropped there ("Clarke 1880 Benoit" for "Clarke 1880 (Benoit)").
  const std::size_t open = p.systemName.find('(');
  const std::size_t close = p.systemName.rfind(')');
  if (open != std::string::npos && close != std::string::npos && close > open) {
    const std::string wanted = withoutBrackets(p.systemName.substr(open + 1, close - open - 1));
    const auto ellipsoids = readRecords(data + "earth-sz.txt");
    for (std::size_t i = 1; i < ellipsoids.size(); ++i)
      if (!ellipsoids[i].lines.empty() && withoutBrackets(ellipsoids[i].lines[0]) == wanted)
        p.ellipsoid = static_cast<int>(i);
  }
  const auto groups = readRecords(data + c.file);
  const std::string head = " EPSG:" + std::to_string(c.epsg);
  for (std::size_t i = 0; i < groups.size(); ++i)
    if (groups[i].head == head) p.group = static_cast<int>(i);
  return p;
}

std::string pickScript(const Picks& p) {
  return "pick COMBO1 " + std::to_string(p.ellipsoid) + "\npick COMBO3 " + std::to_string(p.system) +
         "\npick COMBO2 " + std::to_string(p.group) + "\n";
}

class BundledGridSystem : public ::testing::TestWithParam<Case> {};

TEST_P(BundledGridSystem, ForwardByBothInputsAndBackAgreeWithProj) {
  const Case& c = GetParam();
  const Picks picks = picksFor(c);
  ASSERT_GE(picks.system, 1) << c.file << " is not in gridlist.txt";
  ASSERT_GE(picks.ellipsoid, 1) << "no ellipsoid in earth-sz.txt for " << picks.systemName;
  ASSERT_GE(picks.group, 0) << "no grid group EPSG:" << c.epsg << " in " << c.file;
  const Truth proj = truth(c.epsg, c.lon, c.lat);
  ASSERT_TRUE(proj.ok) << "PROJ cannot convert with EPSG:" << c.epsg;

  // The first conversion writes the completed ellipsoid back as cut texts, which a
  // second one would then read as typed; the ellipsoid is picked again so that both
  // convert on the same one.
  const std::string pickEllipsoid = "pick COMBO1 " + std::to_string(picks.ellipsoid) + "\n";
  const Sexagesimal lon = sexagesimal(c.lon);
  const Sexagesimal lat = sexagesimal(c.lat);
  std::string script = pickScript(picks);
  script += "type EDIT20 " + text(c.lon) + "\ntype EDIT21 " + text(c.lat) + "\npress BUTTON2\nshow\n";
  script += "pick COMBO1 0\n" + pickEllipsoid;
  script += "type EDIT20\ntype EDIT21\ntype EDIT22\ntype EDIT23\n";
  script += "type EDIT14 " + lon.d + "\ntype EDIT16 " + lon.m + "\ntype EDIT18 " + lon.s + "\n";
  script += "type EDIT15 " + lat.d + "\ntype EDIT17 " + lat.m + "\ntype EDIT19 " + lat.s + "\n";
  script += "press BUTTON3\nshow\n";
  const ReplayRun forward = replay(bundledData(), script);
  ASSERT_EQ(forward.status, 0) << forward.output;
  ASSERT_EQ(forward.screens.size(), 2u) << forward.unparsed;
  const Screen& decimal = forward.screens[0];
  const Screen& sexa = forward.screens[1];

  // The window shows the chosen grid group and ellipsoid, and the one PROJ uses.
  EXPECT_TRUE(decimal.alerts.empty()) << decimal.alerts.front();
  EXPECT_EQ(decimal.combo[4].selected, c.code);
  EXPECT_NEAR(decimal.number(1) * 1000, proj.a, 1e-3) << "equatorial radius";
  EXPECT_NEAR(decimal.number(2) * 1000, proj.b, 1e-3) << "polar radius as completed";

  // Forward from decimal degrees, with the point's echo in sexagesimal.
  const double dx = decimal.number(22) * 1000 - proj.x;
  const double dy = decimal.number(23) * 1000 - proj.y;
  EXPECT_NEAR(dx, 0, toleranceMetres(c.code)) << "X " << decimal.edit[22];
  EXPECT_NEAR(dy, 0, toleranceMetres(c.code)) << "Y " << decimal.edit[23];
  EXPECT_DOUBLE_EQ(fromSexagesimal(decimal, 14, 16, 18), c.lon);
  EXPECT_DOUBLE_EQ(fromSexagesimal(decimal, 15, 17, 19), c.lat);
  // The derived values: a 10-arc-second forward difference over a single-precision arc
  // length, so close to PROJ's analytic ones but not to their last digits. The window's
  // angle is that of the meridian from grid north, the opposite of PROJ's convergence.
  EXPECT_NEAR(decimal.number(31), proj.k, 2e-6) << "point scale factor";
  EXPECT_NEAR(decimal.number(24), -proj.convergence, 1e-4) << "angle to true north";
  EXPECT_NEAR(decimal.number(30), std::tan(-proj.convergence * RAD), 2e-6) << "its tangent";
  EXPECT_EQ(decimal.edit[25], "");
  EXPECT_EQ(decimal.edit[26], "");

  // Forward from the same point typed in degrees and arc-minutes: the same texts.
  EXPECT_TRUE(sexa.alerts.empty()) << sexa.alerts.front();
  EXPECT_NEAR(sexa.number(20), c.lon, 1e-8);  // cut digits: 53.25 shows as +53.249999999
  EXPECT_NEAR(sexa.number(21), c.lat, 1e-8);
  for (const int f : {22, 23, 24, 27, 28, 29, 30, 31, 32}) EXPECT_EQ(sexa.edit[f], decimal.edit[f]) << "EDIT" << f;

  // Back from the grid coordinates shown, with every geographic field emptied first.
  std::string back = pickScript(picks);
  for (int f = 14; f <= 21; ++f) back += "type EDIT" + std::to_string(f) + "\n";
  back += "type EDIT22 " + decimal.edit[22] + "\ntype EDIT23 " + decimal.edit[23] + "\npress BUTTON4\nshow\n";
  const ReplayRun inverse = replay(bundledData(), back);
  ASSERT_EQ(inverse.status, 0) << inverse.output;
  ASSERT_EQ(inverse.screens.size(), 1u) << inverse.unparsed;
  const Screen& geo = inverse.screens[0];
  EXPECT_TRUE(geo.alerts.empty()) << geo.alerts.front();
  EXPECT_EQ(geo.edit[22], decimal.edit[22]);
  EXPECT_EQ(geo.edit[23], decimal.edit[23]);
  EXPECT_LT(std::fabs(geo.number(25)), 0.1) << "X error " << geo.edit[25] << " m";
  EXPECT_LT(std::fabs(geo.number(26)), 0.1) << "Y error " << geo.edit[26] << " m";
  EXPECT_NEAR(geo.number(20), c.lon, 2e-6);
  EXPECT_NEAR(geo.number(21), c.lat, 2e-6);
  EXPECT_NEAR(fromSexagesimal(geo, 14, 16, 18), c.lon, 2e-6);
  EXPECT_NEAR(fromSexagesimal(geo, 15, 17, 19), c.lat, 2e-6);
  EXPECT_NEAR(geo.number(31), proj.k, 2e-6);

  std::printf("EPSG:%d code %d (%+.2f, %+.2f): X-PROJ %+.4f mm, Y-PROJ %+.4f mm, k-PROJ %+.1e, "
              "angle+PROJ %+.1e deg, back %s/%s m\n",
              c.epsg, c.code, c.lon, c.lat, dx * 1000, dy * 1000, decimal.number(31) - proj.k,
              decimal.number(24) + proj.convergence, geo.edit[25].c_str(), geo.edit[26].c_str());
}

INSTANTIATE_TEST_SUITE_P(E2e, BundledGridSystem, ::testing::ValuesIn(CASES),
                         [](const ::testing::TestParamInfo<Case>& info) {
                           return "EPSG" + std::to_string(info.param.epsg);
                         });

// A grid system added to the bundle must get its case above.
TEST(BundledGridSystems, EveryOneHasACase) {
  const auto systems = readRecords(bundledData() + "/gridlist.txt");
  ASSERT_GE(systems.size(), 2u);
  for (std::size_t i = 1; i < systems.size(); ++i) {
    ASSERT_GE(systems[i].lines.size(), 2u);
    const std::string& file = systems[i].lines[1];
    EXPECT_TRUE(std::any_of(CASES.begin(), CASES.end(), [&](const Case& c) { return file == c.file; }))
        << systems[i].lines[0] << " (" << file << ") has no end-to-end case";
  }
}

}  // namespace
}  // namespace velqora::e2e
