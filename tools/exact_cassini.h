#pragma once

// Exact Cassini-Soldner by geodesics (PROJ's geodesic routines, Karney's algorithms):
// the geodesic between (phi, -dlam) and (phi, +dlam) is symmetric about the central
// meridian, so it crosses it at right angles at its midpoint; X is half its length,
// Y the meridian arc from the equator to the midpoint. The reference against which the
// Cassini series' error is measured.

#include <geodesic.h>

#include <array>
#include <cmath>
#include <numbers>

namespace velqora::tools {

// Metres, of a point given in radians.
inline std::array<double, 2> exactCassini(const geod_geodesic& g, double dlam, double phi) {
  const double lat = phi * 180 / std::numbers::pi;
  const double lon = std::abs(dlam) * 180 / std::numbers::pi;
  double s12 = 0;
  double azi1 = 0;
  geod_inverse(&g, lat, -lon, lat, lon, &s12, &azi1, nullptr);
  double footLat = 0;
  double footLon = 0;
  geod_direct(&g, lat, -lon, azi1, s12 / 2, &footLat, &footLon, nullptr);
  double arc = 0;
  geod_inverse(&g, 0, 0, footLat, 0, &arc, nullptr, nullptr);
  return {std::copysign(s12 / 2, dlam), std::copysign(arc, footLat)};
}

// The meridian arc in metres from the equator to phi (radians).
inline double meridianArc(const geod_geodesic& g, double phi) {
  double arc = 0;
  geod_inverse(&g, 0, 0, phi * 180 / std::numbers::pi, 0, &arc, nullptr, nullptr);
  return std::copysign(arc, phi);
}

}  // namespace velqora::tools
