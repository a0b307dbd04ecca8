// The bundled data set in data/: it loads within the table limits, every grid group
// is complete and sane, and its numbers agree with the EPSG definitions in PROJ.
#include <gtest/gtest.h>
#include <proj.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "datafiles/grid_group.h"
#include "datafiles/loaders.h"
#include "datafiles/tables.h"
#include "geodesy/constants.h"
#include "geodesy/dispatcher.h"
#include "geodesy/ellipsoid.h"
#include "geodesy/number_text.h"

namespace velqora {
namespace {

const std::filesystem::path DATA_DIR = std::filesystem::path(VELQORA_SOURCE_DIR) / "data";

std::string fileBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The EPSG codes named on the record-start lines ("# EPSG:NNNN"), in file order.
std::vector<std::string> epsgCodes(const std::string& bytes) {
  std::vector<std::string> codes;
  const std::regex start("(^|\r\n)# EPSG:([0-9]+)\r\n");
  for (auto it = std::sregex_iterator(bytes.begin(), bytes.end(), start); it != std::sregex_iterator(); ++it) {
    codes.push_back((*it)[2].str());
  }
  return codes;
}

// Grid groups, ellipsoids and grid systems name their files relative to data/.
class BundledData : public ::testing::Test {
 protected:
  void SetUp() override {
    savedEarth_ = EARTH;
    savedGrid_ = GRID;
    savedKind_ = PRJKIND;
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(DATA_DIR);
    context_ = proj_context_create();
  }
  void TearDown() override {
    proj_context_destroy(context_);
    std::filesystem::current_path(previous_);
    // Leave the tables as a fresh start finds them.
    PRJKEY.fill({});
    PRJCOUNT = 0;
    GRIDSYS.fill({});
    EARTHTAB.fill({});
    GRPTAB.fill({});
    GRPCOUNT = 0;
    EARTH = savedEarth_;
    GRID = savedGrid_;
    PRJKIND = savedKind_;
  }
  std::filesystem::path previous_;
  std::array<double, 4> savedEarth_{};
  std::array<double, 15> savedGrid_{};
  int savedKind_ = 0;
  PJ_CONTEXT* context_ = nullptr;
};

TEST_F(BundledData, EveryFileKeepsItsCarriageReturns) {
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(DATA_DIR)) {
    if (entry.path().extension() != ".txt") continue;
    ++files;
    const std::string bytes = fileBytes(entry.path());
    std::size_t lineFeeds = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      if (bytes[i] != '\n') continue;
      ++lineFeeds;
      EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r')
          << entry.path().filename() << " has a line feed without a carriage return: git must keep data/ byte-exact";
      if (i == 0 || bytes[i - 1] != '\r') break;
    }
    EXPECT_GT(lineFeeds, 3U) << entry.path().filename();
    EXPECT_TRUE(bytes.ends_with("#-\r\n")) << entry.path().filename();
  }
  EXPECT_GE(files, 14);
}

bool isNumberText(const std::string& text) {
  static const std::regex number("-?[0-9]+(\\.[0-9]+)?");
  return std::regex_match(text, number);
}

double angle(const std::array<std::string, 17>& row, std::size_t first) {
  const double sign = Sign(row[first]);
  return Number(row[first]) + sign * Number(row[first + 1]) / 60 + sign * Number(row[first + 2]) / 3600;
}

struct EpsgGrid {
  std::string method;
  std::map<std::string, double> values;  // degrees, km or plain
};

// The projection method and parameters of a projected CRS, by their EPSG names.
EpsgGrid epsgGrid(PJ_CONTEXT* context, const std::string& code) {
  EpsgGrid grid;
  PJ* crs = proj_create_from_database(context, "EPSG", code.c_str(), PJ_CATEGORY_CRS, 0, nullptr);
  if (crs == nullptr) return grid;
  PJ* conversion = proj_crs_get_coordoperation(context, crs);
  const char* method = nullptr;
  proj_coordoperation_get_method_info(context, conversion, &method, nullptr, nullptr);
  grid.method = method ? method : "";
  for (int i = 0; i < proj_coordoperation_get_param_count(context, conversion); ++i) {
    const char* name = nullptr;
    double value = 0;
    double toSi = 1;
    const char* unitCategory = nullptr;
    proj_coordoperation_get_param(context, conversion, i, &name, nullptr, nullptr, &value, nullptr, &toSi, nullptr,
                                  nullptr, nullptr, &unitCategory);
    const std::string category = unitCategory ? unitCategory : "";
    if (category == "angular") value = value * toSi * 180 / M_PI;
    if (category == "linear") value = value * toSi / 1000;
    grid.values[name] = value;
  }
  proj_destroy(conversion);
  proj_destroy(crs);
  return grid;
}

