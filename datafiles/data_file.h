#pragma once

#include <string>

namespace velqora {

// The whole content of a data file, read as bytes; a file that is missing, cannot be
// opened or cannot be read throws LoadFailure (data_reader.h) with line 0.
[[nodiscard]] std::string readDataFile(const std::string& fileName);

}  // namespace velqora
