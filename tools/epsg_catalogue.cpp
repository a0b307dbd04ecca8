// Writes the catalogue of EPSG grids (data/epsg-grids.txt) from PROJ's database:
// every non-deprecated projected CRS of the EPSG dataset whose method one of the six
// projections draws exactly, with its texts for the window's fields. Each record is
// read back as the Find dialog reads it and checked: the angles within 1e-9
// arc-seconds of the dataset's values, the shifts the doubles nearest to the exact
// kilometres. For Transverse Mercator and Cassini-Soldner grids the series' worst
// difference from PROJ over the area of use (tools/epsg/accuracy_check.h) goes into
// the record when above 1 cm. Prints what it skipped, by reason, and what it wrote.
//
//   epsg_catalogue [OUTPUT]        default data/epsg-grids.txt; re-runnable

#include "datafiles/epsg_catalogue.h"

#include <proj.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "datafiles/grid_group.h"
#include "geodesy/ellipsoid_completion.h"
#include "geodesy/forward_conversion.h"
#include "tools/epsg/accuracy_check.h"
#include "tools/epsg/crs_mapping.h"
#include "tools/epsg/exact_number.h"
#include "tools/epsg/pj.h"
#include "tools/epsg/units.h"

namespace {

using namespace velqora;
using namespace velqora::epsg;

std::string metadata(PJ_CONTEXT* context, const char* key) {
  const char* value = proj_context_get_database_metadata(context, key);
  return value == nullptr ? "?" : value;
}

// Why the record's texts, read as the window reads them, do not give the dataset's
// values; empty when they do.
std::string readBackProblem(const CatalogueEntry& entry, const ExactValues& exact) {
  const CatalogueReading reading = parseCatalogue(catalogueRecord(entry) + "#-\r\n", "record");
  if (reading.entries.size() != 1 || !reading.problems.empty()) {
    return reading.problems.empty() ? "not read back" : reading.problems.front();
  }
  const CatalogueEntry& back = reading.entries.front();
  const int code = standardProjectionCode(back.projectionKey);
  const auto grid = gridFromTexts(back.grid, code);
  if (!grid) return "grid texts refused";
  const mpq_class arcSecond(1, 3600);
  const auto within = [&](const SexagesimalAngle& angle, const mpq_class& degrees) {
    return abs(mpq_class(angle.decimalDegrees()) - degrees) <= arcSecond / 1000000000;
  };
  if (!within(grid->originLongitude, exact.longitude)) return "origin longitude";
  if (!within(grid->originLatitude, exact.latitude)) return "origin latitude";
  if (code == LAMBERT_TWO_PARALLELS &&
      (!within(grid->firstParallel, exact.firstParallel) || !within(grid->secondParallel, exact.secondParallel))) {
    return "standard parallels";
  }
  if (grid->xShift != nearestDouble(exact.xShift) || grid->yShift != nearestDouble(exact.yShift)) return "shifts";
  return "";
}

// A grid that Velqora refuses whatever the point (an origin latitude at a pole, as the
// Argentine Gauss-Krueger zones and the Antarctic SCAR charts have) is no exact mapping.
bool refusedByVelqora(const CatalogueEntry& entry) {
  const EllipsoidTexts texts = readEllipsoidTexts(entry.ellipsoid);
  const auto ellipsoid = ellipsoidForConversion(ellipsoidOf(texts.values), texts.valueMissing);
  const auto definition = gridFromTexts(entry.grid, standardProjectionCode(entry.projectionKey));
  if (!ellipsoid || !definition) return true;
  const auto grid = Grid::make(*ellipsoid, *definition);
  return !grid && grid.reason() == ConversionRefusal::invalidGrid;
}

// The exact factors of the length units agree with the rounded ones in proj.db (given
// to 15 significant digits); empty when they all do.
std::string unitProblem(PJ_CONTEXT* context) {
  for (int code = 1000; code < 10000; ++code) {
    const auto exact = metresPerUnit(code);
    if (!exact) continue;
    double factor = 0;
    const std::string name = std::to_string(code);
    if (!proj_uom_get_info_from_database(context, "EPSG", name.c_str(), nullptr, &factor, nullptr) ||
        std::abs(nearestDouble(*exact) / factor - 1) > 1e-14) {
      return "unit EPSG:" + name;
    }
  }
  return "";
}

std::string header(PJ_CONTEXT* context) {
  const std::string source = "PROJ " + std::string(proj_info().version) + ", EPSG dataset " +
                             metadata(context, "EPSG.VERSION") + " of " + metadata(context, "EPSG.DATE");
  const char* lines[] = {
      "Every non-deprecated projected CRS of the EPSG dataset that one of Velqora's six projections draws",
      "exactly. Read only when you look for a grid; its records are not limited in number.",
      "Each record: a line beginning with \"#\" (here the EPSG code), the name, then three lines of values:",
      "  EPSG code, series error (m), area of use west, south, east, north (degrees), area name;",
      "  ellipsoid name, a (km), b (km), 1/f, 1/e (two of them given);",
      "  the sixteen values of a grid group, as in a grid-group file (lengths in km).",
      "Origin longitudes count from Greenwich, also for a CRS whose base counts from Paris, Ferro...",
      "The series error is the largest difference, above 1 cm, between Velqora's Transverse Mercator or",
      "Cassini-Soldner series and the exact projection over the area of use (20 points, edges included).",
      "The EPSG dataset is maintained by IOGP; see data/README.md for its source and terms.",
  };
  std::string text = "Velqora catalogue of EPSG grids, written by tools/epsg_catalogue from " + source + ".\r\n";
  for (const char* line : lines) text += std::string(line) + "\r\n";
  return text;
}

}  // namespace

