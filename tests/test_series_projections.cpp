#include <gtest/gtest.h>
#include <proj.h>

#include <cmath>
#include <memory>
#include <string>

#include "geodesy/cassini_soldner.h"
#include "geodesy/constants.h"
#include "geodesy/meridian_arc.h"
#include "geodesy/projection_code.h"
#include "geodesy/transverse_mercator.h"
#include "tools/exact_cassini.h"

namespace {

using namespace velqora;

constexpr double GRS80_RF = 298.257222101;

Ellipsoid ellipsoidOf(double a, double rf) { return {a, a - a / rf, rf, rf / std::sqrt(2 * rf - 1)}; }
const Ellipsoid GRS80 = ellipsoidOf(6378.137, GRS80_RF);

double rad(double degrees) { return degrees / DEGPRAD; }

// The meridian arc summed term by term as the series is written, for comparison
// with the evaluation over the coefficients formed once.
double literalFrmeqtr(const Ellipsoid& e, double phi) {
  const double E3 = e.inverseEccentricity;
  double S = 0;
  for (int i = 0; i <= 4; ++i)
    for (int j = 0; j <= 4; ++j) {
      if (i == 0)
        S += ARCCOEF[0][j] / std::pow(E3, 2 * j) * phi;
      else
        S += std::pow(-1.0, i) * ARCCOEF[i][j] / std::pow(E3, 2 * j) * std::sin(2.0 * i * phi) / i / 2;
    }
  return S * e.a * (1 - 1 / (E3 * E3));
}

TEST(MeridianArc, CoefficientTable) {
  EXPECT_EQ(ARCCOEF[0][4], 11025.0 / 16384);
  EXPECT_EQ(ARCCOEF[1][3], 525.0 / 512);
  EXPECT_EQ(ARCCOEF[4][4], 315.0 / 16384);
  EXPECT_EQ(ARCCOEF[3][2], 0);
}

TEST(MeridianArc, KnownLengths) {
  const MeridianArc arc(GRS80.a, GRS80.inverseEccentricity);
  EXPECT_EQ(arc.FRMEQTR(0), 0);
  EXPECT_NEAR(arc.FRMEQTR(PI / 2), 10001.96573, 0.5e-5);
  EXPECT_NEAR(arc.FRMEQTR(rad(36)), 3985.54267, 0.5e-5);
  EXPECT_EQ(arc.FRMEQTR(-rad(36)), -arc.FRMEQTR(rad(36)));
  EXPECT_EQ(arc.LNGARCM(0), 1.8429046f);
  EXPECT_EQ(arc.LNGARCM(PI / 2), 1.8615663f);
}

TEST(MeridianArc, SeriesEqualsTermByTermBitForBit) {
  for (double rf : {GRS80_RF, 299.1528128, 294.9786982, 297.0, 150.0, 1.5}) {
    const Ellipsoid e = ellipsoidOf(6378.137, rf);
    const MeridianArc arc(e.a, e.inverseEccentricity);
    for (int k = -900; k <= 900; k += 7) {
      const double phi = rad(k / 10.0 + 0.0123);
      EXPECT_EQ(arc.FRMEQTR(phi), literalFrmeqtr(e, phi)) << "1/f " << rf << " at " << k / 10.0;
    }
  }
}

struct Point {
  double x = 0;
  double y = 0;
};

// The series projections by code, on GRS80.
Projected series(int code, double dlam, double phi) {
  return code == TRANSVERSE_MERCATOR ? TransverseMercator(GRS80).TMXYZ(dlam, phi)
                                     : CassiniSoldner(GRS80).CSXYZ(dlam, phi);
}
constexpr int TM = TRANSVERSE_MERCATOR;
constexpr int CS = CASSINI_SOLDNER;

Point project(int code, double dlamDeg, double phiDeg) {
  const Projected p = series(code, rad(dlamDeg), rad(phiDeg));
  EXPECT_TRUE(p);
  return p ? Point{p->x, p->y} : Point{};
}

TEST(SeriesProjections, WorkedExamples) {
  Point tm = project(TM, 1, 36);
  EXPECT_NEAR(tm.x, 90.165115, 0.5e-6);
  EXPECT_NEAR(tm.y, 3986.005190, 0.5e-6);
  Point cs = project(CS, 1, 36);
  EXPECT_NEAR(cs.x, 90.162106, 0.5e-6);
  EXPECT_NEAR(cs.y, 3986.005190, 0.5e-6);
  EXPECT_NEAR((tm.y - cs.y) * 1e6, 0.10, 0.02);  // the northings agree to about 0.10 mm

  EXPECT_NEAR(project(TM, 3, 36).x, 270.529582, 0.5e-6);
  EXPECT_NEAR(project(CS, 3, 36).x, 270.448334, 0.5e-6);
  EXPECT_NEAR(project(TM, 1, 0).x, 111.325181, 0.5e-6);
  EXPECT_NEAR(project(CS, 1, 0).x, 111.319491, 0.5e-6);
  EXPECT_EQ(project(TM, 1, 0).y, 0);
  EXPECT_EQ(project(CS, 1, 0).y, 0);

  for (int f : {TM, CS}) {
    const Point central = project(f, 0, 36);
    EXPECT_EQ(central.x, 0);
    EXPECT_NEAR(central.y, 3985.54267, 0.5e-5);
    const Point east = project(f, 1, 36);
    const Point west = project(f, -1, 36);
    EXPECT_EQ(west.x, -east.x);
    EXPECT_EQ(west.y, east.y);
  }
}

// PROJ's forward projection of the same radians, in km.
class ProjOracle {
 public:
  explicit ProjOracle(const std::string& definition)
      : pj_(proj_create(PJ_DEFAULT_CTX, definition.c_str()), proj_destroy) {}
  Point forward(double lam, double phi) const {
    const PJ_COORD c = proj_trans(pj_.get(), PJ_FWD, proj_coord(lam, phi, 0, 0));
    return {c.xy.x / 1000, c.xy.y / 1000};
  }

