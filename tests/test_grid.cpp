// The grid object and its dispatcher PRJSL: what a grid refuses when it is made, the
// dispatch on the projection code, the scale and shifts, and the points it refuses.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "geodesy/forward_conversion.h"
#include "geodesy/inverse_conversion.h"
#include "tests/projection_support.h"

namespace velqora {
namespace {

using geo_test::definitionOf;
using geo_test::ellipsoidOf;
using geo_test::ELLIPSOIDS;
using geo_test::rad;
using geo_test::rawProjection;

constexpr int CODES[] = {TRANSVERSE_MERCATOR,  OBLIQUE_MERCATOR, LAMBERT_TWO_PARALLELS,
                         LAMBERT_ONE_PARALLEL, CASSINI_SOLDNER,  OBLIQUE_STEREOGRAPHIC};

Grid gridOf(const Ellipsoid& e, const GridDefinition& d) {
  const auto grid = Grid::make(e, d);
  EXPECT_TRUE(grid);
  return *grid;
}

TEST(Grid, StereographicExampleWithScaleAndShifts) {
  GridDefinition d = definitionOf(OBLIQUE_STEREOGRAPHIC, 0, 0.9999079, 155, 463);
  d.originLongitude = {5, 23, 15.5};
  d.originLatitude = {52, 9, 22.178};
  const auto p = convertToGrid(gridOf(ellipsoidOf(6377.397155, 299.1528128), d), 6, 53);
  ASSERT_TRUE(p);
  EXPECT_NEAR(p->x, 196.105283, 0.5e-6);
  EXPECT_NEAR(p->y, 557.057739, 0.5e-6);
}

// The origin lands on the shifts and the origin meridian on the X shift, for every
// code, ellipsoid and a spread of origins.
TEST(Grid, OriginGivesTheShiftsForEveryCode) {
  for (const auto& ellipsoid : ELLIPSOIDS) {
    for (const int code : CODES) {
      for (double lat0 : {-48.0, -5.5, 0.75, 35.0, 52.156160, 78.0}) {
        SCOPED_TRACE(::testing::Message() << ellipsoid.name << " code " << code << " lat0 " << lat0);
        const double xs = 500 + lat0;
        const double ys = -200 + 2 * lat0;
        const Grid grid = gridOf(ellipsoidOf(ellipsoid), definitionOf(code, lat0, 0.9996, xs, ys, lat0 - 1, lat0 + 2));
        const double phi0 = grid.origin().phi0;
        const auto origin = grid.PRJSL(0, phi0);
        ASSERT_TRUE(origin);
        EXPECT_NEAR(origin->x, xs, 1e-9);
        EXPECT_NEAR(origin->y, ys, 1e-9);
        for (double dphi : {-3.0, 0.1, 4.0}) {
          const auto p = grid.PRJSL(0, phi0 + rad(dphi));
          ASSERT_TRUE(p);
          EXPECT_NEAR(p->x, xs, 1e-9);
          if (dphi > 0) {
            EXPECT_GT(p->y, ys);
          } else {
            EXPECT_LT(p->y, ys);
          }
        }
      }
    }
  }
}

// Scale and shifts are applied after the projection, with the origin's meridian
// distance taken off the northing of the two equator-based projections only.
TEST(Grid, ScalesAndShiftsTheRawCoordinates) {
  const Ellipsoid e = ellipsoidOf(ELLIPSOIDS[0]);
  const MeridianArc arc(e.a, e.inverseEccentricity);
  for (const int code : CODES) {
    for (const auto& [dlam, phi] : {std::pair{rad(1), rad(37)}, std::pair{rad(-2.5), rad(33)}}) {
      SCOPED_TRACE(::testing::Message() << "code " << code);
      const Grid scaled = gridOf(e, definitionOf(code, 36, 0.9999, 0, 0, 35, 38.5));
      const Grid shifted = gridOf(e, definitionOf(code, 36, 0.9999, 200, 1000, 35, 38.5));
      const GridOrigin& o = scaled.origin();
      const auto raw = rawProjection(code, e, dlam, phi, o.phi0, o.phi1, o.phi2);
      ASSERT_TRUE(raw);
      const double M0 = (code == TRANSVERSE_MERCATOR || code == CASSINI_SOLDNER) ? arc.FRMEQTR(o.phi0) : 0;
      const auto p = scaled.PRJSL(dlam, phi);
      const auto q = shifted.PRJSL(dlam, phi);
      ASSERT_TRUE(p && q);
      EXPECT_EQ(p->x, raw->x * 0.9999);
      EXPECT_EQ(p->y, (raw->y - M0) * 0.9999);
      EXPECT_EQ(q->x, raw->x * 0.9999 + 200);
      EXPECT_EQ(q->y, (raw->y - M0) * 0.9999 + 1000);
    }
  }
  // The one-parallel conic takes its parallel from the origin: the definition's
  // parallels do not matter.
  const auto plain = gridOf(e, definitionOf(LAMBERT_ONE_PARALLEL, 36)).PRJSL(rad(1), rad(37));
  const auto withParallels =
      gridOf(e, definitionOf(LAMBERT_ONE_PARALLEL, 36, 1, 0, 0, 35, 38.5)).PRJSL(rad(1), rad(37));
  ASSERT_TRUE(plain && withParallels);
  EXPECT_EQ(plain->x, withParallels->x);
  EXPECT_EQ(plain->y, withParallels->y);
}

// The conics answer up to the longitude-difference limit; the two series projections
// up to their series' limit and not a bit beyond.
TEST(Grid, LongitudeDifferencesUpToTheLimits) {
  const Ellipsoid grs80 = ellipsoidOf(ELLIPSOIDS[0]);
  for (const int code : {LAMBERT_TWO_PARALLELS, LAMBERT_ONE_PARALLEL}) {
    const Grid grid = gridOf(grs80, definitionOf(code, 36, 1, 0, 0, 35, 37));
    EXPECT_TRUE(grid.PRJSL(Grid::LONGITUDE_DIFFERENCE_LIMIT, rad(40))) << code;
    EXPECT_TRUE(grid.PRJSL(-Grid::LONGITUDE_DIFFERENCE_LIMIT, rad(40))) << code;
  }
  const Grid tm = gridOf(grs80, definitionOf(TRANSVERSE_MERCATOR, 0));
  const Grid cs = gridOf(grs80, definitionOf(CASSINI_SOLDNER, 0));
  EXPECT_TRUE(tm.PRJSL(rad(TransverseMercator::SERIES_LIMIT_DEGREES), rad(40)));
  EXPECT_FALSE(tm.PRJSL(std::nextafter(rad(TransverseMercator::SERIES_LIMIT_DEGREES), 1.0), rad(40)));
  EXPECT_TRUE(cs.PRJSL(-rad(CassiniSoldner::SERIES_LIMIT_DEGREES), rad(40)));
  EXPECT_FALSE(cs.PRJSL(std::nextafter(-rad(CassiniSoldner::SERIES_LIMIT_DEGREES), -1.0), rad(40)));
  // PROJ's own test case for tmerc, 44.69 degrees from the central meridian, where the
  // series printed X = 4176.7629848 km for the projection's 4168.136489 km.
  EXPECT_FALSE(tm.PRJSL(rad(44.69), rad(35.37)));
  // The iteration's estimates may pass the limit; the point given back may not. A point
  // 10.99 degrees from the central meridian goes there and back, though the first
  // estimate lies beyond 11 degrees.
  const Grid utm = gridOf(grs80, definitionOf(TRANSVERSE_MERCATOR, 0, 0.9996, 500, 0, 0, 0, 141));
  const auto there = convertToGrid(utm, 141 - 10.99, 32.6);
  ASSERT_TRUE(there);
  const auto back = convertToGeographic(utm, there->x, there->y);
  ASSERT_TRUE(back);
  EXPECT_NEAR(back->longitude, 141 - 10.99, 1e-6);
  EXPECT_FALSE(convertToGeographic(utm, there->x - 10, there->y));  // 11.1 degrees away
}

TEST(Grid, RefusesWhenMadeOrForAPoint) {
  const double nan = std::nan("");
  const double inf = std::numeric_limits<double>::infinity();
  struct Refusal {
    std::string what;
    Ellipsoid ellipsoid;
    GridDefinition definition;
    double dlam, phi;  // the point, when the grid is made
    ConversionRefusal answer;
    bool whenMade;
  };
  constexpr auto OUTSIDE = ConversionRefusal::outsideArea;
  constexpr auto INVALID = ConversionRefusal::invalidGrid;
  constexpr auto UNUSABLE = ConversionRefusal::unusableEllipsoid;
  const Ellipsoid grs80 = ellipsoidOf(ELLIPSOIDS[0]);
  std::vector<Refusal> refusals{
      {"no projection selected", grs80, definitionOf(NO_PROJECTION, 36), 0, 0, ConversionRefusal::noProjection, true},
      {"code beyond the list", grs80, definitionOf(7, 36), 0, 0, ConversionRefusal::noProjection, true},
      {"negative code", grs80, definitionOf(-1, 36), 0, 0, ConversionRefusal::noProjection, true},
      {"one-parallel conic on the equator", grs80, definitionOf(LAMBERT_ONE_PARALLEL, 0), 0, 0, INVALID, true},
      {"opposite parallels", grs80, definitionOf(LAMBERT_TWO_PARALLELS, 5, 1, 0, 0, -10, 10), 0, 0, INVALID, true},
      {"oblique Mercator 90 degrees away", grs80, definitionOf(OBLIQUE_MERCATOR, 0.5), rad(100), rad(0.5), OUTSIDE,
       false},
  };
  for (const Ellipsoid& unusable :
       {Ellipsoid{0, 0, 0, 0}, Ellipsoid{6378.137, 6378.137, 0, 0}, Ellipsoid{6378.137, 6356.75, 298.25, 1.0},
        Ellipsoid{6378.137, 6356.75, 298.25, 0.5}, Ellipsoid{-6378.137, 6356.75, 298.25, 12.2},
        Ellipsoid{inf, 6356.75, 298.25, 12.2}, Ellipsoid{6378.137, 6356.75, 298.25, nan}})
    refusals.push_back({"unusable ellipsoid", unusable, definitionOf(TRANSVERSE_MERCATOR, 36), 0, 0, UNUSABLE, true});
  for (const int code : CODES) {
    const GridDefinition d = definitionOf(code, 36, 1, 0, 0, 35, 37);
    refusals.push_back({"point at the north pole", grs80, d, rad(1), 90 / DEGPRAD, OUTSIDE, false});
    refusals.push_back({"point at the south pole", grs80, d, rad(1), -PI / 2, OUTSIDE, false});
    refusals.push_back({"NaN longitude", grs80, d, nan, rad(40), OUTSIDE, false});
    // At a pole only the series projections and a cone whose apex it is have an origin.
    if (code != TRANSVERSE_MERCATOR && code != CASSINI_SOLDNER)
      refusals.push_back(
          {"origin at a pole", grs80, definitionOf(code, code == 3 ? -90 : 90, 1, 0, 0, 35, 37), 0, 0, INVALID, true});
    refusals.push_back(
        {"origin beyond a pole", grs80, definitionOf(code, 114.6, 1, 0, 0, 35, 37), 0, 0, INVALID, true});
    refusals.push_back({"result beyond the double range", grs80, definitionOf(code, 36, 1e308, 1e300, 1e300, 35, 37),
                        rad(1), rad(40), OUTSIDE, false});
    // A longitude difference whose rounding alone would move the point by more than
    // the shown digits.
    refusals.push_back({"longitude difference 1e21", grs80, d, 1e21, rad(40), OUTSIDE, false});
    refusals.push_back({"longitude difference just beyond the limit", grs80, d,
                        std::nextafter(Grid::LONGITUDE_DIFFERENCE_LIMIT, inf), rad(40), OUTSIDE, false});
  }
  for (const Refusal& r : refusals) {
    SCOPED_TRACE(::testing::Message() << r.what << ", code " << r.definition.projection);
    const auto grid = Grid::make(r.ellipsoid, r.definition);
    ASSERT_EQ(!grid, r.whenMade);
    if (r.whenMade) {
      EXPECT_EQ(grid.reason(), r.answer);
      continue;
    }
    const auto p = grid->PRJSL(r.dlam, r.phi);
    ASSERT_FALSE(p);
    EXPECT_EQ(p.reason(), r.answer);
  }
}

}  // namespace
}  // namespace velqora
