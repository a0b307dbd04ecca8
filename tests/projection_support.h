#pragma once

// Helpers shared by the projection, dispatcher and DEGFACT tests: ellipsoids set
// straight into EARTH, sexagesimal angles, and the global state put back after a test.

#include <array>
#include <cmath>

#include "geodesy/grid_record.h"
#include "geodesy/constants.h"
#include "geodesy/ellipsoid.h"

namespace velqora::geo_test {

struct Ellipsoid {
  const char* name;
  double a;   // km
  double rf;  // inverse flattening
};

inline constexpr std::array<Ellipsoid, 4> ELLIPSOIDS{{
    {"GRS80", 6378.137, 298.257222101},
    {"Bessel 1841", 6377.397155, 299.1528128},
    {"Clarke 1866", 6378.2064, 294.9786982},
    {"International 1924", 6378.388, 297.0},
}};

// EARTH as EARTHCUL completes it from a and 1/f.
inline void setEllipsoid(double a, double rf) {
  EARTH[0] = a;
  EARTH[1] = a - a / rf;
  EARTH[2] = rf;
  EARTH[3] = rf / std::sqrt(2 * rf - 1);
}
inline void setEllipsoid(const Ellipsoid& e) { setEllipsoid(e.a, e.rf); }

// Degrees, arc-minutes and arc-seconds (all of the angle's sign) to radians.
inline double rad(double d, double m = 0, double s = 0) { return (d + m / 60 + s / 3600) / DEGPRAD; }

// Puts EARTH, GRID and PRJKIND back as they were when the test began.
class GlobalStateGuard {
public:
  GlobalStateGuard() : earth_(EARTH), grid_(GRID), code_(PRJKIND) {}
  ~GlobalStateGuard() {
    EARTH = earth_;
    GRID = grid_;
    PRJKIND = code_;
  }
  GlobalStateGuard(const GlobalStateGuard&) = delete;
  GlobalStateGuard& operator=(const GlobalStateGuard&) = delete;

private:
  std::array<double, 4> earth_;
  std::array<double, 15> grid_;
  int code_;
};

// The point reached from (lat0, 0) by going dist km along azimuth az (radians) on a
// sphere of the ellipsoid's size: close enough to "dist km from the origin" for
// choosing test points.
struct Offset {
  double dlam;
  double phi;
};
inline Offset pointAt(double phi0, double distKm, double az) {
  const double c = distKm / 6371.0;
  const double phi = std::asin(std::sin(phi0) * std::cos(c) + std::cos(phi0) * std::sin(c) * std::cos(az));
  const double dlam =
      std::atan2(std::sin(az) * std::sin(c) * std::cos(phi0), std::cos(c) - std::sin(phi0) * std::sin(phi));
  return {dlam, phi};
}

}  // namespace velqora::geo_test
