#include <gtest/gtest.h>

#include <set>
#include <string>

#include "window/form.h"
#include "window/layout.h"

namespace velqora {
namespace {

// The table holds each control once, every field, list and button the handlers use,
// and the fields' initial texts and typing limits.
TEST(WindowLayout, TableHoldsEveryControlOnce) {
  std::set<std::string> names;
  std::set<int> fields, lists, buttons, labels;
  for (const Control& c : mainformControls()) {
    EXPECT_TRUE(names.insert(std::string(c.name)).second) << c.name;
    const std::string prefix = c.kind == ControlKind::Field    ? "EDIT"
                               : c.kind == ControlKind::List   ? "COMBO"
                               : c.kind == ControlKind::Button ? "BUTTON"
                                                               : "TEXT";
    EXPECT_EQ(std::string(c.name), prefix + std::to_string(c.number));
    switch (c.kind) {
      case ControlKind::Field: fields.insert(c.number); break;
      case ControlKind::List: lists.insert(c.number); break;
      case ControlKind::Button: buttons.insert(c.number); break;
      case ControlKind::Label: labels.insert(c.number); break;
    }
    EXPECT_EQ(c.typingLimit > 0, c.kind == ControlKind::Field) << c.name;
    EXPECT_GT(c.w, 0);
    EXPECT_GT(c.h, 0);
    EXPECT_LE(c.x + c.w, CLIENT_WIDTH_UNITS) << c.name;
    // A list's height is that of its open list, which may reach below the window.
    if (c.kind != ControlKind::List) {
      EXPECT_LE(c.y + c.h, CLIENT_HEIGHT_UNITS) << c.name;
    }
  }
  EXPECT_EQ(fields.size(), 38u);
  EXPECT_EQ(*fields.begin(), 1);
  EXPECT_EQ(*fields.rbegin(), 38);
  EXPECT_EQ(lists, (std::set<int>{1, 2, 3, 4}));
  EXPECT_EQ(buttons, (std::set<int>{1, 2, 3, 4}));
  EXPECT_EQ(labels.size(), 62u);
  for (const int absent : {32, 37, 43, 55, 56, 67, 68, 69, 70, 71}) EXPECT_EQ(labels.count(absent), 0u) << absent;

  for (int f = 1; f <= FIELD_COUNT; ++f) {
    const Control& c = controlOf(Field(f));
    EXPECT_EQ(std::string(c.text), initialText(Field(f))) << c.name;
    const int limit = (f == 14 || f == 15 || f == 27) ? 4 : (f == 16 || f == 17 || f == 28) ? 2 : 15;
    EXPECT_EQ(c.typingLimit, limit) << c.name;
  }
  EXPECT_EQ(findControl("TEXT42")->text, std::string(126, '-'));
  EXPECT_EQ(findControl("TEXT99"), nullptr);
}

// The creation list: its first and last entries, the focus order of a sample, and the
// order among the four lists and four buttons.
TEST(WindowLayout, CreationOrderIsTheFocusOrder) {
  const auto controls = mainformControls();
  ASSERT_EQ(controls.size(), 108u);
  EXPECT_EQ(controls.front().name, "TEXT1");
  EXPECT_EQ(controls.back().name, "COMBO4");
  std::string focusOrder;
  for (const Control& c : controls)
    if (c.kind != ControlKind::Label && (c.kind != ControlKind::Field || c.number > 30))
      focusOrder += std::string(c.name) + " ";
  EXPECT_EQ(focusOrder,
            "COMBO1 BUTTON1 COMBO2 BUTTON2 BUTTON3 BUTTON4 EDIT31 EDIT32 EDIT33 EDIT34 EDIT35 EDIT36 "
            "EDIT37 EDIT38 COMBO3 COMBO4 ");
  std::string fields;
  for (const Control& c : controls)
    if (c.kind == ControlKind::Field && c.number <= 13) fields += std::string(c.name) + " ";
  EXPECT_EQ(fields, "EDIT1 EDIT2 EDIT3 EDIT4 EDIT5 EDIT6 EDIT7 EDIT8 EDIT9 EDIT10 EDIT11 EDIT12 EDIT13 ");
}

// A unit is 1.33 pixels at 96 DPI, and boxes that touch in the table touch on the screen.
TEST(WindowLayout, UnitsScaleWithTheDpiAndTouchingBoxesStayApart) {
  const struct {
    int units;
    double dpi;
    int pixels;
  } cases[] = {{647, 96, 826}, {480, 96, 613}, {9, 96, 11}, {59, 96, 75}, {647, 120, 1033}, {17, 144, 33}};
  for (const auto& c : cases) EXPECT_EQ(unitsToPixels(c.units, c.dpi), c.pixels) << c.units << " at " << c.dpi;
  for (const double dpi : {96.0, 120.0, 144.0, 192.0}) {
    const PixelBox label = pixelBox(*findControl("TEXT49"), dpi, dpi);  // x 500, w 34
    const PixelBox field = pixelBox(*findControl("EDIT29"), dpi, dpi);  // x 534
    EXPECT_EQ(label.x + label.width, field.x) << dpi;
  }
}

}  // namespace
}  // namespace velqora
