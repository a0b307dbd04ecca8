#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "window/form.h"

namespace velqora {

// The controls of the window MAINFORM, toolkit-free: what a front end needs to build
// the window. Positions and sizes are in layout units, relative to the top-left corner
// of the client area; unitsToPixels gives their size on the screen.
enum class ControlKind { Label, Field, List, Button };

struct Control {
  std::string_view name;  // "TEXT64", "COMBO4", "EDIT5", "BUTTON1"
  ControlKind kind;
  int number;             // 64 for TEXT64: the Field or List value for fields and lists
  std::string_view text;  // a label's or button's caption, a field's initial text
  int x, y, w, h;         // for a list, h is the height of the open list
  bool bold;
  int typingLimit;        // characters the user may type into a field; 0 for the other kinds
};

// The client area that holds every control, with the same margin of 9 units on all four
// sides: the leftmost control starts at x 9 and the rightmost (COMBO2) ends at 638, the
// topmost lists start at y 9 and the lowest fields end at 471. A menu bar, when the window
// has one, lies above the client area, outside these units.
inline constexpr int CLIENT_WIDTH_UNITS = 647;
inline constexpr int CLIENT_HEIGHT_UNITS = 480;

// A layout unit is LAYOUT_SCALE_PERCENT hundredths of a hundredth of a logical inch: 1.28
// pixels at 96 DPI rather than 0.96. At 0.96 pixel a unit the texts of Arial 11 pt do not
// fit the boxes: labels run under their neighbours and fields hide their last digits. The
// factor is the smallest whole percent at which, in both windows at 96, 120, 144 and 192
// DPI, every label shows whole and every field its longest text (longestFieldText), with
// no control over another; the layout fit tests check exactly that. The narrowest field
// for its text decides it: a standard parallel's arc-seconds, "59.9999" in 52 units, in
// the Win32 field, whose margins are wider than Qt's (README, "Window size"). One factor
// for the whole layout keeps the table's proportions; the font stays Arial 11 pt.
inline constexpr int LAYOUT_SCALE_PERCENT = 133;

// Every control in creation order, which is the keyboard focus order of the fields,
// lists and buttons (labels take no focus).
[[nodiscard]] std::span<const Control> mainformControls();

// The control of that name, or nullptr.
[[nodiscard]] const Control* findControl(std::string_view name);

// The row of a field or list.
[[nodiscard]] const Control& controlOf(Field field);
[[nodiscard]] const Control& controlOf(List list);

// A length in layout units as pixels at the given logical DPI, to the nearest pixel.
[[nodiscard]] int unitsToPixels(int units, double logicalDpi);

// A control's box in pixels. Its edges are rounded rather than its position and size, so
// boxes that touch in the table touch on the screen and do not overlap by a pixel.
struct PixelBox {
  int x, y, width, height;  // for a list, the height of the open list
};
[[nodiscard]] PixelBox pixelBox(const Control& control, double dpiX, double dpiY);

// A control's box in one of the program's own dialogs (Find a grid, Convert a file), in
// layout units, in the dialog's client area; and its pixels, edges rounded alike.
struct UnitBox {
  int x, y, w, h;
};
[[nodiscard]] PixelBox pixelBox(const UnitBox& box, double logicalDpi);

}  // namespace velqora
