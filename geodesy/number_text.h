#pragma once

#include <string>
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

// Whether Number reads the text as the user meant it: the empty text, a text of
// blanks, or a number followed by nothing or by a blank (and then anything: a note
// such as "0.9996 scale"). A text that does not begin with a number ("abc"), or whose
// number runs on into other characters ("16,3725", "16.3O25", "12abc", "1E"), is not
// a number: Number would read it as another value (16, 16.3, 12, 1) without a word.
[[nodiscard]] bool isNumberText(std::string_view text);

// The same for the degrees text of an angle, whose first character gives the whole
// angle's sign: there "-" and "--" also stand for minus zero degrees.
[[nodiscard]] bool isDegreesText(std::string_view text);

// The window's message for a text that is not a number.
[[nodiscard]] std::string notANumberMessage(std::string_view text);

}  // namespace velqora