double firstOf(const EpsgGrid& grid, const std::vector<std::string>& names, double otherwise = NAN) {
  for (const auto& name : names) {
    if (auto it = grid.values.find(name); it != grid.values.end()) return it->second;
  }
  return otherwise;
}

// The lists load, every grid system's grid-group file loads, and every grid group has
// sixteen sane values that match its EPSG definition.
TEST_F(BundledData, LoadsCompleteAndMatchesEpsg) {
  std::vector<std::string> projectionNames;
  ASSERT_FALSE(loadProjectionList(PRJ_LIST_FILE, projectionNames));
  ASSERT_EQ(PRJCOUNT, 7);
  int systems = 0;
  ASSERT_FALSE(loadGridSystemList(GRID_LIST_FILE, systems));
  ASSERT_GE(systems, 12);
  int ellipsoids = 0;
  ASSERT_FALSE(loadEllipsoidList(EARTH_LIST_FILE, ellipsoids));
  ASSERT_GE(ellipsoids, 16);

  // Every grid-group file in data/ is named by exactly one grid system.
  std::multiset<std::string> named;
  for (int system = 1; system < systems; ++system) named.insert(GRIDSYS[static_cast<std::size_t>(system)][1]);
  std::multiset<std::string> present;
  for (const auto& entry : std::filesystem::directory_iterator(DATA_DIR)) {
    const std::string name = entry.path().filename().string();
    if (entry.path().extension() == ".txt" && name != PRJ_LIST_FILE && name != GRID_LIST_FILE &&
        name != EARTH_LIST_FILE) {
      present.insert(name);
    }
  }
  EXPECT_EQ(named, present);

  const std::map<std::string, std::string> methodKeys = {
      {"Transverse Mercator", "TM"},
      {"Hotine Oblique Mercator (variant B)", "OM"},
      {"Lambert Conic Conformal (2SP)", "LCC2"},
      {"Lambert Conic Conformal (1SP)", "LCC1"},
      {"Cassini-Soldner", "CS"},
      {"Oblique Stereographic", "STEREO"},
  };

  for (int system = 1; system < systems; ++system) {
    const std::string file = GRIDSYS[static_cast<std::size_t>(system)][1];
    SCOPED_TRACE(file);
    const auto error = loadGridGroupFile(file);
    ASSERT_FALSE(error) << error->report();
    ASSERT_GT(GRPCOUNT, 0);
    const auto codes = epsgCodes(fileBytes(file));
    ASSERT_EQ(codes.size(), static_cast<std::size_t>(GRPCOUNT));
    for (int g = 0; g < GRPCOUNT; ++g) {
      const auto& row = GRPTAB[static_cast<std::size_t>(g)];
      SCOPED_TRACE(row[0] + " EPSG:" + codes[static_cast<std::size_t>(g)]);
      const std::string& key = row[10];
      int code = 0;
      for (int p = 1; p < PRJCOUNT; ++p) {
        if (PRJKEY[static_cast<std::size_t>(p)] == key) code = p;
      }
      ASSERT_GT(code, 0) << "projection key " << key;
      // A missing or extra value shifts the record and puts a "#" line or the name of
      // the next record into a number field.
      for (int f : {1, 2, 3, 4, 5, 6, 7, 8, 9}) EXPECT_TRUE(isNumberText(row[static_cast<std::size_t>(f)])) << f;
      for (int f = 11; f <= 16; ++f) {
        const std::string& text = row[static_cast<std::size_t>(f)];
        EXPECT_TRUE(code == 3 ? isNumberText(text) : text.empty()) << f << ": " << text;
      }
      EXPECT_LE(std::abs(Number(row[1])), 180);
      EXPECT_LE(std::abs(Number(row[4])), 90);
      for (int f : {2, 3, 5, 6, 12, 13, 15, 16}) {
        const double part = Number(row[static_cast<std::size_t>(f)]);
        EXPECT_TRUE(part >= 0 && part < 60) << f;
      }
      EXPECT_TRUE(Number(row[9]) > 0.99 && Number(row[9]) <= 1) << row[9];

      const EpsgGrid epsg = epsgGrid(context_, codes[static_cast<std::size_t>(g)]);
      ASSERT_TRUE(methodKeys.contains(epsg.method)) << epsg.method;
      EXPECT_EQ(methodKeys.at(epsg.method), key);
      // EPSG's variant B oblique Mercator takes its azimuth at the centre: 90 degrees is
      // the east-west central line that the program's oblique Mercator has.
      if (key == "OM") {
        EXPECT_NEAR(firstOf(epsg, {"Azimuth at projection centre", "Azimuth of initial line"}), 90, 1e-9);
      }
      constexpr double ANGLE = 1e-9;  // degrees
      constexpr double LENGTH = 1e-9; // km
      EXPECT_NEAR(angle(row, 1),
                  firstOf(epsg, {"Longitude of natural origin", "Longitude of false origin", "Longitude of projection centre"}),
                  ANGLE);
      EXPECT_NEAR(angle(row, 4),
                  firstOf(epsg, {"Latitude of natural origin", "Latitude of false origin", "Latitude of projection centre"}),
                  ANGLE);
      EXPECT_NEAR(Number(row[7]),
                  firstOf(epsg, {"False easting", "Easting at false origin", "Easting at projection centre"}), LENGTH);
      EXPECT_NEAR(Number(row[8]),
                  firstOf(epsg, {"False northing", "Northing at false origin", "Northing at projection centre"}), LENGTH);
      EXPECT_NEAR(Number(row[9]),
                  firstOf(epsg, {"Scale factor at natural origin", "Scale factor on initial line",
                                 "Scale factor at projection centre"}, 1),
                  1e-12);
      if (code == 3) {
        EXPECT_NEAR(angle(row, 11), firstOf(epsg, {"Latitude of 1st standard parallel"}), ANGLE);
        EXPECT_NEAR(angle(row, 14), firstOf(epsg, {"Latitude of 2nd standard parallel"}), ANGLE);
      }
    }
  }
}

