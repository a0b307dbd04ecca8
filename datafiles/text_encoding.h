#pragma once

#include <string>

namespace velqora {

// A table text as the window shows it, in UTF-8: text that is valid UTF-8 stays as
// it is; anything else is read as Windows-1252, the usual 8-bit code page of such files.
[[nodiscard]] std::string displayText(const std::string& bytes);

}  // namespace velqora
