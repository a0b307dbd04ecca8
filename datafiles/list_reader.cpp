// The structure common to the four data files: records that start with a "#" line,
// comment lines between them, and the "#-" line that ends the list.
#include "datafiles/list_reader.h"

namespace velqora {

void readList(DataReader& reader, int limit, int& count,
              const std::function<void(DataReader& reader, int entry)>& readBody) {
  const std::string noEndLine = "the file ends before its end line \"#-\"";
  while (true) {
    const int lineNumber = reader.lineNumber();
    const std::string line = reader.readLine(noEndLine);
    if (line.compare(0, 2, "#-") == 0) return;
    if (line.compare(0, 1, "#") != 0) continue;  // a comment line
    if (count >= limit) {
      throw LoadFailure{LoadError{reader.fileName(), lineNumber,
                                  "too many records: the list holds at most " + std::to_string(limit)}};
    }
    readBody(reader, count);
    ++count;
  }
}

std::string missingValue(int number, int of) {
  return "the file ends inside a record: value " + std::to_string(number) + " of " + std::to_string(of) +
         " is missing";
}

}  // namespace velqora
