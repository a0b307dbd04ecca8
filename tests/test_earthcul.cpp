#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "geodesy/display.h"
#include "window/earthcul.h"
#include "window/memory_form.h"
#include "window/records.h"

namespace {

using namespace velqora;

struct Completion {
  MemoryForm form;
  int status = -1;
};

// EARTHCUL on the given a, b, 1/f, 1/e, with the fields holding a marker text so
// that a write shows.
Completion complete(std::array<double, 4> values) {
  Completion run;
  for (Field f : {EDIT1, EDIT2, EDIT3, EDIT4}) run.form.setText(f, "typed");
  EARTH = values;
  EARTHCUL(run.form, run.status);
  return run;
}

TEST(EARTHCUL, CompletesFromEachPair) {
  Completion r = complete({6378.137, 0, 298.257222101, 0});  // pair a, 1/f
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.form.text(EDIT2), "6356.75231414");
  EXPECT_EQ(r.form.text(EDIT4), "12.2220714633");
  EXPECT_EQ(r.form.text(EDIT1), "typed");
  EXPECT_EQ(r.form.text(EDIT3), "typed");
  EXPECT_TRUE(r.form.messages.empty());

  r = complete({6378.137, 6356.752314140356, 0, 0});  // pair a, b
  EXPECT_EQ(r.form.text(EDIT3), "298.257222101");
  EXPECT_EQ(r.form.text(EDIT4), "12.2220714633");

  r = complete({6378.137, 6356.752314140356, 300, 13});  // all four: a and b win
  EXPECT_EQ(r.form.text(EDIT3), "298.257222101");
  EXPECT_NEAR(EARTH[2], 298.257222101, 1e-6);

  r = complete({0, 6356.752314140356, 0, 12.222071463364902});  // pair b, 1/e
  EXPECT_EQ(r.status, 1);
  EXPECT_NEAR(EARTH[0], 6378.137, 1e-9);
  EXPECT_NEAR(EARTH[2], 298.257222101, 1e-6);
  EXPECT_EQ(r.form.text(EDIT1), unsignedText(EARTH[0], 12));
  EXPECT_EQ(r.form.text(EDIT2), "typed");

  r = complete({6378.137, 0, 0, 12.222071463364902});  // pair a, 1/e
  EXPECT_NEAR(EARTH[1], 6356.752314140356, 1e-9);
  r = complete({0, 6356.752314140356, 298.257222101, 0});  // pair b, 1/f
  EXPECT_NEAR(EARTH[0], 6378.137, 1e-9);
  EXPECT_NEAR(EARTH[3], 12.222071463364902, 1e-12);
}

TEST(EARTHCUL, RefusesWhenNoPairIsGiven) {
  Completion r = complete({0, 0, 298.257222101, 12.2});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.form.messages, std::vector<std::string>{"Please set a Radius."});
  r = complete({6378.137, 0, 0, 0});
  EXPECT_EQ(r.form.messages, std::vector<std::string>{"Please set two data of a Ellipsoid."});
  r = complete({0, -6356, 0, 0});
  EXPECT_EQ(r.form.messages, std::vector<std::string>{"Please set a Radius."});
  r = complete({-6378.137, 6356.75, 0, 0});  // a negative value counts as not given
  EXPECT_EQ(r.form.messages, std::vector<std::string>{"Please set two data of a Ellipsoid."});
}

TEST(EARTHCUL, RefusesPairsThatFixNoRealEllipsoid) {
  const std::vector<std::array<double, 4>> inconsistent = {
      {6378.137, 6378.137, 0, 0},                                               // a sphere: 1/f infinite
      {6356.0, 6378.137, 0, 0},                                                 // a < b
      {6378.137, 0, 0.8, 0},                                                    // would show b as "1594.53424999"
      {6378.137, 0, 1, 0},        {6378.137, 0, 0, 1},  {6378.137, 0, 0, 1e8},  // 1/f divides by zero
      {0, 6356.75, 0.5, 0},       {0, 6356.75, 0, 0.9}, {INFINITY, 6356.75, 0, 0}, {6378.137, 0, INFINITY, 0},
  };
  for (const auto& values : inconsistent) {
    Completion r = complete(values);
    EXPECT_EQ(r.status, 0) << values[0] << " " << values[1] << " " << values[2] << " " << values[3];
    EXPECT_EQ(r.form.messages, std::vector<std::string>{"The ellipsoid data are inconsistent."});
    for (Field f : {EDIT1, EDIT2, EDIT3, EDIT4}) EXPECT_EQ(r.form.text(f), "typed");
    EXPECT_EQ(EARTH, values);
  }
}

}  // namespace
