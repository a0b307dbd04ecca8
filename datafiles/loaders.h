#pragma once

#include <optional>
#include <string>
#include <vector>

namespace velqora {

// A fatal problem with a data file: which file, the 1-based line where it was
// found, and the cause in plain words.
struct LoadError {
  std::string file;
  int line = 0;
  std::string cause;
  // "gridlist.txt, line 12: the file ends before its end line "#-""
  [[nodiscard]] std::string report() const;
};

// The fixed names of the three lists, looked up in the current working directory.
inline constexpr const char* PRJ_LIST_FILE = "prj-list.txt";
inline constexpr const char* GRID_LIST_FILE = "gridlist.txt";
inline constexpr const char* EARTH_LIST_FILE = "earth-sz.txt";

// Each loader either fills its table and returns std::nullopt, or returns the
// report of the first fatal problem. None prints or ends the program.

// PRJKEY/PRJCOUNT; the display names, in file order, go to names.
std::optional<LoadError> loadProjectionList(const std::string& fileName, std::vector<std::string>& names);
// GRIDSYS; count receives the number of grid systems.
std::optional<LoadError> loadGridSystemList(const std::string& fileName, int& count);
// EARTHTAB; count receives the number of ellipsoids.
std::optional<LoadError> loadEllipsoidList(const std::string& fileName, int& count);
// Sets GRPCOUNT to 0, then fills GRPTAB and GRPCOUNT.
std::optional<LoadError> loadGridGroupFile(const std::string& fileName);

// How many entries a list of `rows` table rows shows for `count` records: a list
// file without records still shows row 0 (its empty name), so the list has a first
// entry.
[[nodiscard]] constexpr int listedEntries(int count, int rows) { return count < 1 ? 1 : (count < rows ? count : rows); }

}  // namespace velqora
