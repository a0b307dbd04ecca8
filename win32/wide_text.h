#pragma once

#include <string>
#include <string_view>

namespace velqora {

// The core speaks UTF-8, the Windows API UTF-16.
[[nodiscard]] std::wstring toWide(std::string_view utf8);
[[nodiscard]] std::string toUtf8(std::wstring_view utf16);

}  // namespace velqora
