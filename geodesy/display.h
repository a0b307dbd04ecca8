#pragma once

#include <string>

namespace velqora {

// Signed decimal text of x with n digits, cut and never rounded ("+6378.13699999").
[[nodiscard]] std::string DSPDCM(double x, int n);

// The three texts of an angle x in decimal degrees: signed whole degrees D,
// two-digit arc-minutes M, arc-seconds S with up to four decimals, all cut.
void DSPSEXA(double x, std::string& D, std::string& M, std::string& S);

// DSPDCM's text without its sign, for values that can only be positive.
[[nodiscard]] std::string unsignedText(double x, int n);

}  // namespace velqora
