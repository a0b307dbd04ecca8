// DEGFACT: convergence, scale factor and arc-second length through the dispatcher, their
// texts, and the points for which it has no answer.

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "geodesy/derived_values.h"
#include "geodesy/forward_conversion.h"
#include "tests/projection_support.h"

namespace velqora {
namespace {

using geo_test::definitionOf;
using geo_test::ellipsoidOf;
using geo_test::rad;

Outcome<DerivedValues, ConversionRefusal> derivedAt(const Grid& grid, double dlam, double phi) {
  const auto atRequest = grid.PRJSL(dlam, phi);
  if (!atRequest) return atRequest.reason();
  return DEGFACT(grid, {dlam, phi}, *atRequest);
}

Grid gridOf(const Ellipsoid& e, const GridDefinition& d) { return *Grid::make(e, d); }

TEST(Degfact, TransverseMercatorAt35Degrees) {
  const Ellipsoid grs80 = ellipsoidOf(6378.137, 298.257222101);
  // On the central meridian the grid is not turned and k is the grid's factor,
  // up to the single-precision arc-minute length.
  for (const int code : {TRANSVERSE_MERCATOR, CASSINI_SOLDNER}) {
    SCOPED_TRACE(code);
    const auto v = derivedAt(gridOf(grs80, definitionOf(code, 33, 0.9999, 500, -3000)), 0, rad(35));
    ASSERT_TRUE(v);
    const DerivedTexts t = derivedTexts(*v);
    EXPECT_EQ(t.tangent, "+0");
    EXPECT_EQ(t.angle, "+0");
    EXPECT_EQ(t.angleParts.degrees, "+0");
    EXPECT_EQ(t.angleParts.minutes, "00");
    EXPECT_EQ(t.angleParts.seconds, "00");
    EXPECT_NEAR(std::stod(t.scaleFactor), 0.9999, 2e-7);
    EXPECT_NEAR(std::stod(t.arcSecondLength), 30.8138, 0.5e-4);
    EXPECT_NE(t.scaleFactor[0], '+');
    EXPECT_NE(t.arcSecondLength[0], '+');
  }

  // East of it the meridian runs west of grid north: negative angle and tangent.
  const Grid tm = gridOf(grs80, definitionOf(TRANSVERSE_MERCATOR, 33, 0.9999, 500, -3000));
  const auto east = derivedAt(tm, rad(1), rad(35));
  ASSERT_TRUE(east);
  const DerivedTexts t = derivedTexts(*east);
  const double gammaEast = std::stod(t.angle);
  EXPECT_NEAR(gammaEast, -0.573636, 0.5e-6);
  EXPECT_NEAR(std::stod(t.tangent), -0.0100122, 0.5e-7);
  EXPECT_NEAR(std::stod(t.scaleFactor), 1.0000029, 0.5e-7);
  EXPECT_EQ(t.angleParts.degrees, "-0");
  EXPECT_EQ(t.angleParts.minutes, "34");
  // The sexagesimal texts are those of the decimal angle, seconds cut to 4 decimals.
  EXPECT_NEAR(std::stod(t.angleParts.minutes) / 60 + std::stod(t.angleParts.seconds) / 3600, -gammaEast, 3e-8);

  // West of it: the same size, positive.
  const auto west = derivedAt(tm, rad(-1), rad(35));
  ASSERT_TRUE(west);
  EXPECT_NEAR(west->angle, -east->angle, 1e-9);
  EXPECT_EQ(derivedTexts(*west).angleParts.degrees, "+0");
}

// Over the other projections the scale factor is the grid's factor at the origin.
TEST(Degfact, ScaleFactorAtTheOriginOfEachProjection) {
  const Ellipsoid bessel = ellipsoidOf(6377.397155, 299.1528128);
  for (const int code : {OBLIQUE_MERCATOR, LAMBERT_ONE_PARALLEL, OBLIQUE_STEREOGRAPHIC}) {
    SCOPED_TRACE(code);
    GridDefinition d = definitionOf(code, 0, 0.99995, 500, -3000);
    d.originLatitude = {46, 57, 8.66};
    const Grid grid = gridOf(bessel, d);
    const auto v = derivedAt(grid, 0, grid.origin().phi0);
    ASSERT_TRUE(v);
    // The step runs 10 arc-seconds north, so it measures the meridian 5 arc-seconds
    // north of the point, where it is a few parts in 10^7 longer than the
    // single-precision arc-minute length at the point.
    EXPECT_NEAR(v->scaleFactor, 0.99995, 3e-7);
    EXPECT_EQ(derivedTexts(*v).angle, "+0");
  }
}

TEST(Degfact, NoAnswerWithoutASecondPointOrANorthwardStep) {
  const Ellipsoid grs80 = ellipsoidOf(6378.137, 298.257222101);
  struct NoAnswer {
    const char* what;
    int code;
    double k0;
    double phi;
  };
  const double justBelowPole = PI / 2 - 1e-6;  // 10 arc-seconds north is past the pole
  const NoAnswer cases[] = {
      {"second point past the pole", TRANSVERSE_MERCATOR, 0.9999, justBelowPole},
      {"second point past the pole, stereographic", OBLIQUE_STEREOGRAPHIC, 0.9999, justBelowPole},
      {"a grid of scale 0 has no northward step (dY = 0)", TRANSVERSE_MERCATOR, 0, rad(35)},
      {"dY = 0, two-parallel conic", LAMBERT_TWO_PARALLELS, 0, rad(35)},
  };
  for (const NoAnswer& c : cases) {
    SCOPED_TRACE(c.what);
    const Grid grid = gridOf(grs80, definitionOf(c.code, 60, c.k0, 500, -3000, 58, 62));
    const auto v = derivedAt(grid, rad(1), c.phi);
    ASSERT_FALSE(v);
    EXPECT_EQ(v.reason(), ConversionRefusal::outsideArea);
  }
}

// Where derivedValuesCannotFail says so, DEGFACT answers: over random points of every
// projection, from the origin out to the domains' edges, at the poles, with the
// Lambert meridians turned through 90 degrees, and with extreme scale factors.
TEST(Degfact, WhereTheyCannotFailTheyAnswer) {
  const Ellipsoid grs80 = ellipsoidOf(6378.137, 298.257222101);
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> unit(0, 1);
  int skipped = 0;
  for (const double k0 : {1.0, 0.9996, 1e-5, 2e4}) {
    for (const int code : {1, 2, 3, 4, 5, 6}) {
      for (const double lat0 : {-60.0, 0.5, 46.95, 89.0}) {
        const auto grid = Grid::make(grs80, definitionOf(code, lat0, k0, 500, -3000, lat0 - 2, lat0 + 3));
        if (!grid) continue;
        for (int i = 0; i < 3000; ++i) {
          const double phi = (unit(random) < 0.2 ? 89.99 + unit(random) * 0.0099 : 180 * unit(random) - 90) / DEGPRAD;
          const double dlam = (unit(random) < 0.5 ? 12 : 400) * (2 * unit(random) - 1) / DEGPRAD;
          const auto point = grid->PRJSL(dlam, phi);
          // The conversion that leaves them uncomputed refuses as the one that computes them.
          const double lon = dlam * DEGPRAD + grid->origin().lambda0;
          const auto full = convertToGridWithDerivedValues(*grid, lon, phi * DEGPRAD);
          const auto lean = convertToGridAsTheWindowDoes(*grid, lon, phi * DEGPRAD);
          ASSERT_EQ(bool(full), bool(lean));
          if (full) {
            ASSERT_EQ(full->point.x, lean->x);
          }
          if (!point) continue;
          if (!derivedValuesCannotFail(*grid, {dlam, phi}, *point)) {
            ++skipped;
            continue;
          }
          ASSERT_TRUE(DEGFACT(*grid, {dlam, phi}, *point))
              << "code " << code << " k0 " << k0 << " lat0 " << lat0 << " dlam " << dlam << " phi " << phi;
        }
      }
    }
  }
  EXPECT_GT(skipped, 0);
}

}  // namespace
}  // namespace velqora