// Every ellipsoid gives exactly two values, a with 1/f or a with b, which agree with
// the EPSG ellipsoid named on its record-start line.
TEST_F(BundledData, EllipsoidsMatchEpsg) {
  int count = 0;
  ASSERT_FALSE(loadEllipsoidList(EARTH_LIST_FILE, count));
  const auto codes = epsgCodes(fileBytes(EARTH_LIST_FILE));
  ASSERT_EQ(codes.size(), static_cast<std::size_t>(count - 1));  // row 0 is "Choose an ellipsoid"
  EXPECT_EQ(EARTHTAB[0], (std::array<std::string, 5>{"Choose an ellipsoid", "", "", "", ""}));
  for (int e = 1; e < count; ++e) {
    const auto& row = EARTHTAB[static_cast<std::size_t>(e)];
    SCOPED_TRACE(row[0]);
    ASSERT_TRUE(isNumberText(row[1]));
    EXPECT_TRUE(row[4].empty());
    EXPECT_NE(row[2].empty(), row[3].empty()) << "give b or 1/f, not both";
    PJ* ellipsoid = proj_create_from_database(context_, "EPSG", codes[static_cast<std::size_t>(e - 1)].c_str(),
                                              PJ_CATEGORY_ELLIPSOID, 0, nullptr);
    ASSERT_NE(ellipsoid, nullptr);
    double a = 0;
    double b = 0;
    double inverseFlattening = 0;
    proj_ellipsoid_get_parameters(context_, ellipsoid, &a, &b, nullptr, &inverseFlattening);
    proj_destroy(ellipsoid);
    EXPECT_NEAR(Number(row[1]), a / 1000, 1e-9);
    if (!row[2].empty()) {
      EXPECT_NEAR(Number(row[2]), b / 1000, 1e-9);
    }
    if (!row[3].empty()) {
      EXPECT_NEAR(Number(row[3]), inverseFlattening, 1e-10);
    }
  }
}