// The not-drawn list's head.
std::string notDrawnHeader(PJ_CONTEXT* context) {
  return "Velqora's list of the EPSG projected CRSs that its catalogue leaves out, written by tools/epsg_catalogue\r\n"
         "from PROJ " +
         std::string(proj_info().version) + ", EPSG dataset " + metadata(context, "EPSG.VERSION") + " of " +
         metadata(context, "EPSG.DATE") +
         ". None of the six projections draws them exactly.\r\n"
         "Each record: a line \"# EPSG:\" and the code, the name, and why it is left out.\r\n";
}

// The name of an EPSG CRS.
std::string crsName(PJ_CONTEXT* context, int code) {
  const Pj crs(proj_create_from_database(context, "EPSG", std::to_string(code).c_str(), PJ_CATEGORY_CRS, 0, nullptr));
  const char* name = crs ? proj_get_name(crs.get()) : nullptr;
  return name != nullptr ? name : "";
}

int main(int argc, char** argv) {
  const std::string output = argc > 1 ? argv[1] : "data/epsg-grids.txt";
  // The not-drawn list goes beside the catalogue.
  const std::string notDrawnOutput = (std::filesystem::path(output).parent_path() / EPSG_NOT_DRAWN_FILE).string();
  const Context context(proj_context_create());
  PJ_CONTEXT* ctx = context.get();
  const ProjDatabase db(proj_context_get_database_path(ctx));
  if (const std::string problem = unitProblem(ctx); !problem.empty()) {
    std::fprintf(stderr, "epsg_catalogue: the exact factor of %s disagrees with proj.db\n", problem.c_str());
    return 1;
  }

  PROJ_STRING_LIST list = proj_get_codes_from_database(ctx, "EPSG", PJ_TYPE_PROJECTED_CRS, 0);
  std::vector<int> codes;
  for (PROJ_STRING_LIST p = list; p != nullptr && *p != nullptr; ++p) codes.push_back(std::atoi(*p));
  proj_string_list_destroy(list);
  std::sort(codes.begin(), codes.end());

  std::map<std::string, int> skipped;
  std::map<std::string, int> written;
  int withSeriesError = 0;
  std::string records;
  std::string notDrawn;
  for (const int code : codes) {
    auto mapped = catalogueEntryOf(ctx, db, std::to_string(code));
    if (const auto* skip = std::get_if<Skip>(&mapped)) {
      ++skipped[skip->reason];
      notDrawn += notDrawnRecord({code, crsName(ctx, code), skip->reason});
      continue;
    }
    auto& [entry, exact] = std::get<MappedCrs>(mapped);
    if (const std::string problem = readBackProblem(entry, exact); !problem.empty()) {
      std::fprintf(stderr, "epsg_catalogue: EPSG:%d does not read back: %s\n", code, problem.c_str());
      return 1;
    }
    if (refusedByVelqora(entry)) {
      const std::string reason = entry.projectionKey + " grid that Velqora refuses for every point (origin latitude " +
                                 (exact.latitude == 90 || exact.latitude == -90 ? "at a pole)" : "not valid)");
      ++skipped[reason];
      notDrawn += notDrawnRecord({code, entry.name, reason});
      continue;
    }
    const int projection = standardProjectionCode(entry.projectionKey);
    if (projection == TRANSVERSE_MERCATOR || projection == CASSINI_SOLDNER) {
      const GridAccuracy accuracy = checkGrid(ctx, entry);
      if (!accuracy.failure.empty()) {
        std::fprintf(stderr, "epsg_catalogue: EPSG:%d not checked: %s\n", code, accuracy.failure.c_str());
      } else {
        entry.seriesError = seriesErrorFigure(accuracy.worstMetres);
        if (entry.seriesError) ++withSeriesError;
      }
    }
    ++written[entry.projectionKey];
    records += catalogueRecord(entry);
  }

  std::ofstream file(output, std::ios::binary);
  file << header(ctx) << records << "#-\r\n";
  file.close();
  if (!file) {
    std::fprintf(stderr, "epsg_catalogue: cannot write %s\n", output.c_str());
    return 1;
  }
  std::ofstream notDrawnFile(notDrawnOutput, std::ios::binary);
  notDrawnFile << notDrawnHeader(ctx) << notDrawn << "#-\r\n";
  notDrawnFile.close();
  if (!notDrawnFile) {
    std::fprintf(stderr, "epsg_catalogue: cannot write %s\n", notDrawnOutput.c_str());
    return 1;
  }

  std::printf("%zu non-deprecated EPSG projected CRSs in PROJ %s's proj.db (EPSG %s, %s)\n", codes.size(),
              proj_info().version, metadata(ctx, "EPSG.VERSION").c_str(), metadata(ctx, "EPSG.DATE").c_str());
  std::vector<std::pair<std::string, int>> reasons(skipped.begin(), skipped.end());
  std::stable_sort(reasons.begin(), reasons.end(), [](const auto& x, const auto& y) { return x.second > y.second; });
  int skippedCount = 0;
  for (const auto& r : reasons) skippedCount += r.second;
  std::printf("skipped %d:\n", skippedCount);
  for (const auto& [reason, count] : reasons) std::printf("  %5d  %s\n", count, reason.c_str());
  int writtenCount = 0;
  for (const auto& w : written) writtenCount += w.second;
  std::printf("wrote %d to %s:\n", writtenCount, output.c_str());
  for (const auto key : STANDARD_PROJECTION_KEYS) {
    if (const auto it = written.find(std::string(key)); it != written.end()) {
      std::printf("  %5d  %s\n", it->second, it->first.c_str());
    }
  }
  std::printf("  %d of them with a series error above 1 cm\n", withSeriesError);
  std::printf("the %d left out listed in %s\n", skippedCount, notDrawnOutput.c_str());
  return 0;
}
