#include "window/grid_catalogue.h"

#include <filesystem>

#include "window/form.h"

namespace velqora {

namespace {

// The first problems, one a line, and how many more there are.
std::string problemLines(const std::vector<std::string>& problems) {
  std::string lines;
  for (std::size_t k = 0; k < problems.size() && k < FAULTY_RECORDS_NAMED; ++k) lines += problems[k] + "\n";
  if (problems.size() > FAULTY_RECORDS_NAMED)
    lines += "and " + std::to_string(problems.size() - FAULTY_RECORDS_NAMED) + " more\n";
  return lines;
}

std::string unreadableMessage(const CatalogueReading& reading, const std::string& file) {
  std::string text = "Velqora cannot find a grid, because it could not read its catalogue of EPSG grids:\n";
  text += reading.problems.empty() ? file + ": the file holds no grid\n" : problemLines(reading.problems);
  text += std::string("\nVelqora reads ") + EPSG_CATALOGUE_FILE +
          " from the folder it starts in or, when it is not there, from the folder it was installed in.";
  return text;
}

std::string faultyRecordsMessage(const CatalogueReading& reading) {
  const std::size_t faulty = reading.problems.size();
  const std::size_t served = reading.entries.size();
  std::string text = std::to_string(faulty) + (faulty == 1 ? " record" : " records") +
                     " of the catalogue of EPSG grids could not be read and " + (faulty == 1 ? "is" : "are") +
                     " left out; the other " + std::to_string(served) + (served == 1 ? " grid" : " grids") +
                     " can be found:\n" + problemLines(reading.problems);
  text.pop_back();
  return text;
}

}  // namespace

std::string installedCatalogueFile(const std::string& programFolder, bool onWindows) {
  if (onWindows) return programFolder + "\\" + EPSG_CATALOGUE_FILE;
  const std::filesystem::path installed =
      std::filesystem::path(programFolder) / ".." / "share" / "velqora" / EPSG_CATALOGUE_FILE;
  return installed.lexically_normal().string();
}

bool GridCatalogue::open(Form& form) {
  if (search_) return true;
  std::error_code ignored;
  const std::string file =
      std::filesystem::exists(EPSG_CATALOGUE_FILE, ignored) ? std::string(EPSG_CATALOGUE_FILE) : installedFile_;
  CatalogueReading reading = readCatalogue(file);
  if (reading.entries.empty()) {
    form.showMessage(unreadableMessage(reading, file));
    return false;
  }
  if (!reading.problems.empty()) form.showMessage(faultyRecordsMessage(reading));
  entries_ = std::move(reading.entries);
  search_.emplace(entries_);
  return true;
}

}  // namespace velqora
