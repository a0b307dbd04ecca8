#include "converter/catalogue_choice.h"

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "converter/conversion_setup.h"
#include "converter/data_folder.h"
#include "converter/files.h"
#include "datafiles/catalogue_search.h"

namespace velqora::convert {

namespace {

namespace fs = std::filesystem;

bool isFile(const fs::path& file) {
  std::error_code error;
  return fs::is_regular_file(file, error);
}

// The catalogue's entries; a file that cannot be read at all is a usage error.
std::vector<CatalogueEntry> catalogueEntries(const std::string& catalogueFile) {
  CatalogueReading reading = readCatalogue(catalogueFile);
  if (reading.entries.empty())
    throw UsageError(reading.problems.empty() ? catalogueFile + ": no grid in the catalogue"
                                              : reading.problems.front());
  for (const std::string& problem : reading.problems) std::fprintf(stderr, "%s\n", problem.c_str());
  return std::move(reading.entries);
}

std::string seriesErrorNote(const CatalogueEntry& e) {
  if (!e.seriesError) return {};
  std::array<char, 32> figure{};
  std::snprintf(figure.data(), figure.size(), "%g", *e.seriesError);
  return std::string("  [series error up to ") + figure.data() + " m at the edge of its area]";
}

}  // namespace

std::string catalogueFileFor(const std::string& dataFolder) {
  const fs::path own = pathOf(dataFolder) / EPSG_CATALOGUE_FILE;
  if (isFile(own)) return utf8Of(own);
  const std::string installed = installedDataFolder();
  if (!installed.empty() && isFile(pathOf(installed) / EPSG_CATALOGUE_FILE))
    return utf8Of(pathOf(installed) / EPSG_CATALOGUE_FILE);
  return utf8Of(own);
}

CatalogueEntry catalogueEntryOfCode(const std::string& catalogueFile, const std::string& code) {
  int number = 0;
  const auto [end, ec] = std::from_chars(code.data(), code.data() + code.size(), number);
  if (code.empty() || ec != std::errc{} || end != code.data() + code.size() || number <= 0)
    throw UsageError("--epsg: \"" + code + "\" is no EPSG code (a whole number such as 2154)");
  for (const CatalogueEntry& e : catalogueEntries(catalogueFile))
    if (e.code == number) return e;
  const fs::path notDrawnFile = pathOf(catalogueFile).parent_path() / EPSG_NOT_DRAWN_FILE;
  for (const NotDrawnCrs& crs : readNotDrawn(utf8Of(notDrawnFile)))
    if (crs.code == number)
      throw UsageError("--epsg " + code + ": EPSG:" + code + " " + crs.name +
                       " is not drawn by any of the six projections (" + crs.reason + ")");
  throw UsageError("--epsg " + code + ": no projected CRS of the EPSG dataset in " + catalogueFile + " has this code");
}

std::string catalogueListing(const std::string& catalogueFile, const std::string& query) {
  const std::vector<CatalogueEntry> entries = catalogueEntries(catalogueFile);
  const CatalogueSearch search(entries);
  std::string out;
  for (const std::size_t i : search.find(query)) {
    const CatalogueEntry& e = entries[i];
    out += "EPSG:" + std::to_string(e.code) + "  " + e.name + "  (" + e.area + ")" + seriesErrorNote(e) + "\n";
  }
  return out;
}

}  // namespace velqora::convert
