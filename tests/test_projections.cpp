// The four origin-centred projections: worked examples, geometric properties over
// many points, and the edges of their domains.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "tests/projection_support.h"

namespace velqora {
namespace {

using geo_test::ellipsoidOf;
using geo_test::ELLIPSOIDS;
using geo_test::rad;
using geo_test::rawProjection;

struct Named {
  const char* name;
  int code;
  double phi1;  // standard parallels relative to the origin (two-parallel conic only)
  double phi2;
};

const std::vector<Named> PROJECTIONS{
    {"OMXYZ", OBLIQUE_MERCATOR, 0, 0},
    {"LC1XYZ", LAMBERT_ONE_PARALLEL, 0, 0},
    {"LC2XYZ", LAMBERT_TWO_PARALLELS, rad(-2), rad(3)},
    {"SCXYZ", OBLIQUE_STEREOGRAPHIC, 0, 0},
};

TEST(Projections, WorkedExamplesToTheShownDigits) {
  struct Example {
    const char* what;
    geo_test::NamedEllipsoid ellipsoid;
    int projection;  // index into PROJECTIONS
    double lam0, phi0, phi1, phi2, lam, phi;
    double X, Y;
  };
  const geo_test::NamedEllipsoid bessel{"Bessel", 6377.397155, 299.1528128};
  const geo_test::NamedEllipsoid clarke{"Clarke 1866", 6378.2064, 294.9786982};
  const std::vector<Example> examples{
      {"oblique Mercator, Bern, NE", bessel, 0, rad(7, 26, 22.50), rad(46, 57, 8.66), 0, 0, rad(9.5), rad(47.5),
       155.209648, 62.912607},
      {"oblique Mercator, Bern, SW", bessel, 0, rad(7, 26, 22.50), rad(46, 57, 8.66), 0, 0, rad(6), rad(46),
       -111.510350, -104.839141},
      {"Lambert, one parallel", clarke, 1, rad(-77), rad(18), 0, 0, rad(-76, -56, -37.26), rad(17, 55, 55.80), 5.966582,
       -7.506489},
      {"Lambert, two parallels", clarke, 2, rad(-99), rad(27, 50), rad(28, 23), rad(30, 17), rad(-96), rad(28.5),
       293.676580, 77.650943},
      {"stereographic, NE", bessel, 3, rad(5, 23, 15.5), rad(52, 9, 22.178), 0, 0, rad(6), rad(53), 41.109069,
       94.066403},
      {"stereographic, SW", bessel, 3, rad(5, 23, 15.5), rad(52, 9, 22.178), 0, 0, rad(5), rad(51), -27.210704,
       -128.551155},
  };
  for (const Example& ex : examples) {
    SCOPED_TRACE(ex.what);
    const auto p = rawProjection(PROJECTIONS[ex.projection].code, ellipsoidOf(ex.ellipsoid), ex.lam - ex.lam0, ex.phi,
                                 ex.phi0, ex.phi1, ex.phi2);
    ASSERT_TRUE(p);
    EXPECT_NEAR(p->x, ex.X, 0.5e-6);
    EXPECT_NEAR(p->y, ex.Y, 0.5e-6);
  }
}

// Origins and points spread over both hemispheres and all four ellipsoids.
template <class Check>
void overManyPoints(Check check) {
  for (const auto& ellipsoid : ELLIPSOIDS) {
    const Ellipsoid e = ellipsoidOf(ellipsoid);
    for (double lat0 : {-63.0, -35.5, 12.0, 46.952406, 71.0}) {
      for (double dist : {1.0, 50.0, 300.0, 900.0}) {
        for (double azDeg = 10; azDeg < 360; azDeg += 40) {
          const geo_test::Offset p = geo_test::pointAt(rad(lat0), dist, rad(azDeg));
          check(e, rad(lat0), p.dlam, p.phi);
        }
      }
    }
  }
}

TEST(Projections, OriginMapsToZeroAndTheOriginMeridianToXZero) {
  for (const Named& p : PROJECTIONS) {
    SCOPED_TRACE(p.name);
    overManyPoints([&](const Ellipsoid& e, double phi0, double, double phi) {
      const auto origin = rawProjection(p.code, e, 0, phi0, phi0, phi0 + p.phi1, phi0 + p.phi2);
      ASSERT_TRUE(origin);
      // The sphere's constant K does not cancel to the last bit: a few nm are left.
      EXPECT_NEAR(origin->x, 0, 1e-9);
      EXPECT_NEAR(origin->y, 0, 1e-9);
      const auto onMeridian = rawProjection(p.code, e, 0, phi, phi0, phi0 + p.phi1, phi0 + p.phi2);
      ASSERT_TRUE(onMeridian);
      EXPECT_NEAR(onMeridian->x, 0, 1e-9);  // the stereographic's azimuth of a southern point is PI, not pi
      if (phi > phi0) {
        EXPECT_GT(onMeridian->y, 0);
      }
      if (phi < phi0) {
        EXPECT_LT(onMeridian->y, 0);
      }
    });
  }
}

TEST(Projections, SymmetricAboutTheOriginMeridian) {
  for (const Named& p : PROJECTIONS) {
    SCOPED_TRACE(p.name);
    overManyPoints([&](const Ellipsoid& e, double phi0, double dlam, double phi) {
      const auto east = rawProjection(p.code, e, dlam, phi, phi0, phi0 + p.phi1, phi0 + p.phi2);
      const auto west = rawProjection(p.code, e, -dlam, phi, phi0, phi0 + p.phi1, phi0 + p.phi2);
      ASSERT_TRUE(east && west);
      EXPECT_NEAR(west->x, -east->x, 1e-9);
      EXPECT_NEAR(west->y, east->y, 1e-9);
      if (dlam > 1e-9) {
        EXPECT_GT(east->x, 0);
      }
    });
  }
}

// Scale along the meridian and along the parallel, and the angle between their
// images, by central differences over 1e-5 rad.
TEST(Projections, Conformal) {
  for (const Named& p : PROJECTIONS) {
    SCOPED_TRACE(p.name);
    overManyPoints([&](const Ellipsoid& e, double phi0, double dlam, double phi) {
      const double h = 1e-5;
      const double phi1 = phi0 + p.phi1;
      const double phi2 = phi0 + p.phi2;
      const auto n = rawProjection(p.code, e, dlam, phi + h, phi0, phi1, phi2);
      const auto s = rawProjection(p.code, e, dlam, phi - h, phi0, phi1, phi2);
      const auto east = rawProjection(p.code, e, dlam + h, phi, phi0, phi1, phi2);
      const auto west = rawProjection(p.code, e, dlam - h, phi, phi0, phi1, phi2);
      ASSERT_TRUE(n && s && east && west);
      const double xn = n->x, yn = n->y, xs = s->x, ys = s->y;
      const double xe = east->x, ye = east->y, xw = west->x, yw = west->y;
      const double a = e.a;
      const double e2 = 1 / (e.inverseEccentricity * e.inverseEccentricity);
      const double w = 1 - e2 * std::sin(phi) * std::sin(phi);
      const double M = a * (1 - e2) / (w * std::sqrt(w));  // meridian radius of curvature
      const double N = a / std::sqrt(w);                   // prime-vertical radius
      const double kMeridian = std::hypot(xn - xs, yn - ys) / (2 * h * M);
      const double kParallel = std::hypot(xe - xw, ye - yw) / (2 * h * N * std::cos(phi));
      EXPECT_NEAR(kMeridian / kParallel, 1, 1e-8);
      const double cosAngle = ((xn - xs) * (xe - xw) + (yn - ys) * (ye - yw)) /
                              (std::hypot(xn - xs, yn - ys) * std::hypot(xe - xw, ye - yw));
      EXPECT_NEAR(cosAngle, 0, 1e-8);
    });
  }
}

TEST(Projections, TwoParallelConicIgnoresTheOrderOfItsParallels) {
  overManyPoints([&](const Ellipsoid& e, double phi0, double dlam, double phi) {
    for (const auto& [p1, p2] : {std::pair{-2.0, 3.0}, std::pair{0.5, 7.0}, std::pair{-10.0, -1.0}}) {
      const auto a = rawProjection(LAMBERT_TWO_PARALLELS, e, dlam, phi, phi0, phi0 + rad(p1), phi0 + rad(p2));
      const auto b = rawProjection(LAMBERT_TWO_PARALLELS, e, dlam, phi, phi0, phi0 + rad(p2), phi0 + rad(p1));
      ASSERT_TRUE(a && b);
      EXPECT_NEAR(b->x, a->x, 1e-9);
      EXPECT_NEAR(b->y, a->y, 1e-9);
    }
  });
}

TEST(Projections, EveryDomainEdgeIsReportedWithoutNumbers) {
  const Ellipsoid grs80 = ellipsoidOf(ELLIPSOIDS[0]);
  const double pole = 90 / DEGPRAD;
  const double nan = std::nan("");
  const double inf = INFINITY;
  struct Edge {
    std::string what;
    int projection;
    double dlam, phi, phi0, phi1, phi2;
    ConversionRefusal answer = ConversionRefusal::outsideArea;  // invalidGrid: the grid's own values fail
  };
  constexpr ConversionRefusal INVALID = ConversionRefusal::invalidGrid;
  std::vector<Edge> edges;
  for (int i = 0; i < static_cast<int>(PROJECTIONS.size()); ++i) {
    const std::string name = PROJECTIONS[i].name;
    for (double p : {pole, -pole, PI / 2, -PI / 2, 1.6, -2.0}) {
      edges.push_back({name + " point at or beyond a pole", i, 0.01, p, rad(40), rad(35), rad(45)});
      // The northern cone's apex is the north pole, where its origin may lie.
      if (PROJECTIONS[i].code != LAMBERT_TWO_PARALLELS || p < 0 || p > pole)
        edges.push_back({name + " origin at or beyond a pole", i, 0.01, rad(40), p, rad(35), rad(45), INVALID});
    }
    edges.push_back({name + " NaN latitude", i, 0.01, nan, rad(40), rad(35), rad(45)});
    edges.push_back({name + " NaN origin", i, 0.01, rad(40), nan, rad(35), rad(45), INVALID});
    edges.push_back({name + " NaN longitude", i, nan, rad(40), rad(40), rad(35), rad(45)});
    edges.push_back({name + " infinite longitude", i, inf, rad(40), rad(40), rad(35), rad(45)});
  }
  for (double p : {pole, -pole, PI / 2}) {
    edges.push_back({"LC2XYZ first parallel at a pole", 2, 0.01, rad(40), rad(40), p, rad(45), INVALID});
    edges.push_back({"LC2XYZ second parallel at a pole", 2, 0.01, rad(40), rad(40), rad(35), p, INVALID});
  }
  edges.push_back({"LC1XYZ origin on the equator", 1, 0.01, rad(1), 0.0, 0, 0, INVALID});
  edges.push_back({"LC1XYZ origin on the equator (-0)", 1, 0.01, rad(1), -0.0, 0, 0, INVALID});
  edges.push_back({"LC2XYZ opposite parallels", 2, 0.01, rad(5), rad(1), rad(-20), rad(20), INVALID});
  edges.push_back({"LC2XYZ parallels both on the equator", 2, 0.01, rad(5), rad(1), 0.0, -0.0, INVALID});
  // The stereographic sends the antipode of the origin to infinity. For an origin on
  // the equator the sphere's origin latitude is 0 and its longitude is alpha times
  // the ellipsoid's, so the antipode is the equator point PI / alpha away.
  const double E3 = grs80.inverseEccentricity;
  const double alpha0 = std::sqrt(1 + 1 / (E3 * E3 - 1));
  edges.push_back({"SCXYZ antipode", 3, PI / alpha0, 0.0, 0.0, 0, 0});
  edges.push_back({"SCXYZ antipode, west", 3, -PI / alpha0, 0.0, 0.0, 0, 0});
  // The oblique Mercator is answered only within 90 degrees of arc of the origin.
  edges.push_back({"OMXYZ 90 degrees of arc away along the central line", 0, rad(95), rad(0.5), rad(0.5), 0, 0});
  edges.push_back({"OMXYZ beyond 90 degrees of arc", 0, rad(120), rad(10), rad(46), 0, 0});
  edges.push_back({"OMXYZ on the far side", 0, rad(180), rad(-30), rad(46), 0, 0});

  for (const Edge& e : edges) {
    SCOPED_TRACE(e.what);
    const auto p = rawProjection(PROJECTIONS[e.projection].code, grs80, e.dlam, e.phi, e.phi0, e.phi1, e.phi2);
    ASSERT_FALSE(p);
    EXPECT_EQ(p.reason(), e.answer);
  }
}

// A cone near a cylinder (parallels nearly opposite, a one-parallel origin near the
// equator) has radii that grow as a/n, and Y is the difference of two of them. Against
// the same steps in extended precision, every cone the grid accepts holds 0.1 mm; the
// refusal starts where the double rounding of those radii approaches it (1e-16 a F:
// a F = 1.05e3 km / separation for the parallels at 30 degrees, a / phi0 for one).
TEST(Projections, NearlyCylindricalConesHoldTheirDigitsOrAreRefused) {
  using Long = long double;
  const Ellipsoid grs80 = ellipsoidOf(ELLIPSOIDS[0]);
  const Long E3 = grs80.inverseEccentricity;
  const auto m = [&](Long p) { return std::cos(p) * E3 / std::sqrt(E3 * E3 - std::sin(p) * std::sin(p)); };
  const auto t = [&](Long p) {
    const Long s = std::sin(p);
    return std::tan(Long(PI) / 4 - p / 2) * std::pow((E3 + s) / (E3 - s), 1 / E3 / 2);
  };
  struct Row {
    int code;
    double separation;  // from opposite parallels (code 3) or from the equator (code 4), radians
    bool refused;
  };
  const Row rows[] = {{3, 1e-2, false}, {3, 1e-3, false}, {3, 1e-4, false}, {3, 6e-5, false},
                      {3, 4e-5, true},  {3, 1e-6, true},  {3, 1e-9, true},  {4, 1e-3, false},
                      {4, 1e-4, false}, {4, 4e-5, false}, {4, 2e-5, true},  {4, 1e-9, true}};
  const double phi1 = rad(30);
  for (const Row& r : rows) {
    SCOPED_TRACE(::testing::Message() << "code " << r.code << " separation " << r.separation);
    const double phi0 = r.code == 3 ? 0 : r.separation;
    const double phi2 = -phi1 + r.separation;
    const Long p1 = r.code == 3 ? Long(phi1) : Long(phi0);
    const Long n = r.code == 3 ? std::log(m(phi1) / m(phi2)) / std::log(t(phi1) / t(phi2)) : std::sin(Long(phi0));
    const Long aF = grs80.a * (m(p1) / n) / std::pow(t(p1), n);
    for (const auto& [dlam, phi] :
         {std::pair{rad(3), rad(5)}, std::pair{rad(10), rad(-8)}, std::pair{rad(-20), rad(20)}}) {
      const auto ours = rawProjection(r.code, grs80, dlam, phi, phi0, phi1, phi2);
      ASSERT_EQ(!ours, r.refused);
      if (r.refused) {
        EXPECT_EQ(ours.reason(), ConversionRefusal::invalidGrid);
        continue;
      }
      const Long rho = aF * std::pow(t(phi), n);
      const Long theta = n * dlam;
      EXPECT_LT(std::abs(ours->x - rho * std::sin(theta)) * 1e6, 0.1);
      EXPECT_LT(std::abs(ours->y - (aF * std::pow(t(phi0), n) - rho * std::cos(theta))) * 1e6, 0.1);
    }
  }
}

// Near the oblique Mercator's 90-degree limit the arctangent still takes the right
// branch: X keeps growing along the central line.
TEST(Projections, ObliqueMercatorJustInsideItsDomain) {
  const Ellipsoid bessel = ellipsoidOf(ELLIPSOIDS[1]);
  double previous = 0;
  for (double deg = 10; deg <= 85; deg += 5) {
    const auto p = rawProjection(OBLIQUE_MERCATOR, bessel, rad(deg), 0, 0.0001);
    ASSERT_TRUE(p) << deg;
    EXPECT_GT(p->x, previous) << deg;
    previous = p->x;
  }
}

}  // namespace
}  // namespace velqora
