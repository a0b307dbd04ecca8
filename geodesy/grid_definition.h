#pragma once

// A grid as values: the projection that draws it, its origin, false shifts, scale
// factor and, for the two-parallel Lambert projection, its standard parallels. Built
// from the window's texts or a grid-group table row by datafiles/grid_group.h.

#include <array>

#include "geodesy/projection_code.h"

namespace velqora {

// An angle as degrees, arc-minutes and arc-seconds, each part carrying the angle's
// sign (so -0 degrees 30 arc-minutes is held as 0, -30, 0).
struct SexagesimalAngle {
  double degrees = 0;
  double minutes = 0;
  double seconds = 0;
  [[nodiscard]] double decimalDegrees() const { return degrees + minutes / 60 + seconds / 3600; }
};

struct GridDefinition {
  ProjectionCode projection = NO_PROJECTION;  // any other int than 1 to 6 selects none
  SexagesimalAngle originLongitude;
  SexagesimalAngle originLatitude;
  double xShift = 0;  // km, added to every X
  double yShift = 0;  // km, added to every Y
  double scaleFactor = 1;
  SexagesimalAngle firstParallel;  // read by the two-parallel Lambert projection only
  SexagesimalAngle secondParallel;
};

// The origin and standard parallels in the units the dispatcher takes.
struct GridOrigin {
  double lambda0 = 0;  // origin longitude, decimal degrees
  double phi0 = 0;     // origin latitude, radians
  double phi1 = 0;     // standard parallels, radians; 0 unless two-parallel Lambert
  double phi2 = 0;
};

[[nodiscard]] GridOrigin originOf(const GridDefinition& grid);

// A grid from the grid-group record as GRIDDGET reads it from the origin fields:
// 0-2 origin longitude (deg, arcmin, arcsec, all with the angle's sign),
// 3-5 origin latitude, 6 X shift (km), 7 Y shift (km), 8 scale factor,
// 9-11 first and 12-14 second standard parallel (two-parallel Lambert only).
using GridRecord = std::array<double, 15>;
[[nodiscard]] GridDefinition gridOfRecord(const GridRecord& record, int code);

}  // namespace velqora
