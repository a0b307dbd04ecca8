// The bundled data set in data/: it loads within the table limits, every grid group
// is complete and sane, and its numbers agree with the EPSG definitions in PROJ.
// (How the program projects with them is checked end to end in tests/e2e.)
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

#include "datafiles/epsg_catalogue.h"
#include "datafiles/loaders.h"
#include "datafiles/tables.h"
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
  }
  std::filesystem::path previous_;
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

  // Every grid-group file in data/ is named by exactly one grid system (the EPSG
  // catalogue beside them is no grid-group file).
  std::multiset<std::string> named;
  for (int system = 1; system < systems; ++system) named.insert(GRIDSYS[static_cast<std::size_t>(system)][1]);
  std::multiset<std::string> present;
  for (const auto& entry : std::filesystem::directory_iterator(DATA_DIR)) {
    const std::string name = entry.path().filename().string();
    if (entry.path().extension() == ".txt" && name != PRJ_LIST_FILE && name != GRID_LIST_FILE &&
        name != EARTH_LIST_FILE && name != EPSG_CATALOGUE_FILE && name != EPSG_NOT_DRAWN_FILE) {
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
      constexpr double ANGLE = 1e-9;   // degrees
      constexpr double LENGTH = 1e-9;  // km
      EXPECT_NEAR(
          angle(row, 1),
          firstOf(epsg, {"Longitude of natural origin", "Longitude of false origin", "Longitude of projection centre"}),
          ANGLE);
      EXPECT_NEAR(
          angle(row, 4),
          firstOf(epsg, {"Latitude of natural origin", "Latitude of false origin", "Latitude of projection centre"}),
          ANGLE);
      EXPECT_NEAR(Number(row[7]),
                  firstOf(epsg, {"False easting", "Easting at false origin", "Easting at projection centre"}), LENGTH);
      EXPECT_NEAR(Number(row[8]),
                  firstOf(epsg, {"False northing", "Northing at false origin", "Northing at projection centre"}),
                  LENGTH);
      EXPECT_NEAR(Number(row[9]),
                  firstOf(epsg,
                          {"Scale factor at natural origin", "Scale factor on initial line",
                           "Scale factor at projection centre"},
                          1),
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

}  // namespace
}  // namespace velqora
