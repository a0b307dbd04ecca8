// PRJSL: the dispatch on the projection code, the grid group's scale and shifts,
// and the requests it must refuse without touching X and Y.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "geodesy/dispatcher.h"
#include "geodesy/grid_record.h"
#include "geodesy/meridian_arc.h"
#include "geodesy/projections.h"
#include "tests/projection_support.h"

namespace velqora {
namespace {

using geo_test::ELLIPSOIDS;
using geo_test::GlobalStateGuard;
using geo_test::rad;
using geo_test::setEllipsoid;

constexpr int CODES[] = {TRANSVERSE_MERCATOR, OBLIQUE_MERCATOR, LAMBERT_TWO_PARALLELS,
                         LAMBERT_ONE_PARALLEL, CASSINI_SOLDNER,   OBLIQUE_STEREOGRAPHIC};

void setGrid(int code, double k0, double Xs, double Ys) {
  PRJKIND = code;
  GRID = {};
  GRID[6] = Xs;
  GRID[7] = Ys;
  GRID[8] = k0;
}

// The raw projection of a code, as the dispatcher calls it.
Domain raw(int code, double dlam, double phi, double phi0, double phi1, double phi2, double& X, double& Y) {
  switch (code) {
    case TRANSVERSE_MERCATOR: return TMXYZ(dlam, phi, X, Y);
    case OBLIQUE_MERCATOR: return OMXYZ(dlam, phi, phi0, X, Y);
    case LAMBERT_TWO_PARALLELS: return LC2XYZ(dlam, phi, phi0, phi1, phi2, X, Y);
    case LAMBERT_ONE_PARALLEL: return LC1XYZ(dlam, phi, phi0, X, Y);
    case CASSINI_SOLDNER: return CSXYZ(dlam, phi, X, Y);
    default: return SCXYZ(dlam, phi, phi0, X, Y);
  }
}

TEST(Dispatcher, StereographicExampleWithScaleAndShifts) {
  GlobalStateGuard guard;
  setEllipsoid(6377.397155, 299.1528128);
  setGrid(OBLIQUE_STEREOGRAPHIC, 0.9999079, 155, 463);
  double X = 0;
  double Y = 0;
  ASSERT_EQ(PRJSL(rad(6) - rad(5, 23, 15.5), rad(53), rad(52, 9, 22.178), 0, 0, X, Y), Domain::inside);
  EXPECT_NEAR(X, 196.105283, 0.5e-6);
  EXPECT_NEAR(Y, 557.057739, 0.5e-6);
}

// The origin lands on the shifts and the origin meridian on the X shift, for every
// code, ellipsoid and a spread of origins.
TEST(Dispatcher, OriginGivesTheShiftsForEveryCode) {
  GlobalStateGuard guard;
  for (const auto& ellipsoid : ELLIPSOIDS) {
    setEllipsoid(ellipsoid);
    for (const int code : CODES) {
      for (double lat0 : {-48.0, -5.5, 0.75, 35.0, 52.156160, 78.0}) {
        SCOPED_TRACE(::testing::Message() << ellipsoid.name << " code " << code << " lat0 " << lat0);
        setGrid(code, 0.9996, 500 + lat0, -200 + 2 * lat0);
        const double phi0 = rad(lat0);
        const double phi1 = phi0 - rad(1);
        const double phi2 = phi0 + rad(2);
        double X = 0;
        double Y = 0;
        ASSERT_EQ(PRJSL(0, phi0, phi0, phi1, phi2, X, Y), Domain::inside);
        EXPECT_NEAR(X, GRID[6], 1e-9);
        EXPECT_NEAR(Y, GRID[7], 1e-9);
        for (double dphi : {-3.0, 0.1, 4.0}) {
          ASSERT_EQ(PRJSL(0, phi0 + rad(dphi), phi0, phi1, phi2, X, Y), Domain::inside);
          EXPECT_NEAR(X, GRID[6], 1e-9);
          if (dphi > 0) {
            EXPECT_GT(Y, GRID[7]);
          } else {
            EXPECT_LT(Y, GRID[7]);
          }
        }
      }
    }
  }
}

// Scale and shifts are applied after the projection, with the origin's meridian
// distance taken off the northing of the two equator-based projections only.
TEST(Dispatcher, ScalesAndShiftsTheRawCoordinates) {
  GlobalStateGuard guard;
  setEllipsoid(ELLIPSOIDS[0]);
  const double phi0 = rad(36);
  const double phi1 = rad(35);
  const double phi2 = rad(38.5);
  for (const int code : CODES) {
    for (const auto& [dlam, phi] : {std::pair{rad(1), rad(37)}, std::pair{rad(-2.5), rad(33)}}) {
      SCOPED_TRACE(::testing::Message() << "code " << code);
      double rx = 0;
      double ry = 0;
      ASSERT_EQ(raw(code, dlam, phi, phi0, phi1, phi2, rx, ry), Domain::inside);
      const double M0 = (code == TRANSVERSE_MERCATOR || code == CASSINI_SOLDNER) ? FRMEQTR(phi0) : 0;
      setGrid(code, 0.9999, 0, 0);
      double X = 0;
      double Y = 0;
      ASSERT_EQ(PRJSL(dlam, phi, phi0, phi1, phi2, X, Y), Domain::inside);
      EXPECT_EQ(X, rx * 0.9999);
      EXPECT_EQ(Y, (ry - M0) * 0.9999);
      setGrid(code, 0.9999, 200, 1000);
      ASSERT_EQ(PRJSL(dlam, phi, phi0, phi1, phi2, X, Y), Domain::inside);
      EXPECT_EQ(X, rx * 0.9999 + 200);
      EXPECT_EQ(Y, (ry - M0) * 0.9999 + 1000);
    }
  }
  // The one-parallel conic takes its parallel from the origin: the request's
  // parallels do not matter.
  setGrid(LAMBERT_ONE_PARALLEL, 1, 0, 0);
  double X0 = 0, Y0 = 0, X1 = 0, Y1 = 0;
  ASSERT_EQ(PRJSL(rad(1), rad(37), phi0, 0, 0, X0, Y0), Domain::inside);
  ASSERT_EQ(PRJSL(rad(1), rad(37), phi0, phi1, phi2, X1, Y1), Domain::inside);
  EXPECT_EQ(X0, X1);
  EXPECT_EQ(Y0, Y1);
}

TEST(Dispatcher, RefusedRequestsLeaveXAndYUntouched) {
  GlobalStateGuard guard;
  setEllipsoid(ELLIPSOIDS[0]);
  struct Refusal {
    const char* what;
    int code;
    double k0;
    double dlam, phi, phi0, phi1, phi2;
    Domain answer;  // invalidGrid: no point at all has coordinates on that grid
  };
  constexpr Domain OUTSIDE = Domain::outside;
  constexpr Domain INVALID = Domain::invalidGrid;
  std::vector<Refusal> refusals{
      {"no projection selected", NO_PROJECTION, 1, rad(1), rad(36), rad(36), 0, 0, OUTSIDE},
      {"code beyond the list", 7, 1, rad(1), rad(36), rad(36), 0, 0, OUTSIDE},
      {"negative code", -1, 1, rad(1), rad(36), rad(36), 0, 0, OUTSIDE},
      {"one-parallel conic on the equator", LAMBERT_ONE_PARALLEL, 1, rad(1), rad(2), 0, 0, 0, INVALID},
      {"opposite parallels", LAMBERT_TWO_PARALLELS, 1, rad(1), rad(6), rad(5), rad(-10), rad(10), INVALID},
      {"oblique Mercator 90 degrees away", OBLIQUE_MERCATOR, 1, rad(100), rad(0.5), rad(0.5), 0, 0, OUTSIDE},
  };
  for (const int code : CODES) {
    refusals.push_back({"point at the north pole", code, 1, rad(1), 90 / DEGPRAD, rad(36), rad(35), rad(37), OUTSIDE});
    refusals.push_back({"point at the south pole", code, 1, rad(1), -PI / 2, rad(36), rad(35), rad(37), OUTSIDE});
    refusals.push_back({"origin at a pole", code, 1, rad(1), rad(36), 90 / DEGPRAD, rad(35), rad(37), INVALID});
    refusals.push_back({"origin beyond a pole", code, 1, rad(1), rad(36), 2.0, rad(35), rad(37), INVALID});
    refusals.push_back(
        {"result beyond the double range", code, 1e308, rad(1), rad(40), rad(36), rad(35), rad(37), OUTSIDE});
  }
  for (const Refusal& r : refusals) {
    SCOPED_TRACE(::testing::Message() << r.what << ", code " << r.code);
    setGrid(r.code, r.k0, 1e300, 1e300);
    double X = -7;
    double Y = 7;
    EXPECT_EQ(PRJSL(r.dlam, r.phi, r.phi0, r.phi1, r.phi2, X, Y), r.answer);
    EXPECT_EQ(X, -7);
    EXPECT_EQ(Y, 7);
  }
}

}  // namespace
}  // namespace velqora
