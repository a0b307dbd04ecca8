// The projections keep their sphere and cone constants from call to call. Here
// each is compared bit for bit with a plain evaluation of its steps, constants
// recomputed at every call, while the ellipsoid, origin and parallels change in an
// irregular order, so that a stale or wrongly keyed constant shows at once.

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "geodesy/dispatcher.h"
#include "geodesy/elementary.h"
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

struct XY {
  double X;
  double Y;
};

XY literalOM(double dlam, double phi, double phi0) {
  const double a = EARTH[0];
  const double E3 = EARTH[3];
  const double e2 = 1 / (E3 * E3);
  const double R = a * std::sqrt(1 - e2) / (1 - e2 * (velqora::sin(phi0) * velqora::sin(phi0)));
  const double c0 = velqora::cos(phi0);
  const double alpha = std::sqrt(1 + c0 * c0 * c0 * c0 / (E3 * E3 - 1));
  const double b0 = velqora::atan(velqora::sin(phi0) / std::sqrt(alpha * alpha - velqora::sin(phi0) * velqora::sin(phi0)));
  const double K = velqora::log(velqora::tan(PI / 4 + b0 / 2)) - alpha * velqora::log(velqora::tan(PI / 4 + phi0 / 2)) +
                   alpha / E3 / 2 * velqora::log((E3 + velqora::sin(phi0)) / (E3 - velqora::sin(phi0)));
  const double S = alpha * velqora::log(velqora::tan(PI / 4 + phi / 2)) -
                   alpha / E3 / 2 * velqora::log((E3 + velqora::sin(phi)) / (E3 - velqora::sin(phi))) + K;
  const double b = 2 * (velqora::atan(velqora::exp(S)) - PI / 4);
  const double l = alpha * dlam;
  const double lbar = velqora::atan(velqora::sin(l) / (velqora::sin(b0) * velqora::tan(b) + velqora::cos(b0) * velqora::cos(l)));
  const double s = velqora::cos(b0) * velqora::sin(b) - velqora::sin(b0) * velqora::cos(b) * velqora::cos(l);
  return {R * lbar, R / 2 * velqora::log((1 + s) / (1 - s))};
}

double m(double psi) {
  const double E3 = EARTH[3];
  return velqora::cos(psi) * E3 / std::sqrt(E3 * E3 - velqora::sin(psi) * velqora::sin(psi));
}
double t(double psi) {
  const double E3 = EARTH[3];
  return velqora::tan(PI / 4 - psi / 2) * velqora::pow((E3 + velqora::sin(psi)) / (E3 - velqora::sin(psi)), 1 / E3 / 2);
}

XY literalLC1(double dlam, double phi, double phi0) {
  const double a = EARTH[0];
  const double n = velqora::sin(phi0);
  const double F = (m(phi0) / n) / velqora::pow(t(phi0), n);
  const double rho0 = a * F * velqora::pow(t(phi0), n);
  const double rho = a * F * velqora::pow(t(phi), n);
  return {rho * velqora::sin(n * dlam), rho0 - rho * velqora::cos(n * dlam)};
}

XY literalLC2(double dlam, double phi, double phi0, double phi1, double phi2) {
  const double a = EARTH[0];
  const double e2 = 1 / (EARTH[3] * EARTH[3]);
  const double n = velqora::log(1 / std::sqrt(1 - e2 * (velqora::sin(phi1) * velqora::sin(phi1))) /
                            (1 / std::sqrt(1 - e2 * (velqora::sin(phi2) * velqora::sin(phi2)))) * velqora::cos(phi1) /
                            velqora::cos(phi2)) /
                   velqora::log(t(phi1) / t(phi2));
  const double F = (m(phi1) / n) / velqora::pow(t(phi1), n);
  const double rho0 = a * F * velqora::pow(t(phi0), n);
  const double rho = a * F * velqora::pow(t(phi), n);
  return {rho * velqora::sin(n * dlam), rho0 - rho * velqora::cos(n * dlam)};
}

double q(double psi) {
  const double E3 = EARTH[3];
  return velqora::log(velqora::tan(PI / 4 + psi / 2)) - velqora::log((E3 + velqora::sin(psi)) / (E3 - velqora::sin(psi))) / E3 / 2;
}

