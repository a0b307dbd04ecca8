// "earth-sz.txt": each record is a name line and four fields, the equatorial radius
// (km), polar radius (km), inverse flattening and inverse eccentricity, any of which
// may be empty.
#include "datafiles/data_file.h"
#include "datafiles/list_reader.h"
#include "datafiles/parsers.h"
#include "datafiles/tables.h"

namespace velqora {

std::optional<LoadError> parseEllipsoidList(std::string_view bytes, const std::string& fileName, int& count) {
  count = 0;
  try {
    DataReader reader(bytes, fileName);
    readList(reader, EARTH_ROWS, count, [](DataReader& r, int entry) {
      auto& row = EARTHTAB[static_cast<std::size_t>(entry)];
      row[0] = r.readLine("the file ends inside a record: its name line is missing");
      for (int field = 1; field <= 4; ++field) {
        row[static_cast<std::size_t>(field)] = r.readField(missingValue(field, 4));
      }
    });
  } catch (const LoadFailure& failure) {
    return failure.error;
  }
  return std::nullopt;
}

std::optional<LoadError> loadEllipsoidList(const std::string& fileName, int& count) {
  count = 0;
  try {
    return parseEllipsoidList(readDataFile(fileName), fileName, count);
  } catch (const LoadFailure& failure) {
    return failure.error;
  }
}

}  // namespace velqora
