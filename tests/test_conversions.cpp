#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "geodesy/constants.h"
#include "geodesy/number_text.h"
#include "window/event_handlers.h"
#include "window/handlers.h"
#include "window/memory_form.h"

namespace {

using namespace velqora;
using Messages = std::vector<std::string>;

const char* const OUTSIDE = "The point is outside the area that the projection can convert.";

// A window with GRS 80 (a and 1/f typed), an origin at 139 E 36 N with the given
// projection code, shifts and scale, the standard parallels 35 and 37 N, and the
// seven projection entries.
MemoryForm window(int code, const std::string& xShift = "+0", const std::string& yShift = "+0",
                  const std::string& scale = "0.9999") {
  MemoryForm form;
  for (int i = 0; i < 7; ++i) form.appendEntry(COMBO4, "projection " + std::to_string(i));
  form.selectPosition(COMBO4, code);
  form.setText(EDIT1, "6378.137");
  form.setText(EDIT3, "298.257222101");
  form.setText(EDIT5, "139");
  form.setText(EDIT6, "36");
  form.setText(EDIT11, xShift);
  form.setText(EDIT12, yShift);
  form.setText(EDIT13, scale);
  form.setText(EDIT33, "35");
  form.setText(EDIT34, "37");
  return form;
}

void typeDecimal(MemoryForm& form, const std::string& lon, const std::string& lat) {
  form.setText(EDIT20, lon);
  form.setText(EDIT21, lat);
}

void typeSexagesimal(MemoryForm& form, const std::string& ld, const std::string& lm, const std::string& ls,
                     const std::string& bd, const std::string& bm, const std::string& bs) {
  form.setText(EDIT14, ld);
  form.setText(EDIT16, lm);
  form.setText(EDIT18, ls);
  form.setText(EDIT15, bd);
  form.setText(EDIT17, bm);
  form.setText(EDIT19, bs);
}

void expectEmpty(const MemoryForm& form, std::initializer_list<Field> fields) {
  for (Field f : fields) EXPECT_EQ(form.text(f), "") << "EDIT" << f;
}

TEST(Conversions, DecimalPathsWithMissingCoordinates) {
  MemoryForm form = window(1);
  form.setText(EDIT31, "earlier");
  form.setText(EDIT32, "earlier");
  form.setText(EDIT22, "typed");
  BUTTON2_ON(form);
  EXPECT_EQ(form.messages, Messages{"Please set a point data."});
  EXPECT_EQ(form.text(EDIT15), "+0");
  EXPECT_EQ(form.text(EDIT17), "00");
  EXPECT_EQ(form.text(EDIT19), "00");
  expectEmpty(form, {EDIT14, EDIT16, EDIT18, EDIT22, EDIT23, EDIT24, EDIT25, EDIT26, EDIT27, EDIT28, EDIT29, EDIT30});
  EXPECT_EQ(form.text(EDIT31), "earlier");

  typeDecimal(form, "139.5", "");
  form.messages.clear();
  BUTTON2_ON(form);
  EXPECT_TRUE(form.messages.empty());
  EXPECT_EQ(form.text(EDIT14), "+139");
  EXPECT_EQ(form.text(EDIT16), "30");
  EXPECT_EQ(form.text(EDIT18), "00");
  expectEmpty(form, {EDIT15, EDIT17, EDIT19, EDIT22, EDIT23, EDIT30});
  EXPECT_EQ(form.text(EDIT32), "earlier");
}

TEST(Conversions, SexagesimalPathsAndSigns) {
  MemoryForm form = window(1);
  typeSexagesimal(form, "", "", "", "", "15", "");
  BUTTON3_ON(form);
  EXPECT_EQ(form.messages, Messages{"Please set a point data."});
  EXPECT_EQ(form.text(EDIT20), "");
  EXPECT_EQ(form.text(EDIT21), "+0.2499999999");  // the double remainders cut below 0.25

  const std::vector<std::tuple<std::string, std::string, std::string>> cases = {
      {"-0", "30", "-0.5"}, {"-35", "30", "-35.5"}, {"35", "-6", "+34.899999999"}, {" -35", "30", "-34.5"}};
  for (const auto& [degrees, minutes, shown] : cases) {
    typeSexagesimal(form, degrees, minutes, "0", "", "", "");
    BUTTON3_ON(form);
    EXPECT_EQ(form.text(EDIT20), shown) << degrees << " " << minutes;
    expectEmpty(form, {EDIT21, EDIT22, EDIT23, EDIT30});
  }
}

TEST(Conversions, DecimalAndSexagesimalInputAgree) {
  for (int code = 1; code <= 6; ++code) {
    MemoryForm a = window(code, "500", "100");
    typeDecimal(a, "139.5", "36.75");
    BUTTON2_ON(a);
    MemoryForm b = window(code, "500", "100");
    typeSexagesimal(b, "139", "30", "0", "36", "45", "0");
    BUTTON3_ON(b);
    EXPECT_TRUE(a.messages.empty()) << code;
    EXPECT_FALSE(a.text(EDIT22).empty());
    for (Field f : {EDIT22, EDIT23, EDIT24, EDIT27, EDIT28, EDIT29, EDIT30, EDIT31, EDIT32})
      EXPECT_EQ(a.text(f), b.text(f)) << "code " << code << " EDIT" << f;
    EXPECT_EQ(a.text(EDIT14), "+139");
    EXPECT_EQ(a.text(EDIT17), "45");
    EXPECT_EQ(b.text(EDIT20), "+139.5");
    EXPECT_EQ(b.text(EDIT21), "+36.749999999");
  }
}

TEST(Conversions, OriginAndShiftsCorrespond) {
  for (int code = 1; code <= 6; ++code) {
    MemoryForm form = window(code, "500", "100");
    typeDecimal(form, "139", "36");
    BUTTON2_ON(form);
    EXPECT_NEAR(Number(form.text(EDIT22)), 500, 1e-9) << code;
    EXPECT_NEAR(Number(form.text(EDIT23)), 100, 1e-9) << code;

    form.setText(EDIT22, "500");
    form.setText(EDIT23, "100");
    BUTTON4_ON(form);
    EXPECT_TRUE(form.messages.empty());
    EXPECT_EQ(form.text(EDIT20), "+139") << code;
    EXPECT_EQ(form.text(EDIT21), "+36") << code;
    if (code != 2 && code != 6) {  // the Gauss-sphere projections miss 0 by about 1e-13 km
      EXPECT_EQ(form.text(EDIT25), "+0") << code;
      EXPECT_EQ(form.text(EDIT26), "+0") << code;
    }
  }
}

TEST(Conversions, ForwardThenBack) {
  const std::vector<std::pair<std::string, std::string>> points = {
      {"140.2", "36.9"}, {"137.6", "35.1"}, {"139.01", "38.3"}, {"141.4", "33.9"}};
  for (int code = 1; code <= 6; ++code) {
    for (const auto& [lon, lat] : points) {
      MemoryForm form = window(code, "200", "300");
      typeDecimal(form, lon, lat);
      BUTTON2_ON(form);
      const std::string X = form.text(EDIT22);
      const std::string Y = form.text(EDIT23);
      const std::string k = form.text(EDIT31);
      form.setText(EDIT20, "");
      form.setText(EDIT21, "");
      BUTTON4_ON(form);
      EXPECT_TRUE(form.messages.empty());
      EXPECT_EQ(form.text(EDIT22), X);  // the typed point is not rewritten
      EXPECT_LT(std::abs(Number(form.text(EDIT25))), 100) << code << " " << lon << " " << lat;
      EXPECT_LT(std::abs(Number(form.text(EDIT26))), 100);
      // 0.1 m on the grid is about 1e-6 degrees.
      EXPECT_NEAR(Number(form.text(EDIT20)), Number(lon), 2e-6) << code << " " << lon;
      EXPECT_NEAR(Number(form.text(EDIT21)), Number(lat), 2e-6) << code << " " << lat;
      EXPECT_NEAR(Number(form.text(EDIT31)), Number(k), 1e-6);
    }
  }
}

TEST(Conversions, UnreachableGridPointRunsToTheBoundQuietly) {
  // Grid points that no geographic point reaches: the estimates wander inside the
  // projection's domain until the iteration bound; the last one is shown with its
  // residual and without a message. The two series projections refuse the estimates
  // once they pass the series' limit from the central meridian.
  const char* const outside = "The point is outside the area that the projection can convert.";
  const std::vector<std::tuple<int, const char*, const char*, const char*>> cases = {
      {1, "10000", "-5000", outside}, {4, "0", "-10000", nullptr}, {5, "7500", "-2500", outside}};
  for (const auto& [code, x, y, message] : cases) {
    MemoryForm form = window(code);
    form.setText(EDIT22, x);
    form.setText(EDIT23, y);
    BUTTON4_ON(form);
    if (message != nullptr) {
      EXPECT_EQ(form.messages, std::vector<std::string>{message}) << code;
      EXPECT_TRUE(form.text(EDIT21).empty());
      continue;
    }
    EXPECT_TRUE(form.messages.empty()) << code;
    EXPECT_GT(std::hypot(Number(form.text(EDIT25)), Number(form.text(EDIT26))), 1000) << code;
    EXPECT_FALSE(form.text(EDIT21).empty());
    EXPECT_FALSE(form.text(EDIT31).empty());
  }
}

// A text that a command reads as a number but that is not one is refused with one
// message, for the first such field in the order the command reads them, and the
// command writes no field. The empty text, blanks, a number with a note after a blank
// and every form of the number syntax go through.
TEST(Conversions, TextsThatAreNotNumbersAreRefused) {
  struct Case {
    int button;
    Field field;
    std::string text;
    bool refused;
  };
  std::vector<Case> cases;
  const std::vector<std::pair<int, Field>> readFields = {
      {1, EDIT3},  {2, EDIT1},  {2, EDIT5},  {2, EDIT9},  {2, EDIT6}, {2, EDIT11}, {2, EDIT13}, {2, EDIT20},
      {2, EDIT21}, {3, EDIT14}, {3, EDIT18}, {3, EDIT17}, {4, EDIT4}, {4, EDIT22}, {4, EDIT23}, {4, EDIT34}};
  for (const auto& [button, field] : readFields) {
    for (const char* bad : {"16,3725", "16.3O25", "abc", "12abc", "1E"}) cases.push_back({button, field, bad, true});
    for (const char* good : {"0.9996 scale", "+.5", "1.5D3"}) cases.push_back({button, field, good, false});
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "BUTTON" << c.button << " EDIT" << c.field << " \"" << c.text << "\"");
    MemoryForm form = window(3);
    form.setText(EDIT2, "6356.75231414");  // all four given: the preamble completes nothing
    form.setText(EDIT4, "12.2220714633");
    typeDecimal(form, "140", "37");
    typeSexagesimal(form, "140", "0", "0", "37", "0", "0");
    form.setText(EDIT22, "10");
    form.setText(EDIT23, "100");
    form.setText(c.field, c.text);
    std::vector<std::string> before;
    for (int f = 1; f <= FIELD_COUNT; ++f) before.push_back(form.text(static_cast<Field>(f)));
    const Handler handlers[] = {BUTTON1_ON, BUTTON2_ON, BUTTON3_ON, BUTTON4_ON};
    handlers[c.button - 1](form);
    const std::string refusal = notANumberMessage(c.text);
    if (c.refused) {
      EXPECT_EQ(form.messages, Messages{refusal});
      for (int f = 1; f <= FIELD_COUNT; ++f) EXPECT_EQ(form.text(static_cast<Field>(f)), before[f - 1]) << f;
    } else {
      for (const std::string& m : form.messages) EXPECT_NE(m, refusal);
    }
  }
  // In reading order: the first of two bad fields is named; the empty degrees of both
  // coordinates are told first, then the bad arc-seconds.
  MemoryForm form = window(1);
  form.setText(EDIT1, "6378,137");
  form.setText(EDIT5, "abc");
  BUTTON2_ON(form);
  EXPECT_EQ(form.messages, Messages{notANumberMessage("6378,137")});
  form = window(1);
  typeSexagesimal(form, "", "", "x", "", "", "");
  BUTTON3_ON(form);
  EXPECT_EQ(form.messages, (Messages{"Please set a point data.", notANumberMessage("x")}));
}

