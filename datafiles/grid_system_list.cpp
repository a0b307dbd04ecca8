// "gridlist.txt": each record is a display-name line and the line naming the grid
// system's grid-group file, used as written (relative names from the working directory).
#include "datafiles/data_file.h"
#include "datafiles/list_reader.h"
#include "datafiles/parsers.h"
#include "datafiles/tables.h"

namespace velqora {

std::optional<LoadError> parseGridSystemList(std::string_view bytes, const std::string& fileName, int& count) {
  count = 0;
  try {
    DataReader reader(bytes, fileName);
    readList(reader, GRIDSYS_ROWS, count, [](DataReader& r, int entry) {
      auto& row = GRIDSYS[static_cast<std::size_t>(entry)];
      row[0] = r.readLine("the file ends inside a record: its name line is missing");
      row[1] = r.readLine("the file ends inside a record: its grid-group file line is missing");
    });
  } catch (const LoadFailure& failure) {
    return failure.error;
  }
  return std::nullopt;
}

std::optional<LoadError> loadGridSystemList(const std::string& fileName, int& count) {
  count = 0;
  try {
    return parseGridSystemList(readDataFile(fileName), fileName, count);
  } catch (const LoadFailure& failure) {
    return failure.error;
  }
}

}  // namespace velqora
