#pragma once

#include <string>
#include <string_view>

namespace velqora {

// A table text as the window shows it, in UTF-8: text that is valid UTF-8 stays as
// it is; anything else is read as Windows-1252, the usual 8-bit code page of such files.
[[nodiscard]] std::string displayText(const std::string& bytes);

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
[[nodiscard]] bool isValidUtf8(std::string_view text);

}  // namespace velqora
