#pragma once

#include <functional>
#include <string>

#include "datafiles/data_reader.h"

namespace velqora {

// The loop common to the four lists: a line beginning with "#-" ends the list, a line
// beginning with "#" starts a record, whose body readBody reads and stores as entry
// `count` before count goes up by one; any other line is a comment. A record beyond
// `limit` entries, or data that end before the "#-" line, throw LoadFailure.
void readList(DataReader& reader, int limit, int& count,
              const std::function<void(DataReader& reader, int entry)>& readBody);

// The message for a value of a record that the data end before.
[[nodiscard]] std::string missingValue(int number, int of);

}  // namespace velqora