// EARTH from an ellipsoid record, completed as from a and b or from a and 1/f.
void setEarth(const std::array<std::string, 5>& row) {
  const double a = Number(row[1]);
  if (!row[2].empty()) {
    const double b = Number(row[2]);
    EARTH = {a, b, a / (a - b), a / std::sqrt(a * a - b * b)};
  } else {
    const double rf = Number(row[3]);
    EARTH = {a, a - a / rf, rf, rf / std::sqrt(2 * rf - 1)};
  }
}

// What the program computes with a bundled grid group and the ellipsoid its grid
// system names agrees with PROJ for the EPSG grid: the data mean what EPSG means.
TEST_F(BundledData, GridGroupsProjectLikeProj) {
  std::vector<std::string> names;
  ASSERT_FALSE(loadProjectionList(PRJ_LIST_FILE, names));
  int systems = 0;
  ASSERT_FALSE(loadGridSystemList(GRID_LIST_FILE, systems));
  int ellipsoids = 0;
  ASSERT_FALSE(loadEllipsoidList(EARTH_LIST_FILE, ellipsoids));

  for (int system = 1; system < systems; ++system) {
    const auto& [title, file] = GRIDSYS[static_cast<std::size_t>(system)];
    SCOPED_TRACE(title);
    // The first line of a grid-group file names the ellipsoid to choose.
    std::smatch named;
    const std::string bytes = fileBytes(file);
    ASSERT_TRUE(std::regex_search(bytes, named, std::regex("Choose the ellipsoid ([^\r]+)\\.\r\n")));
    const std::string ellipsoid = named[1].str();
    int e = 1;
    while (e < ellipsoids && EARTHTAB[static_cast<std::size_t>(e)][0] != ellipsoid) ++e;
    ASSERT_LT(e, ellipsoids) << ellipsoid;
    setEarth(EARTHTAB[static_cast<std::size_t>(e)]);

    ASSERT_FALSE(loadGridGroupFile(file));
    const auto codes = epsgCodes(bytes);
    for (int g = 0; g < GRPCOUNT; ++g) {
      const auto& row = GRPTAB[static_cast<std::size_t>(g)];
      SCOPED_TRACE(row[0]);
      PRJKIND = 0;
      for (int p = 1; p < PRJCOUNT; ++p) {
        if (PRJKEY[static_cast<std::size_t>(p)] == row[10]) PRJKIND = p;
      }
      GRID[6] = Number(row[7]);
      GRID[7] = Number(row[8]);
      GRID[8] = Number(row[9]);
      const double lon0 = angle(row, 1);
      const double lat0 = angle(row, 4);
      const double phi1 = PRJKIND == 3 ? angle(row, 11) / DEGPRAD : 0;
      const double phi2 = PRJKIND == 3 ? angle(row, 14) / DEGPRAD : 0;
      // A point a degree east of the origin and half a degree north of it (UTM and
      // Gauss-Krueger: at 45 degrees north or south).
      const bool south = Number(row[8]) == 10000;
      const double lon = lon0 + 1;
      const double lat = lat0 != 0 ? lat0 + 0.5 : (south ? -45.0 : 45.0);
      double x = 0;
      double y = 0;
      ASSERT_EQ(PRJSL((lon - lon0) / DEGPRAD, lat / DEGPRAD, lat0 / DEGPRAD, phi1, phi2, x, y), Domain::inside);

      const std::string crsName = "EPSG:" + codes[static_cast<std::size_t>(g)];
      PJ* crs = proj_create(context_, crsName.c_str());
      ASSERT_NE(crs, nullptr);
      PJ* geographic = proj_crs_get_geodetic_crs(context_, crs);
      PJ* raw = proj_create_crs_to_crs_from_pj(context_, geographic, crs, nullptr, nullptr);
      ASSERT_NE(raw, nullptr);
      PJ* transform = proj_normalize_for_visualization(context_, raw);  // longitude first
      const PJ_COORD grid = proj_trans(transform, PJ_FWD, proj_coord(lon, lat, 0, 0));
      proj_destroy(transform);
      proj_destroy(raw);
      proj_destroy(geographic);
      proj_destroy(crs);
      EXPECT_NEAR(x, grid.xy.x / 1000, 1e-7) << "X in km, to 0.1 mm";
      EXPECT_NEAR(y, grid.xy.y / 1000, 1e-7) << "Y in km, to 0.1 mm";
    }
  }
}

}  // namespace
}  // namespace velqora
