#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "window/form.h"
#include "window/layout.h"

namespace velqora {

// The widest text a field has to show whole: what a command writes there at its digit
// count (DSPDCM's sign, digits and point; DSPSEXA's "+180", "59", "59.9999"), or for a
// field filled from a grid-group file or typed, the widest usual value of its kind. All
// digits of Arial are equally wide; "+" is the widest sign.
[[nodiscard]] std::string_view longestFieldText(Field field);

// One control as a front end has laid it out and measured it with its own fonts, in
// pixels. The text is a label's or button's caption, a field's longest text, or a list's
// widest entry; the room is where that text is drawn: a label's box, a field's text area,
// a button's face, the open list's rows. A height of 0 is not checked.
struct MeasuredControl {
  std::string name;
  ControlKind kind = ControlKind::Label;
  int x = 0, y = 0, width = 0, height = 0;  // a list's closed box
  int textWidth = 0, textHeight = 0;
  int roomWidth = 0, roomHeight = 0;
};

// "EDIT22 box 41,451 144x28 text 111x17 room 134x22": one line for a test's log.
[[nodiscard]] std::string describe(const MeasuredControl& control);

// What does not fit: a text wider or taller than its room, two controls that overlap (a
// label by the part its text takes: some label boxes reach under the next field), a
// control outside the client area, margins that differ by more than a pixel of rounding.
// Empty when the layout fits.
[[nodiscard]] std::vector<std::string> layoutProblems(const std::vector<MeasuredControl>& controls, int clientWidth,
                                                      int clientHeight);

}  // namespace velqora
