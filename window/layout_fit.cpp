#include "window/layout_fit.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>

namespace velqora {

namespace {

constexpr std::string_view DEGREES = "+180";
constexpr std::string_view MINUTES = "59";
constexpr std::string_view SECONDS = "59.9999";            // DSPSEXA's four decimals, about 3 mm
constexpr std::string_view SIGNED_11 = "+12345.678901";    // DSPDCM with 11 digits: 13 characters
constexpr std::string_view UNSIGNED_12 = "6378.13699999";  // DSPDCM with 12 digits, sign removed

// By field number.
constexpr std::array<std::string_view, FIELD_COUNT + 1> LONGEST{{
    "",              // unused
    UNSIGNED_12,     // EDIT1: a, from EARTHCUL
    UNSIGNED_12,     // EDIT2: b
    UNSIGNED_12,     // EDIT3: 1/f
    UNSIGNED_12,     // EDIT4: 1/e
    DEGREES,         // EDIT5: origin longitude
    DEGREES,         // EDIT6: origin latitude
    MINUTES,         // EDIT7
    MINUTES,         // EDIT8
    SECONDS,         // EDIT9
    SECONDS,         // EDIT10
    "5400.088438",   // EDIT11: a shift in km to the millimetre (Belgian Lambert 72's false northing)
    "5400.088438",   // EDIT12
    "0.9996012717",  // EDIT13: the British National Grid's scale factor
    DEGREES,         // EDIT14: the point, as typed (its limit) or written back
    DEGREES,         // EDIT15
    MINUTES,         // EDIT16
    MINUTES,         // EDIT17
    SECONDS,         // EDIT18
    SECONDS,         // EDIT19
    SIGNED_11,       // EDIT20: decimal degrees
    SIGNED_11,       // EDIT21
    SIGNED_11,       // EDIT22: X in km
    SIGNED_11,       // EDIT23: Y in km
    SIGNED_11,       // EDIT24: the angle to true north in decimal degrees
    "+1.2345",       // EDIT25: a residual, 5 digits
    "+1.2345",       // EDIT26
    DEGREES,         // EDIT27: the angle to true north
    MINUTES,         // EDIT28
    SECONDS,         // EDIT29
    SIGNED_11,       // EDIT30: its tangent
    UNSIGNED_12,     // EDIT31: the point scale factor
    "30.87708215",   // EDIT32: one arc-second's length in m, 10 digits
    DEGREES,         // EDIT33: first standard parallel
    DEGREES,         // EDIT34: second standard parallel
    MINUTES,         // EDIT35
    MINUTES,         // EDIT36
    SECONDS,         // EDIT37
    SECONDS,         // EDIT38
}};

// What a control covers: a label only its text, any other control its box.
struct Area {
  int x, y, width, height;
};
Area covered(const MeasuredControl& c) {
  if (c.kind == ControlKind::Label) return {c.x, c.y, c.textWidth, c.textHeight};
  return {c.x, c.y, c.width, c.height};
}

bool overlap(const MeasuredControl& first, const MeasuredControl& second) {
  const Area a = covered(first), b = covered(second);
  return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

}  // namespace

std::string_view longestFieldText(Field field) { return LONGEST.at(static_cast<std::size_t>(field)); }

std::string describe(const MeasuredControl& c) {
  const auto size = [](int w, int h) { return std::to_string(w) + "x" + std::to_string(h); };
  return c.name + " box " + std::to_string(c.x) + "," + std::to_string(c.y) + " " + size(c.width, c.height) + " text " +
         size(c.textWidth, c.textHeight) + " room " + size(c.roomWidth, c.roomHeight);
}

std::vector<std::string> layoutProblems(const std::vector<MeasuredControl>& controls, int clientWidth,
                                        int clientHeight) {
  std::vector<std::string> problems;
  int left = std::numeric_limits<int>::max(), top = left, right = 0, bottom = 0;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const MeasuredControl& c = controls[i];
    if (c.textWidth > c.roomWidth || c.textHeight > c.roomHeight) problems.push_back("clipped: " + describe(c));
    if (c.x < 0 || c.y < 0 || c.x + c.width > clientWidth || c.y + c.height > clientHeight)
      problems.push_back("outside the client area: " + describe(c));
    for (std::size_t j = i + 1; j < controls.size(); ++j)
      if (overlap(c, controls[j])) problems.push_back("overlap: " + describe(c) + " and " + describe(controls[j]));
    left = std::min(left, c.x);
    top = std::min(top, c.y);
    right = std::max(right, c.x + c.width);
    bottom = std::max(bottom, c.y + c.height);
  }
  const int margins[] = {left, clientWidth - right, top, clientHeight - bottom};
  if (std::abs(margins[0] - margins[1]) > 1 || std::abs(margins[2] - margins[3]) > 1)
    problems.push_back("uneven margins: left " + std::to_string(margins[0]) + ", right " + std::to_string(margins[1]) +
                       ", top " + std::to_string(margins[2]) + ", bottom " + std::to_string(margins[3]));
  return problems;
}

}  // namespace velqora
