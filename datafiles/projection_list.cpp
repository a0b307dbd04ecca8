// "prj-list.txt": each record is a display-name line and a key line; the position of
// a record is its projection code.
#include "datafiles/data_file.h"
#include "datafiles/list_reader.h"
#include "datafiles/parsers.h"
#include "datafiles/tables.h"

namespace velqora {

std::optional<LoadError> parseProjectionList(std::string_view bytes, const std::string& fileName,
                                             std::vector<std::string>& names) {
  PRJCOUNT = 0;
  names.clear();
  try {
    DataReader reader(bytes, fileName);
    readList(reader, PRJ_ROWS, PRJCOUNT, [&names](DataReader& r, int entry) {
      std::string name = r.readLine("the file ends inside a record: its name line is missing");
      PRJKEY[static_cast<std::size_t>(entry)] = r.readLine("the file ends inside a record: its key line is missing");
      names.push_back(std::move(name));
    });
  } catch (const LoadFailure& failure) {
    return failure.error;
  }
  return std::nullopt;
}

std::optional<LoadError> loadProjectionList(const std::string& fileName, std::vector<std::string>& names) {
  PRJCOUNT = 0;
  names.clear();
  try {
    return parseProjectionList(readDataFile(fileName), fileName, names);
  } catch (const LoadFailure& failure) {
    return failure.error;
  }
}

}  // namespace velqora
