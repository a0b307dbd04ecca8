#pragma once

#include <string_view>

namespace velqora {

// The number a field's text stands for: leading blanks skipped, then the number at
// the start of the text (sign, digits, decimal point, exponent letter E or D in
// either case); it ends at the first character that cannot continue it. An empty
// text, or one that does not begin like a number, reads as 0. A value beyond the
// double range reads as infinite, for later checks to refuse.
[[nodiscard]] double Number(std::string_view text);

// The sign of a typed angle: -1 when the text's first character is '-', else +1.
[[nodiscard]] double Sign(std::string_view text);

}  // namespace velqora
