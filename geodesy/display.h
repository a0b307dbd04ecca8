#pragma once

#include <string>

namespace velqora {

// The digit counts DSPDCM takes; the window passes 5, 10, 11 or 12.
inline constexpr int MIN_DIGITS = 1;
inline constexpr int MAX_DIGITS = 12;

// Signed decimal text of x with n digits, cut and never rounded ("+6378.13699999").
// n counts every digit shown, from 1 to 12; a count below 1 is taken as 1 and one
// above 12 as 12. A value that is no number gives the empty text.
[[nodiscard]] std::string DSPDCM(double x, int n);

// The three texts of an angle x in decimal degrees: signed whole degrees D,
// two-digit arc-minutes M, arc-seconds S with up to four decimals, all cut.
void DSPSEXA(double x, std::string& D, std::string& M, std::string& S);

// DSPSEXA's three texts as one value.
struct AngleTexts {
  std::string degrees;  // with the angle's sign
  std::string minutes;
  std::string seconds;
};
[[nodiscard]] AngleTexts sexagesimalTexts(double x);

// DSPDCM's text without its sign, for values that can only be positive.
[[nodiscard]] std::string unsignedText(double x, int n);

// A longitude or latitude in decimal degrees as the window shows it (11 digits, signed).
[[nodiscard]] std::string decimalDegreesText(double degrees);

}  // namespace velqora
