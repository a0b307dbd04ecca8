// The EPSG catalogue: its reader skips a faulty record and keeps the rest, a record
// reads back as written, the search ranks the expected grid first, and a pick fills
// the fields as a grid group does.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "datafiles/catalogue_search.h"
#include "datafiles/epsg_catalogue.h"
#include "datafiles/loaders.h"
#include "datafiles/tables.h"
#include "scratch_dir.h"
#include "window/catalogue_pick.h"
#include "window/memory_form.h"

namespace velqora {
namespace {

const std::string CATALOGUE = (std::filesystem::path(VELQORA_SOURCE_DIR) / "data" / EPSG_CATALOGUE_FILE).string();

const std::string GOOD =
    "# EPSG:1\r\nOne\r\n1,, -1, -1, 1, 1, Here\r\nGRS 1980, 6378.137,,298.257222101,\r\n"
    "3,0,0, 0,0,0, 500,0, 0.9996, TM,,,,,,\r\n";

std::vector<int> codesOf(const CatalogueReading& reading) {
  std::vector<int> codes;
  for (const auto& e : reading.entries) codes.push_back(e.code);
  return codes;
}

TEST(EpsgCatalogue, AFaultyRecordIsReportedAndSkipped) {
  const std::string second = "# EPSG:2\r\nTwo\r\n";
  const std::string tail =
      "2,, 0, 0, 1, 1, A\r\nBessel, 6377.397155,,299.1528128,\r\n1,0,0, 2,0,0, 0,0, 1, CS,,,,,,\r\n";
  struct Case {
    std::string bytes;
    std::vector<int> codes;
    std::vector<std::string> problems;
  };
  const std::vector<Case> cases = {
      {GOOD + second + tail + "#-\r\n", {1, 2}, {}},
      {GOOD + second + "2,, 0, 0, 1, A\r\n" + tail.substr(tail.find('\n') + 1) + "#-\r\n",
       {1},
       {"f:8: 7 values expected (EPSG code, series error, west, south, east, north, area), 6 found"}},
      {second + "2,, 0, 0, 1, 1, A\r\nBessel, 6377.397155,,,\r\n" + tail.substr(tail.rfind("1,0,0")) + GOOD + "#-\r\n",
       {1},
       {"f:4: the ellipsoid values fix no ellipsoid"}},
      {second + tail.substr(0, tail.rfind("CS")) + "XY,,,,,,\r\n" + GOOD + "#-",
       {1},
       {"f:5: unknown projection key: XY"}},
      {second + tail.substr(0, tail.find('\n') + 1) + GOOD + "#-\r\n", {1}, {"f:1: the record has 2 of its 4 lines"}},
      {second + "x2,, 0, 0, 1, 1, A\r\n" + tail.substr(tail.find('\n') + 1) + GOOD + "#-\r\n",
       {1},
       {"f:3: the EPSG code is not a whole number: x2"}},
      {second + "2,, 0, 1, 1, 0, A\r\n" + tail.substr(tail.find('\n') + 1) + GOOD + "#-\r\n",
       {1},
       {"f:3: the bounds of the area are not west, south, east, north in degrees"}},
      {second + "2,, 0, 0, 1, 1, \"A\" B\r\n" + tail.substr(tail.find('\n') + 1) + GOOD + "#-\r\n",
       {1},
       {"f:3: there is text after the closing double quote of a value"}},
      {second + "2,, 0, 0, 1, 1, A\r\nBessel, 6377.397155,,299.1528128,\r\n-0,30,0, 91,0,0, 0,0, 1, CS,,,,,,\r\n" +
           GOOD + "#-\r\n",
       {1},
       {"f:5: the origin latitude is not valid"}},
      {GOOD + second + tail, {1, 2}, {"f:11: the file ends before its end line \"#-\""}},
      {GOOD + second + "2,,0,0,1,1,A\r\n",
       {1},
       {"f:9: the file ends inside a record", "f:9: the file ends before its end line \"#-\""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    const CatalogueReading reading = parseCatalogue(c.bytes, "f");
    EXPECT_EQ(codesOf(reading), c.codes);
    EXPECT_EQ(reading.problems, c.problems);
  }
  EXPECT_EQ(readCatalogue("no-such-catalogue.txt").problems,
            std::vector<std::string>{"no-such-catalogue.txt: the file does not exist"});
}

TEST(EpsgCatalogue, ARecordReadsBackAsWritten) {
  CatalogueEntry e;
  e.code = 2278;
  e.name = "NAD83 / Texas: \"South\" Central (ftUS)";
  e.area = "USA - Texas, counties of Aransas: Atascosa";
  e.bounds = {-105, 27.78, -93.76, 30.67};
  e.seriesError = 0.013;
  e.ellipsoidName = "GRS 1980";
  e.ellipsoid = {"6378.137", "", "298.257222101", ""};
  e.grid = {"-99", "0", "0", "27", "50", "0", "600", "3999.9999998984", "1", "30", "17", "0", "28", "23", "0"};
  e.projectionKey = "LCC2";
  const CatalogueReading reading = parseCatalogue("x\r\n" + catalogueRecord(e) + "#-\r\n", "f");
  ASSERT_EQ(reading.entries.size(), 1U) << reading.problems.front();
  const CatalogueEntry& r = reading.entries.front();
  EXPECT_EQ(r.line, 2);
  EXPECT_EQ(catalogueRecord(r), catalogueRecord(e));
  EXPECT_EQ(r.name, e.name);  // the name line keeps its double quotes
  EXPECT_EQ(r.area, e.area);
  EXPECT_EQ(r.seriesError, e.seriesError);
}

// The bundled catalogue reads whole; the search puts the expected grid first.
TEST(EpsgCatalogue, TheSearchRanksTheBestMatchFirst) {
  EXPECT_EQ(foldForSearch("Réseau KRÜGER Æ×"), "reseau kruger ae×");
  const CatalogueReading catalogue = readCatalogue(CATALOGUE);
  EXPECT_TRUE(catalogue.problems.empty()) << catalogue.problems.front();
  ASSERT_GT(catalogue.entries.size(), 4000U);
  const CatalogueSearch search(catalogue.entries);
  const struct {
    const char* query;
    int first;
    std::size_t found;  // 0: not checked
  } cases[] = {
      {"lambert 93", 2154, 0},        {"EPSG:27700", 27700, 1},        {"27700", 27700, 1},
      {"JGD2011 ix", 6677, 2},        {"mga 55 gda2020", 7855, 1},     {"Rd NeW", 28992, 0},
      {"britiSH national", 27700, 1}, {"lv95 liechtenstein", 2056, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.query);
    const auto found = search.find(c.query);
    ASSERT_FALSE(found.empty());
    EXPECT_EQ(catalogue.entries[found.front()].code, c.first);
    if (c.found != 0) {
      EXPECT_EQ(found.size(), c.found);
    }
  }
  EXPECT_EQ(search.find(" ").size(), catalogue.entries.size());
  EXPECT_TRUE(search.find("lambert 93 nowhere").empty());
}

TEST(EpsgCatalogue, APickFillsTheFieldsAsAGridGroupDoes) {
  std::vector<std::string> projections;
  ASSERT_FALSE(
      loadProjectionList((std::filesystem::path(VELQORA_SOURCE_DIR) / "data" / PRJ_LIST_FILE).string(), projections));
  const CatalogueReading catalogue = readCatalogue(CATALOGUE);
  for (const int code : {6677, 2154, 2056}) {
    SCOPED_TRACE(code);
    const auto entry = std::find_if(catalogue.entries.begin(), catalogue.entries.end(),
                                    [code](const CatalogueEntry& e) { return e.code == code; });
    ASSERT_NE(entry, catalogue.entries.end());
    MemoryForm form;
    for (const List list : {COMBO1, COMBO2, COMBO3}) {
      form.appendEntry(list, "first");
      form.appendEntry(list, "second");
      form.selectPosition(list, 1);
    }
    for (const std::string& name : projections) form.appendEntry(COMBO4, name);
    form.selectPosition(COMBO4, 0);

    const std::string title = pickCatalogueEntry(form, *entry);
    EXPECT_EQ(title, "Velqora - EPSG:" + std::to_string(code) + " " + entry->name);
    const GridFieldTexts& t = entry->grid;
    const std::vector<std::pair<Field, std::string>> expected = {{EDIT1, entry->ellipsoid[0]},
                                                                 {EDIT2, entry->ellipsoid[1]},
                                                                 {EDIT3, entry->ellipsoid[2]},
                                                                 {EDIT4, entry->ellipsoid[3]},
                                                                 {EDIT5, t.longitudeDegrees},
                                                                 {EDIT7, t.longitudeMinutes},
                                                                 {EDIT9, t.longitudeSeconds},
                                                                 {EDIT6, t.latitudeDegrees},
                                                                 {EDIT8, t.latitudeMinutes},
                                                                 {EDIT10, t.latitudeSeconds},
                                                                 {EDIT11, t.xShift},
                                                                 {EDIT12, t.yShift},
                                                                 {EDIT13, t.scaleFactor},
                                                                 {EDIT33, t.firstParallelDegrees},
                                                                 {EDIT35, t.firstParallelMinutes},
                                                                 {EDIT37, t.firstParallelSeconds},
                                                                 {EDIT34, t.secondParallelDegrees},
                                                                 {EDIT36, t.secondParallelMinutes},
                                                                 {EDIT38, t.secondParallelSeconds}};
    for (const auto& [field, text] : expected) EXPECT_EQ(form.text(field), text) << "EDIT" << field;
    EXPECT_EQ(form.selectedPosition(COMBO4), standardProjectionCode(entry->projectionKey));
    for (const List list : {COMBO1, COMBO2, COMBO3}) EXPECT_EQ(form.selectedPosition(list), 1);
  }
  testing::resetGlobals();
}

}  // namespace
}  // namespace velqora
