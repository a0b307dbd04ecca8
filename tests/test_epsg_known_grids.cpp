// Well-known grids taken from the EPSG catalogue as the window takes them (the record's
// texts read as the fields are read) agree with PROJ's conversion from each CRS's own
// geographic CRS within 1 mm, whatever the CRS's unit; so does velqora-convert --epsg.
#include <gtest/gtest.h>
#include <proj.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "datafiles/epsg_catalogue.h"
#include "geodesy/ellipsoid_completion.h"
#include "geodesy/forward_conversion.h"

namespace velqora {
namespace {

// Easting and northing in metres by PROJ, from the CRS's base geographic CRS (degrees
// from Greenwich for these six) to the CRS, in east, north order.
std::array<double, 2> projMetres(PJ_CONTEXT* context, int code, double longitude, double latitude) {
  PJ* crs = proj_create(context, ("EPSG:" + std::to_string(code)).c_str());
  PJ* base = proj_crs_get_geodetic_crs(context, crs);
  PJ* raw = proj_create_crs_to_crs_from_pj(context, base, crs, nullptr, nullptr);
  PJ* operation = proj_normalize_for_visualization(context, raw);
  PJ* axes = proj_crs_get_coordinate_system(context, crs);
  double metresPerUnit = 0;
  proj_cs_get_axis_info(context, axes, 0, nullptr, nullptr, nullptr, &metresPerUnit, nullptr, nullptr, nullptr);
  const PJ_COORD c = proj_trans(operation, PJ_FWD, proj_coord(longitude, latitude, 0, 0));
  for (PJ* p : {axes, operation, raw, base, crs}) proj_destroy(p);
  return {c.xy.x * metresPerUnit, c.xy.y * metresPerUnit};
}

// X and Y in km by velqora-convert --epsg on the bundled data.
std::array<double, 2> converterKm(int code, double longitude, double latitude) {
  const std::string command = "printf '%.9f %.9f\\n' " + std::to_string(longitude) + " " + std::to_string(latitude) +
                              " | " + VELQORA_CONVERT + " --data " + VELQORA_SOURCE_DIR + "/data --epsg " +
                              std::to_string(code);
  FILE* out = popen(command.c_str(), "r");
  std::array<double, 4> read{};
  const int fields = out != nullptr ? std::fscanf(out, "%lf %lf %lf %lf", &read[0], &read[1], &read[2], &read[3]) : 0;
  if (out != nullptr) pclose(out);
  return fields == 4 ? std::array<double, 2>{read[2], read[3]} : std::array<double, 2>{NAN, NAN};
}

TEST(EpsgKnownGrids, AgreeWithProjWithinAMillimetre) {
  const CatalogueReading catalogue =
      readCatalogue((std::filesystem::path(VELQORA_SOURCE_DIR) / "data" / EPSG_CATALOGUE_FILE).string());
  std::map<int, const CatalogueEntry*> byCode;
  for (const CatalogueEntry& e : catalogue.entries) byCode[e.code] = &e;

  const struct {
    int code;
    double longitude, latitude;
  } points[] = {
      {2154, 2.3522, 48.8566},
      {2154, 8.7369, 41.9192},  // Lambert-93: Paris, Ajaccio
      {6677, 139.6917, 35.6895},
      {6677, 139.79, 33.11},  // JGD2011 zone IX: Tokyo, Hachijo-jima
      {27700, -0.1276, 51.5072},
      {27700, -1.145, 60.155},  // British National Grid: London, Lerwick
      {2278, -98.4936, 29.4241},
      {2278, -103.25, 29.25},  // Texas South Central (ftUS): San Antonio, Big Bend
      {28992, 4.9041, 52.3676},
      {28992, 5.6909, 50.8514},  // RD New: Amsterdam, Maastricht
      {2056, 7.4474, 46.948},
      {2056, 6.1432, 46.2044},  // LV95: Bern, Geneva
      // Origins at the south pole: an Argentine zone, a SCAR chart whose cone's apex it is.
      {5347, -58.3816, -34.6037},
      {5347, -61.5, -51.7},  // POSGAR 2007 / Argentina 5: Buenos Aires, Falklands
      {3204, -66, -62},
      {3204, -71.5, -63.5},  // WGS 84 / SCAR IMW SP19-20
  };
  PJ_CONTEXT* context = proj_context_create();
  for (const auto& p : points) {
    SCOPED_TRACE(p.code);
    ASSERT_TRUE(byCode.contains(p.code));
    const CatalogueEntry& entry = *byCode[p.code];
    const EllipsoidTexts texts = readEllipsoidTexts(entry.ellipsoid);
    const auto ellipsoid = ellipsoidForConversion(ellipsoidOf(texts.values), texts.valueMissing);
    const auto definition = gridFromTexts(entry.grid, standardProjectionCode(entry.projectionKey));
    ASSERT_TRUE(ellipsoid && definition);
    const auto grid = Grid::make(*ellipsoid, *definition);
    ASSERT_TRUE(grid);
    const auto ours = convertToGrid(*grid, p.longitude, p.latitude);
    ASSERT_TRUE(ours);
    const auto theirs = projMetres(context, p.code, p.longitude, p.latitude);
    EXPECT_NEAR(ours->x * 1000, theirs[0], 0.001);
    EXPECT_NEAR(ours->y * 1000, theirs[1], 0.001);
    // The converter's texts, cut to 0.1 mm.
    const auto converted = converterKm(p.code, p.longitude, p.latitude);
    EXPECT_NEAR(converted[0] * 1000, theirs[0], 0.001);
    EXPECT_NEAR(converted[1] * 1000, theirs[1], 0.001);
  }
  proj_context_destroy(context);
}

}  // namespace
}  // namespace velqora