XY literalSC(double dlam, double phi, double phi0) {
  const double a = EARTH[0];
  const double E3 = EARTH[3];
  const double N0 = a * E3 / std::sqrt(E3 * E3 - velqora::sin(phi0) * velqora::sin(phi0));
  const double M0 = N0 * (E3 * E3 - 1) / (E3 * E3 - velqora::sin(phi0) * velqora::sin(phi0));
  const double R = std::sqrt(N0 * M0);
  const double b0 = velqora::atan(velqora::tan(phi0) * std::sqrt(M0 / N0));
  const double c0 = velqora::cos(phi0);
  const double alpha = std::sqrt(1 + c0 * c0 * c0 * c0 / (E3 * E3 - 1));
  const double K = velqora::log(velqora::tan(PI / 4 + b0 / 2)) - alpha * q(phi0);
  const double S = alpha * q(phi) + K;
  const double b = 2 * velqora::atan(velqora::exp(S)) - PI / 2;
  const double l = alpha * dlam;
  const double Az = velqora::atan2(velqora::sin(l), velqora::tan(b) * velqora::cos(b0) - velqora::sin(b0) * velqora::cos(l));
  const double h = velqora::sin((b - b0) / 2) * velqora::sin((b - b0) / 2) +
                   velqora::sin(l / 2) * velqora::sin(l / 2) * velqora::cos(b) * velqora::cos(b0);
  const double rho = 2 * R * std::sqrt(h / (1 - h));
  return {rho * velqora::sin(Az), rho * velqora::cos(Az)};
}

TEST(ProjectionConstants, KeptConstantsGiveTheSameBitsAsThePlainSteps) {
  GlobalStateGuard guard;
  std::mt19937 random(20261207);
  std::uniform_int_distribution<int> pickEllipsoid(0, ELLIPSOIDS.size() - 1);
  std::uniform_real_distribution<double> uniform(-1, 1);
  std::bernoulli_distribution change(0.2);
  int ellipsoid = 0;
  double lat0 = 40;
  setEllipsoid(ELLIPSOIDS[ellipsoid]);
  for (int i = 0; i < 20000; ++i) {
    // Keep the same ellipsoid and origin for a few calls, then change one of them.
    if (change(random)) {
      ellipsoid = pickEllipsoid(random);
      setEllipsoid(ELLIPSOIDS[ellipsoid]);
    }
    if (change(random)) lat0 = 80 * uniform(random);
    if (lat0 == 0) continue;
    const double phi0 = rad(lat0);
    const double phi1 = phi0 + rad(3 * uniform(random) + 3.5);
    const double phi2 = phi0 - rad(3 * uniform(random) + 3.5);
    const double phi = phi0 + rad(8 * uniform(random));
    const double dlam = rad(8 * uniform(random));
    if (!latitudeInside(phi) || !latitudeInside(phi1) || !latitudeInside(phi2)) continue;
    SCOPED_TRACE(::testing::Message() << "call " << i << " ellipsoid " << ellipsoid << " lat0 " << lat0);

    double X = 0;
    double Y = 0;
    ASSERT_EQ(OMXYZ(dlam, phi, phi0, X, Y), Domain::inside);
    XY ref = literalOM(dlam, phi, phi0);
    EXPECT_EQ(X, ref.X);
    EXPECT_EQ(Y, ref.Y);
    ASSERT_EQ(LC1XYZ(dlam, phi, phi0, X, Y), Domain::inside);
    ref = literalLC1(dlam, phi, phi0);
    EXPECT_EQ(X, ref.X);
    EXPECT_EQ(Y, ref.Y);
    ASSERT_EQ(LC2XYZ(dlam, phi, phi0, phi1, phi2, X, Y), Domain::inside);
    ref = literalLC2(dlam, phi, phi0, phi1, phi2);
    EXPECT_EQ(X, ref.X);
    EXPECT_EQ(Y, ref.Y);
    ASSERT_EQ(SCXYZ(dlam, phi, phi0, X, Y), Domain::inside);
    ref = literalSC(dlam, phi, phi0);
    EXPECT_EQ(X, ref.X);
    EXPECT_EQ(Y, ref.Y);

    // The dispatcher keeps the origin's meridian distance for the two projections
    // that measure from the equator.
    GRID[6] = 0;
    GRID[7] = 0;
    GRID[8] = 1;
    for (const int code : {TRANSVERSE_MERCATOR, CASSINI_SOLDNER}) {
      PRJKIND = code;
      double rawX = 0;
      double rawY = 0;
      ASSERT_EQ(code == TRANSVERSE_MERCATOR ? TMXYZ(dlam, phi, rawX, rawY) : CSXYZ(dlam, phi, rawX, rawY),
                Domain::inside);
      ASSERT_EQ(PRJSL(dlam, phi, phi0, 0, 0, X, Y), Domain::inside);
      EXPECT_EQ(X, rawX * 1 + 0);
      EXPECT_EQ(Y, (rawY - FRMEQTR(phi0)) * 1 + 0);
    }
  }
}

}  // namespace
}  // namespace velqora
