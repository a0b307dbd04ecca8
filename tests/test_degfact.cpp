// DEGFACT: convergence, scale factor and arc-second length through the dispatcher,
// and the requests for which it must write nothing.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "geodesy/dispatcher.h"
#include "geodesy/grid_record.h"
#include "tests/projection_support.h"
#include "window/degfact.h"
#include "window/memory_form.h"

namespace velqora {
namespace {

using geo_test::GlobalStateGuard;
using geo_test::rad;
using geo_test::setEllipsoid;

constexpr Field RESULT_FIELDS[] = {EDIT24, EDIT27, EDIT28, EDIT29, EDIT30, EDIT31, EDIT32};

void setGrid(int code, double k0) {
  PRJKIND = code;
  GRID = {};
  GRID[6] = 500;
  GRID[7] = -3000;
  GRID[8] = k0;
}

double number(const MemoryForm& form, Field field) { return std::stod(form.text(field)); }

TEST(Degfact, TransverseMercatorAt35Degrees) {
  GlobalStateGuard guard;
  setEllipsoid(6378.137, 298.257222101);
  setGrid(TRANSVERSE_MERCATOR, 0.9999);
  const double phi0 = rad(33);
  MemoryForm form;

  // On the central meridian the grid is not turned and k is the grid's factor,
  // up to the single-precision arc-minute length.
  for (const int code : {TRANSVERSE_MERCATOR, CASSINI_SOLDNER}) {
    SCOPED_TRACE(code);
    PRJKIND = code;
    ASSERT_EQ(DEGFACT(form, 0, rad(35), phi0, 0, 0), Domain::inside);
    EXPECT_EQ(form.text(EDIT30), "+0");
    EXPECT_EQ(form.text(EDIT24), "+0");
    EXPECT_EQ(form.text(EDIT27), "+0");
    EXPECT_EQ(form.text(EDIT28), "00");
    EXPECT_EQ(form.text(EDIT29), "00");
    EXPECT_NEAR(number(form, EDIT31), 0.9999, 2e-7);
    EXPECT_NEAR(number(form, EDIT32), 30.8138, 0.5e-4);
    EXPECT_NE(form.text(EDIT31)[0], '+');
    EXPECT_NE(form.text(EDIT32)[0], '+');
  }

  // East of it the meridian runs west of grid north: negative angle and tangent.
  PRJKIND = TRANSVERSE_MERCATOR;
  ASSERT_EQ(DEGFACT(form, rad(1), rad(35), phi0, 0, 0), Domain::inside);
  const double gammaEast = number(form, EDIT24);
  EXPECT_NEAR(gammaEast, -0.573636, 0.5e-6);
  EXPECT_NEAR(number(form, EDIT30), -0.0100122, 0.5e-7);
  EXPECT_NEAR(number(form, EDIT31), 1.0000029, 0.5e-7);
  EXPECT_EQ(form.text(EDIT27), "-0");
  EXPECT_EQ(form.text(EDIT28), "34");
  // The sexagesimal texts are those of the decimal angle, seconds cut to 4 decimals.
  EXPECT_NEAR(std::stod(form.text(EDIT28)) / 60 + std::stod(form.text(EDIT29)) / 3600, -gammaEast, 3e-8);

  // West of it: the same size, positive.
  ASSERT_EQ(DEGFACT(form, rad(-1), rad(35), phi0, 0, 0), Domain::inside);
  EXPECT_NEAR(number(form, EDIT24), -gammaEast, 1e-9);
  EXPECT_EQ(form.text(EDIT27), "+0");
}

// Over the other projections the scale factor agrees with the one found from the
// grid distance between two nearby points, and is the grid's factor at the origin.
TEST(Degfact, ScaleFactorAtTheOriginOfEachProjection) {
  GlobalStateGuard guard;
  setEllipsoid(6377.397155, 299.1528128);
  const double phi0 = rad(46, 57, 8.66);
  for (const int code : {OBLIQUE_MERCATOR, LAMBERT_ONE_PARALLEL, OBLIQUE_STEREOGRAPHIC}) {
    SCOPED_TRACE(code);
    setGrid(code, 0.99995);
    MemoryForm form;
    ASSERT_EQ(DEGFACT(form, 0, phi0, phi0, 0, 0), Domain::inside);
    // The step runs 10 arc-seconds north, so it measures the meridian 5 arc-seconds
    // north of the point, where it is a few parts in 10^7 longer than the
    // single-precision arc-minute length at the point.
    EXPECT_NEAR(number(form, EDIT31), 0.99995, 3e-7);
    EXPECT_EQ(form.text(EDIT24), "+0");
  }
}

TEST(Degfact, WritesNothingWhenThereIsNoAnswer) {
  GlobalStateGuard guard;
  setEllipsoid(6378.137, 298.257222101);
  struct NoAnswer {
    const char* what;
    int code;
    double k0;
    double phi;
  };
  const double justBelowPole = PI / 2 - 1e-6;  // 10 arc-seconds north is past the pole
  const NoAnswer cases[] = {
      {"point at the pole", TRANSVERSE_MERCATOR, 0.9999, 90 / DEGPRAD},
      {"second point past the pole", TRANSVERSE_MERCATOR, 0.9999, justBelowPole},
      {"second point past the pole, stereographic", OBLIQUE_STEREOGRAPHIC, 0.9999, justBelowPole},
      {"no projection selected", NO_PROJECTION, 0.9999, rad(35)},
      {"a grid of scale 0 has no northward step (dY = 0)", TRANSVERSE_MERCATOR, 0, rad(35)},
      {"dY = 0, two-parallel conic", LAMBERT_TWO_PARALLELS, 0, rad(35)},
  };
  for (const NoAnswer& c : cases) {
    SCOPED_TRACE(c.what);
    setGrid(c.code, c.k0);
    MemoryForm form;
    for (const Field f : RESULT_FIELDS) form.setText(f, "kept");
    EXPECT_EQ(DEGFACT(form, rad(1), c.phi, rad(60), rad(58), rad(62)), Domain::outside);
    for (const Field f : RESULT_FIELDS) EXPECT_EQ(form.text(f), "kept") << f;
    EXPECT_TRUE(form.messages.empty());
  }
}

}  // namespace
}  // namespace velqora
