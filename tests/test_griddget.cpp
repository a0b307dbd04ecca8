#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/scratch_dir.h"
#include "window/griddget.h"
#include "window/memory_form.h"
#include "window/records.h"

namespace velqora {
namespace {

constexpr double UNTOUCHED = 12345.678;
constexpr int UNTOUCHED_KIND = 77;
constexpr const char* ORIGIN_MESSAGE = "Please set correct data.";
constexpr const char* SCALE_MESSAGE = "Please set a correct data.";

using Texts = std::vector<std::pair<Field, std::string>>;

// A form with a valid origin (the initial texts plus a typed longitude and latitude),
// a seven-entry projection list with the given code selected, and GRID/PRJKIND
// holding marker values so that every write shows.
MemoryForm formWith(const Texts& texts, int code) {
  testing::resetGlobals();
  MemoryForm form;
  form.setText(EDIT5, "139");
  form.setText(EDIT6, "35");
  for (int p = 0; p < 7; ++p) form.appendEntry(COMBO4, "projection " + std::to_string(p));
  form.selectPosition(COMBO4, code);
  for (const auto& [field, text] : texts) form.setText(field, text);
  GRID.fill(UNTOUCHED);
  PRJKIND = UNTOUCHED_KIND;
  return form;
}

struct Case {
  const char* name;
  Texts texts;
  int code;
  const char* message;  // nullptr: accepted
  int written;          // GRID(0) to GRID(written - 1) hold new values, the rest their old ones
  bool kindSet;
};

TEST(GRIDDGET, ChecksStopAtTheFirstBadFieldAndLeaveLaterElementsAlone) {
  const std::vector<Case> cases = {
      {"initial texts with an origin typed", {}, 1, nullptr, 9, true},
      {"longitude 180 passes", {{EDIT5, "180"}}, 1, nullptr, 9, true},
      {"longitude -180 passes", {{EDIT5, "-180"}}, 1, nullptr, 9, true},
      {"longitude 180.0001", {{EDIT5, "180.0001"}}, 1, ORIGIN_MESSAGE, 1, false},
      {"longitude -180.0001", {{EDIT5, "-180.0001"}}, 1, ORIGIN_MESSAGE, 1, false},
      {"longitude empty", {{EDIT5, ""}}, 1, ORIGIN_MESSAGE, 1, false},
      {"longitude \"-\" passes", {{EDIT5, "-"}}, 1, nullptr, 9, true},
      {"longitude \"--\" passes", {{EDIT5, "--"}}, 1, nullptr, 9, true},
      {"longitude of blanks passes", {{EDIT5, "  "}}, 1, nullptr, 9, true},
      {"latitude -90 passes", {{EDIT6, "-90"}}, 1, nullptr, 9, true},
      {"latitude 90 passes", {{EDIT6, "90"}}, 1, nullptr, 9, true},
      {"latitude 90.0001", {{EDIT6, "90.0001"}}, 1, ORIGIN_MESSAGE, 4, false},
      {"latitude -90.5", {{EDIT6, "-90.5"}}, 1, ORIGIN_MESSAGE, 4, false},
      {"latitude empty", {{EDIT6, ""}}, 1, ORIGIN_MESSAGE, 4, false},
      {"X shift empty", {{EDIT11, ""}}, 1, ORIGIN_MESSAGE, 6, false},
      {"Y shift empty", {{EDIT12, ""}}, 1, ORIGIN_MESSAGE, 6, false},
      {"scale empty", {{EDIT13, ""}}, 1, ORIGIN_MESSAGE, 6, false},
      {"scale 0", {{EDIT13, "0"}}, 1, SCALE_MESSAGE, 9, false},
      {"scale negative", {{EDIT13, "-0.9996"}}, 1, SCALE_MESSAGE, 9, false},
      {"scale of blanks reads 0", {{EDIT13, " "}}, 1, SCALE_MESSAGE, 9, false},
      {"code 4 ignores empty parallels", {{EDIT33, ""}, {EDIT34, "-"}}, 4, nullptr, 9, true},
      {"code 0 is accepted", {}, 0, nullptr, 9, true},
      {"code 3, both parallels", {{EDIT33, "30"}, {EDIT34, "-0"}}, 3, nullptr, 15, true},
      {"code 3, first parallel empty", {{EDIT33, ""}, {EDIT34, "40"}}, 3, SCALE_MESSAGE, 9, true},
      {"code 3, first parallel \"-\"", {{EDIT33, "-"}, {EDIT34, "40"}}, 3, SCALE_MESSAGE, 9, true},
      {"code 3, first parallel \"--\"", {{EDIT33, "--"}, {EDIT34, "40"}}, 3, SCALE_MESSAGE, 9, true},
      {"code 3, second parallel \"-\"", {{EDIT33, "30"}, {EDIT34, "-"}}, 3, SCALE_MESSAGE, 12, true},
      {"code 3, second parallel empty", {{EDIT33, "30"}, {EDIT34, ""}}, 3, SCALE_MESSAGE, 12, true},
      // A text that is not a number is refused where it is read, with its own message;
      // a number followed by a blank and a note is the number.
      {"longitude abc", {{EDIT5, "abc"}}, 1, "The text \"abc\" is not a number.", 0, false},
      {"longitude arc-seconds 16,3725", {{EDIT9, "16,3725"}}, 1, "The text \"16,3725\" is not a number.", 1, false},
      {"latitude 16.3O25", {{EDIT6, "16.3O25"}}, 1, "The text \"16.3O25\" is not a number.", 3, false},
      {"Y shift 12abc", {{EDIT12, "12abc"}}, 1, "The text \"12abc\" is not a number.", 6, false},
      {"scale 0,9996", {{EDIT13, "0,9996"}}, 1, "The text \"0,9996\" is not a number.", 6, false},
      {"scale 1E", {{EDIT13, "1E"}}, 1, "The text \"1E\" is not a number.", 6, false},
      {"scale with a note", {{EDIT13, "0.9996 scale"}}, 1, nullptr, 9, true},
      {"code 3, second parallel \"- 12\"",
       {{EDIT33, "30"}, {EDIT34, "- 12"}},
       3,
       "The text \"- 12\" is not a number.",
       12,
       true},
      // Typed numbers beyond the double range read as infinite and are refused.
      {"longitude 1E400", {{EDIT5, "1E400"}}, 1, ORIGIN_MESSAGE, 1, false},
      {"longitude arc-seconds 1E400", {{EDIT9, "1E400"}}, 1, ORIGIN_MESSAGE, 3, false},
      {"latitude -1D400", {{EDIT6, "-1D400"}}, 1, ORIGIN_MESSAGE, 4, false},
      {"latitude arc-minutes 1e400", {{EDIT8, "1e400"}}, 1, ORIGIN_MESSAGE, 6, false},
      {"X shift -1E400", {{EDIT11, "-1E400"}}, 1, ORIGIN_MESSAGE, 9, false},
      {"scale 1E400", {{EDIT13, "1E400"}}, 1, SCALE_MESSAGE, 9, false},
      {"code 3, first parallel 1E400", {{EDIT33, "1E400"}, {EDIT34, "40"}}, 3, SCALE_MESSAGE, 12, true},
      {"code 3, second parallel seconds 1E400",
       {{EDIT33, "30"}, {EDIT34, "40"}, {EDIT38, "1E400"}},
       3,
       SCALE_MESSAGE,
       15,
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MemoryForm form = formWith(c.texts, c.code);
    int status = 5;
    GRIDDGET(form, status);
    EXPECT_EQ(status, c.message == nullptr ? 1 : 0);
    if (c.message == nullptr) {
      EXPECT_TRUE(form.messages.empty());
    } else {
      EXPECT_EQ(form.messages, std::vector<std::string>{c.message});
    }
    for (int i = 0; i < 15; ++i) {
      SCOPED_TRACE("GRID(" + std::to_string(i) + ")");
      if (i < c.written) {
        EXPECT_NE(GRID[i], UNTOUCHED);
      } else {
        EXPECT_EQ(GRID[i], UNTOUCHED);
      }
    }
    EXPECT_EQ(PRJKIND, c.kindSet ? c.code : UNTOUCHED_KIND);
  }
}

TEST(GRIDDGET, AnglesTakeTheirSignFromTheFirstCharacterOfTheDegrees) {
  // Less than a degree west: "-0" gives the arc-minutes and arc-seconds the minus sign.
  MemoryForm form = formWith({{EDIT5, "-0"},
                              {EDIT7, "30"},
                              {EDIT9, "15.5"},
                              {EDIT6, " -5"},
                              {EDIT8, "20"},
                              {EDIT10, "-10"},
                              {EDIT11, "500"},
                              {EDIT12, "-0.5"},
                              {EDIT13, "0.9996"},
                              {EDIT33, "-0"},
                              {EDIT35, "45"},
                              {EDIT37, "3"},
                              {EDIT34, "-0"},
                              {EDIT36, "1"}},
                             3);
  int status = 0;
  GRIDDGET(form, status);
  ASSERT_EQ(status, 1) << (form.messages.empty() ? "" : form.messages.front());
  EXPECT_EQ(GRID[0], 0.0);
  EXPECT_EQ(GRID[1], -30.0);
  EXPECT_EQ(GRID[2], -15.5);
  EXPECT_NEAR(GRID[0] + GRID[1] / 60 + GRID[2] / 3600, -0.5043055555555556, 1e-15);
  // A leading blank: the number is -5, but the sign of the angle is +1.
  EXPECT_EQ(GRID[3], -5.0);
  EXPECT_EQ(GRID[4], 20.0);
  EXPECT_EQ(GRID[5], -10.0);
  EXPECT_EQ(GRID[6], 500.0);
  EXPECT_EQ(GRID[7], -0.5);
  EXPECT_EQ(GRID[8], 0.9996);
  EXPECT_EQ(GRID[9], 0.0);
  EXPECT_EQ(GRID[10], -45.0);
  EXPECT_EQ(GRID[11], -3.0);
  EXPECT_EQ(GRID[12], 0.0);
  EXPECT_EQ(GRID[13], -1.0);
  EXPECT_EQ(GRID[14], -0.0);
  EXPECT_EQ(PRJKIND, 3);
}

TEST(GRIDDGET, InitialTextsReadAsZeroShiftsAndUnitScale) {
  MemoryForm form = formWith({}, 5);
  int status = 0;
  GRIDDGET(form, status);
  ASSERT_EQ(status, 1);
  EXPECT_EQ(GRID[0], 139.0);
  EXPECT_EQ(GRID[3], 35.0);
  for (int i : {1, 2, 4, 5, 6, 7}) EXPECT_EQ(GRID[i], 0.0) << i;
  EXPECT_EQ(GRID[8], 1.0);
  EXPECT_EQ(PRJKIND, 5);
}

}  // namespace
}  // namespace velqora
