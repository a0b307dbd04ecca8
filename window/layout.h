#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "window/form.h"

namespace velqora {

// The controls of the window MAINFORM, toolkit-free: what a front end needs to build
// the window. Positions and sizes are in hundredths of a logical inch, relative to the
// top-left corner of the client area.
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

// The client area that holds every control.
inline constexpr int CLIENT_WIDTH_UNITS = 640;
inline constexpr int CLIENT_HEIGHT_UNITS = 488;

// Every control in creation order, which is the keyboard focus order of the fields,
// lists and buttons (labels take no focus).
[[nodiscard]] std::span<const Control> mainformControls();

// The control of that name, or nullptr.
[[nodiscard]] const Control* findControl(std::string_view name);

// The row of a field or list.
[[nodiscard]] const Control& controlOf(Field field);
[[nodiscard]] const Control& controlOf(List list);

// A length in layout units as device pixels at the given logical DPI.
[[nodiscard]] int unitsToPixels(int units, double logicalDpi);

}  // namespace velqora
