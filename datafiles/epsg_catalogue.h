#pragma once

// The catalogue of EPSG grids, "epsg-grids.txt": every projected CRS of the EPSG
// dataset that one of the six projections draws exactly, with the texts that picking
// it puts into the ellipsoid and grid fields. It is read only when the user looks for
// a grid, and it is not bound by the list files' table limits.
//
// A record is written in the list files' syntax (a "#" line, the name line, then
// comma-separated values with double quotes around a value holding a comma or colon),
// its values on three lines of fixed content:
//
//   # EPSG:2154
//   RGF93 v1 / Lambert-93
//   2154,, -9.86, 41.15, 10.38, 51.56, "France - onshore and offshore, ..."
//   GRS 1980, 6378.137,,298.257222101,
//   3,0,0, 46,30,0, 700,6600, 1, LCC2, 49,0,0, 44,0,0
//
// line 1: EPSG code, series error (m; empty when within 1 cm or the projection is
//         closed-form), area of use west, south, east, north (degrees), its name;
// line 2: ellipsoid name, a (km), b (km), 1/f, 1/e, two of the four given;
// line 3: the sixteen values of a grid-group record.
// A faulty record is reported and skipped; the records after it still serve.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "datafiles/grid_group.h"

namespace velqora {

inline constexpr const char* EPSG_CATALOGUE_FILE = "epsg-grids.txt";
// Beside it: the projected CRSs of the dataset that the catalogue leaves out, and why.
inline constexpr const char* EPSG_NOT_DRAWN_FILE = "epsg-not-drawn.txt";

// The keys of the bundled projection list by code; the catalogue uses these.
inline constexpr std::array<std::string_view, 7> STANDARD_PROJECTION_KEYS = {"NONE", "TM", "OM",    "LCC2",
                                                                             "LCC1", "CS", "STEREO"};

// The projection code of a standard key, 0 for any other text.
[[nodiscard]] int standardProjectionCode(std::string_view key);

struct GeographicBounds {
  double west = 0;  // degrees; west > east for an area across the antimeridian
  double south = 0;
  double east = 0;
  double north = 0;
};

struct CatalogueEntry {
  int code = 0;  // EPSG code
  std::string name;
  std::string area;  // name of the area of use
  GeographicBounds bounds;
  // The worst difference (m) of the series projection from the exact one over the area
  // of use, when above 1 cm.
  std::optional<double> seriesError;
  std::string ellipsoidName;
  std::array<std::string, 4> ellipsoid;  // texts for EDIT1 to EDIT4: a, b (km), 1/f, 1/e
  GridFieldTexts grid;                   // texts for the origin, shift, scale and parallel fields
  std::string projectionKey;
  int line = 0;  // line of the record's "#" in the file
};

struct CatalogueReading {
  std::vector<CatalogueEntry> entries;
  // "epsg-grids.txt:123: what is wrong", one for each skipped record; a file that
  // cannot be read gives "epsg-grids.txt: the file does not exist" and no entries.
  std::vector<std::string> problems;
};

[[nodiscard]] CatalogueReading readCatalogue(const std::string& fileName);
// The same from bytes in memory; fileName only names the file in the problems.
[[nodiscard]] CatalogueReading parseCatalogue(std::string_view bytes, const std::string& fileName);

// An entry as its record: the "#" line, the name line and the three value lines, each
// ending in CR LF.
[[nodiscard]] std::string catalogueRecord(const CatalogueEntry& entry);

// A projected CRS of the EPSG dataset that none of the six projections draws exactly: a
// record of the not-drawn list is a "# EPSG:n" line, the CRS's name and the reason
// ("method Popular Visualisation Pseudo Mercator (EPSG:1024)").
struct NotDrawnCrs {
  int code = 0;
  std::string name;
  std::string reason;
};

// The not-drawn list; empty when the file cannot be read or holds no record.
[[nodiscard]] std::vector<NotDrawnCrs> readNotDrawn(const std::string& fileName);
[[nodiscard]] std::string notDrawnRecord(const NotDrawnCrs& crs);

// The texts of the ellipsoid values as numbers, and whether one is missing (empty),
// as the window's commands read EDIT1 to EDIT4.
struct EllipsoidTexts {
  std::array<double, 4> values{};
  bool valueMissing = false;
};
[[nodiscard]] EllipsoidTexts readEllipsoidTexts(const std::array<std::string, 4>& texts);

}  // namespace velqora