 private:
  std::unique_ptr<PJ, decltype(&proj_destroy)> pj_;
};

// Largest distance in mm between ours and PROJ's at latitudes 0 to 70 degrees,
// out to the given longitude difference.
double worstDifferenceMm(int code, const ProjOracle& oracle, double maxDlamDeg) {
  double worst = 0;
  for (int lat = 0; lat <= 70; lat += 5)
    for (double dl = -maxDlamDeg; dl <= maxDlamDeg + 1e-9; dl += maxDlamDeg / 6) {
      const Point ours = project(code, dl, lat);
      const Point theirs = oracle.forward(rad(dl), rad(lat));
      worst = std::max(worst, std::hypot(ours.x - theirs.x, ours.y - theirs.y) * 1e6);
    }
  return worst;
}

TEST(SeriesProjections, AgreeWithProj) {
  const std::string ellipsoid = " +a=6378137 +rf=298.257222101 +units=m +no_defs";
  const ProjOracle tmerc("+proj=tmerc +lat_0=0 +lon_0=0 +k_0=1 +x_0=0 +y_0=0" + ellipsoid);
  const ProjOracle cass("+proj=cass +lat_0=0 +lon_0=0 +x_0=0 +y_0=0" + ellipsoid);
  EXPECT_LT(worstDifferenceMm(TM, tmerc, 2), 0.05);
  EXPECT_LT(worstDifferenceMm(TM, tmerc, 3), 0.5);
  EXPECT_LT(worstDifferenceMm(CS, cass, 6), 0.05);
}

Point toPoint(const std::array<double, 2>& xy) { return {xy[0], xy[1]}; }

// Up to their limits from the central meridian the series stay within 1 m of the
// exact projections at every latitude (the grid refuses points beyond).
TEST(SeriesProjections, WithinOneMetreUpToTheirLimits) {
  const ProjOracle tmerc("+proj=tmerc +lat_0=0 +lon_0=0 +k_0=1 +x_0=0 +y_0=0 +a=6378137 +rf=298.257222101 +units=m");
  geod_geodesic g{};
  geod_init(&g, 6378137, 1 / GRS80_RF);
  for (const auto& [code, limit] :
       {std::pair{TM, TransverseMercator::SERIES_LIMIT_DEGREES}, std::pair{CS, CassiniSoldner::SERIES_LIMIT_DEGREES}}) {
    double worst = 0;
    for (double lat = -89.5; lat <= 89.5; lat += 0.5)
      for (double dl = limit / 40; dl <= limit; dl += limit / 40) {
        const Point ours = project(code, dl, lat);
        const Point exact =
            code == TM ? tmerc.forward(rad(dl), rad(lat)) : toPoint(tools::exactCassini(g, rad(dl), rad(lat)));
        worst = std::max(worst, std::hypot(ours.x * 1000 - (code == TM ? exact.x * 1000 : exact.x),
                                           ours.y * 1000 - (code == TM ? exact.y * 1000 : exact.y)));
      }
    EXPECT_LT(worst, 1) << code;
  }
}

TEST(SeriesProjections, OutsideTheirDomainGiveNoNumbers) {
  for (int f : {TM, CS}) {
    for (const auto& [dlam, phi] :
         {std::pair{0.01, PI / 2}, std::pair{0.01, -PI / 2}, std::pair{0.01, 2.0}, std::pair{0.01, -3.0},
          std::pair{0.01, double(NAN)}, std::pair{0.01, double(INFINITY)}, std::pair{double(NAN), 0.5}}) {
      const Projected p = series(f, dlam, phi);
      ASSERT_FALSE(p) << dlam << " " << phi;
      EXPECT_EQ(p.reason(), ConversionRefusal::outsideArea);
    }
  }
}

}  // namespace
