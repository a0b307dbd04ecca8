// A grid-group file: each record is a grid-group name line and sixteen fields (origin
// longitude and latitude as degrees, arc-minutes, arc-seconds; X and Y shift in km;
// scale factor; projection key; the two standard parallels as degrees, arc-minutes,
// arc-seconds).
#include "datafiles/data_file.h"
#include "datafiles/list_reader.h"
#include "datafiles/parsers.h"
#include "datafiles/tables.h"

namespace velqora {

std::optional<LoadError> parseGridGroupFile(std::string_view bytes, const std::string& fileName) {
  GRPCOUNT = 0;
  int count = 0;
  try {
    DataReader reader(bytes, fileName);
    readList(reader, GRP_ROWS, count, [](DataReader& r, int entry) {
      auto& row = GRPTAB[static_cast<std::size_t>(entry)];
      row[0] = r.readLine("the file ends inside a record: its name line is missing");
      for (int field = 1; field <= 16; ++field) {
        row[static_cast<std::size_t>(field)] = r.readField(missingValue(field, 16));
      }
    });
  } catch (const LoadFailure& failure) {
    return failure.error;  // GRPCOUNT stays 0: no grid group of a broken file is offered
  }
  GRPCOUNT = count;
  return std::nullopt;
}

std::optional<LoadError> loadGridGroupFile(const std::string& fileName) {
  GRPCOUNT = 0;
  try {
    return parseGridGroupFile(readDataFile(fileName), fileName);
  } catch (const LoadFailure& failure) {
    return failure.error;
  }
}

}  // namespace velqora