TEST(Conversions, FailureRule) {
  for (int code = 1; code <= 6; ++code) {
    MemoryForm form = window(code);
    typeDecimal(form, "139", "90");
    form.setText(EDIT31, "earlier");
    BUTTON2_ON(form);
    EXPECT_EQ(form.messages, Messages{OUTSIDE}) << code;
    expectEmpty(form, {EDIT22, EDIT23, EDIT24, EDIT25, EDIT26, EDIT27, EDIT28, EDIT29, EDIT30, EDIT31, EDIT32});
    EXPECT_EQ(form.text(EDIT20), "139");
    EXPECT_EQ(form.text(EDIT15), "+90");  // the echo of the typed point stays

    form.messages.clear();
    typeSexagesimal(form, "139", "0", "0", "-90", "0", "0");
    BUTTON3_ON(form);
    EXPECT_EQ(form.messages, Messages{OUTSIDE}) << code;
    EXPECT_EQ(form.text(EDIT21), "-90");
    expectEmpty(form, {EDIT22, EDIT23, EDIT31});

    // Far beyond the pole on the grid: an estimate leaves the domain.
    form.messages.clear();
    form.setText(EDIT22, "0");
    form.setText(EDIT23, "1E9");
    form.setText(EDIT20, "typed");
    BUTTON4_ON(form);
    EXPECT_EQ(form.messages, Messages{OUTSIDE}) << code;
    expectEmpty(form, {EDIT14, EDIT15, EDIT16, EDIT17, EDIT18, EDIT19, EDIT20, EDIT21, EDIT24, EDIT25, EDIT26, EDIT27,
                       EDIT28, EDIT29, EDIT30, EDIT31, EDIT32});
    EXPECT_EQ(form.text(EDIT23), "1E9");
  }
}

