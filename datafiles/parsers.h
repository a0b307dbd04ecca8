#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "datafiles/loaders.h"

namespace velqora {

// The four list formats read from bytes already in memory; fileName only names the
// file in a report. The file loaders of loaders.h read the file and call these, as
// does the fuzz target. Results and tables as for the loaders.
std::optional<LoadError> parseProjectionList(std::string_view bytes, const std::string& fileName,
                                             std::vector<std::string>& names);
std::optional<LoadError> parseGridSystemList(std::string_view bytes, const std::string& fileName, int& count);
std::optional<LoadError> parseEllipsoidList(std::string_view bytes, const std::string& fileName, int& count);
std::optional<LoadError> parseGridGroupFile(std::string_view bytes, const std::string& fileName);

}  // namespace velqora
