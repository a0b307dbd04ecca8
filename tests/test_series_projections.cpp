#include <gtest/gtest.h>
#include <proj.h>

#include <cmath>
#include <memory>
#include <string>

#include "geodesy/constants.h"
#include "geodesy/ellipsoid.h"
#include "geodesy/meridian_arc.h"
#include "geodesy/projections.h"

namespace {

using namespace velqora;

constexpr double GRS80_RF = 298.257222101;

void useEllipsoid(double a, double rf) { EARTH = {a, a - a / rf, rf, rf / std::sqrt(2 * rf - 1)}; }
void useGrs80() { useEllipsoid(6378.137, GRS80_RF); }

double rad(double degrees) { return degrees / DEGPRAD; }

// The meridian arc summed term by term as the series is written, for comparison
// with the cached evaluation.
double literalFrmeqtr(double phi) {
  double S = 0;
  for (int i = 0; i <= 4; ++i)
    for (int j = 0; j <= 4; ++j) {
      if (i == 0)
        S += ARCCOEF[0][j] / std::pow(EARTH[3], 2 * j) * phi;
      else
        S += std::pow(-1.0, i) * ARCCOEF[i][j] / std::pow(EARTH[3], 2 * j) * std::sin(2.0 * i * phi) / i / 2;
    }
  return S * EARTH[0] * (1 - 1 / (EARTH[3] * EARTH[3]));
}

TEST(MeridianArc, CoefficientTable) {
  EXPECT_EQ(ARCCOEF[0][4], 11025.0 / 16384);
  EXPECT_EQ(ARCCOEF[1][3], 525.0 / 512);
  EXPECT_EQ(ARCCOEF[4][4], 315.0 / 16384);
  EXPECT_EQ(ARCCOEF[3][2], 0);
}

TEST(MeridianArc, KnownLengths) {
  useGrs80();
  EXPECT_EQ(FRMEQTR(0), 0);
  EXPECT_NEAR(FRMEQTR(PI / 2), 10001.96573, 0.5e-5);
  EXPECT_NEAR(FRMEQTR(rad(36)), 3985.54267, 0.5e-5);
  EXPECT_EQ(FRMEQTR(-rad(36)), -FRMEQTR(rad(36)));
  EXPECT_EQ(LNGARCM(0), 1.8429046f);
  EXPECT_EQ(LNGARCM(PI / 2), 1.8615663f);
}

TEST(MeridianArc, CachedSeriesEqualsTermByTermBitForBit) {
  for (double rf : {GRS80_RF, 299.1528128, 294.9786982, 297.0, 150.0, 1.5}) {
    useEllipsoid(6378.137, rf);
    for (int k = -900; k <= 900; k += 7) {
      const double phi = rad(k / 10.0 + 0.0123);
      EXPECT_EQ(FRMEQTR(phi), literalFrmeqtr(phi)) << "1/f " << rf << " at " << k / 10.0;
    }
  }
}

struct Point {
  double x = 0;
  double y = 0;
};

Point project(Domain (*f)(double, double, double&, double&), double dlamDeg, double phiDeg) {
  Point p;
  EXPECT_EQ(f(rad(dlamDeg), rad(phiDeg), p.x, p.y), Domain::inside);
  return p;
}

TEST(SeriesProjections, WorkedExamples) {
  useGrs80();
  Point tm = project(TMXYZ, 1, 36);
  EXPECT_NEAR(tm.x, 90.165115, 0.5e-6);
  EXPECT_NEAR(tm.y, 3986.005190, 0.5e-6);
  Point cs = project(CSXYZ, 1, 36);
  EXPECT_NEAR(cs.x, 90.162106, 0.5e-6);
  EXPECT_NEAR(cs.y, 3986.005190, 0.5e-6);
  EXPECT_NEAR((tm.y - cs.y) * 1e6, 0.10, 0.02);  // the northings agree to about 0.10 mm

  EXPECT_NEAR(project(TMXYZ, 3, 36).x, 270.529582, 0.5e-6);
  EXPECT_NEAR(project(CSXYZ, 3, 36).x, 270.448334, 0.5e-6);
  EXPECT_NEAR(project(TMXYZ, 1, 0).x, 111.325181, 0.5e-6);
  EXPECT_NEAR(project(CSXYZ, 1, 0).x, 111.319491, 0.5e-6);
  EXPECT_EQ(project(TMXYZ, 1, 0).y, 0);
  EXPECT_EQ(project(CSXYZ, 1, 0).y, 0);

  for (auto f : {TMXYZ, CSXYZ}) {
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
double worstDifferenceMm(Domain (*f)(double, double, double&, double&), const ProjOracle& oracle,
                         double maxDlamDeg) {
  double worst = 0;
  for (int lat = 0; lat <= 70; lat += 5)
    for (double dl = -maxDlamDeg; dl <= maxDlamDeg + 1e-9; dl += maxDlamDeg / 6) {
      Point ours;
      EXPECT_EQ(f(rad(dl), rad(lat), ours.x, ours.y), Domain::inside);
      const Point theirs = oracle.forward(rad(dl), rad(lat));
      worst = std::max(worst, std::hypot(ours.x - theirs.x, ours.y - theirs.y) * 1e6);
    }
  return worst;
}

TEST(SeriesProjections, AgreeWithProj) {
  useGrs80();
  const std::string ellipsoid = " +a=6378137 +rf=298.257222101 +units=m +no_defs";
  const ProjOracle tmerc("+proj=tmerc +lat_0=0 +lon_0=0 +k_0=1 +x_0=0 +y_0=0" + ellipsoid);
  const ProjOracle cass("+proj=cass +lat_0=0 +lon_0=0 +x_0=0 +y_0=0" + ellipsoid);
  EXPECT_LT(worstDifferenceMm(TMXYZ, tmerc, 2), 0.05);
  EXPECT_LT(worstDifferenceMm(TMXYZ, tmerc, 3), 0.5);
  EXPECT_LT(worstDifferenceMm(CSXYZ, cass, 6), 0.05);
}

TEST(SeriesProjections, OutsideTheirDomainGiveNoNumbers) {
  useGrs80();
  for (auto f : {TMXYZ, CSXYZ}) {
    for (double phi : {PI / 2, -PI / 2, 2.0, -3.0, double(NAN), double(INFINITY)}) {
      double X = 123;
      double Y = 456;
      EXPECT_EQ(f(0.01, phi, X, Y), Domain::outside) << phi;
      EXPECT_EQ(X, 123);
      EXPECT_EQ(Y, 456);
    }
    double X = 0;
    double Y = 0;
    EARTH = {6378.137, 0, 0, 1};  // 1/e <= 1
    EXPECT_EQ(f(0.01, 0.5, X, Y), Domain::outside);
    EARTH = {0, 0, 0, 0};  // no ellipsoid yet
    EXPECT_EQ(f(0.01, 0.5, X, Y), Domain::outside);
    useGrs80();
    EXPECT_EQ(f(NAN, 0.5, X, Y), Domain::outside);
  }
}

}  // namespace