TEST(Conversions, NumbersBeyondTheDoubleRange) {
  MemoryForm form = window(1);
  typeDecimal(form, "1E400", "35");
  BUTTON2_ON(form);
  EXPECT_EQ(form.messages, Messages{OUTSIDE});
  expectEmpty(form, {EDIT14, EDIT16, EDIT18, EDIT22, EDIT23, EDIT31, EDIT32});
  EXPECT_EQ(form.text(EDIT15), "+35");

  form.messages.clear();
  typeDecimal(form, "", "-1E400");  // a one-coordinate path
  BUTTON2_ON(form);
  EXPECT_EQ(form.messages, Messages{OUTSIDE});
  expectEmpty(form, {EDIT14, EDIT15, EDIT17, EDIT19});

  form.messages.clear();
  typeSexagesimal(form, "139", "1E400", "0", "35", "", "");
  BUTTON3_ON(form);
  EXPECT_EQ(form.messages, Messages{OUTSIDE});
  EXPECT_EQ(form.text(EDIT20), "");
  EXPECT_EQ(form.text(EDIT21), "+35");

  form.messages.clear();
  form.setText(EDIT22, "1E400");
  form.setText(EDIT23, "100");
  BUTTON4_ON(form);
  EXPECT_EQ(form.messages, Messages{OUTSIDE});
  expectEmpty(form, {EDIT20, EDIT21, EDIT25, EDIT31});
}

TEST(Conversions, RefusesNoProjection) {
  for (int code : {0}) {
    MemoryForm form = window(code);
    typeDecimal(form, "139.5", "36");
    BUTTON2_ON(form);
    EXPECT_EQ(form.messages, Messages{"Please select a projection."});
    EXPECT_EQ(form.text(EDIT14), "+139");  // the echo is written before the check
    expectEmpty(form, {EDIT22, EDIT23, EDIT24, EDIT31, EDIT32});

    form.messages.clear();
    form.setText(EDIT22, "10");
    form.setText(EDIT23, "10");
    BUTTON4_ON(form);
    EXPECT_EQ(form.messages, Messages{"Please select a projection."});
    expectEmpty(form, {EDIT14, EDIT20, EDIT21, EDIT25, EDIT31});
    EXPECT_EQ(form.text(EDIT22), "10");
  }
}

TEST(Conversions, RefusesATypedEllipsoidThatIsNoEllipsoid) {
  for (const char* b : {"0", "-5", "1E400"}) {
    MemoryForm form = window(1);
    form.setText(EDIT2, b);
    form.setText(EDIT4, "12.2");
    typeDecimal(form, "139.5", "36");
    BUTTON2_ON(form);
    EXPECT_EQ(form.messages, Messages{"The ellipsoid data are inconsistent."}) << b;
    expectEmpty(form, {EDIT14, EDIT15, EDIT22});
  }
  MemoryForm form = window(1);
  form.setText(EDIT2, "6356.75");
  form.setText(EDIT4, "1");
  form.setText(EDIT22, "1");
  form.setText(EDIT23, "1");
  BUTTON4_ON(form);
  EXPECT_EQ(form.messages, Messages{"The ellipsoid data are inconsistent."});
  expectEmpty(form, {EDIT20, EDIT25});
}

TEST(Conversions, GridFieldsEmptyGiveTwoMessagesAndConvertTheZeroPoint) {
  MemoryForm form = window(1, "0", "0", "1");
  form.setText(EDIT6, "0");
  BUTTON4_ON(form);
  EXPECT_EQ(form.messages, Messages(2, "Please set a point data."));
  EXPECT_EQ(form.text(EDIT20), "+139");
  EXPECT_EQ(form.text(EDIT21), "+0");
}

}  // namespace
