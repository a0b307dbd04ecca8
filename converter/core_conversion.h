#pragma once

// The point conversions over the core: a point's texts read as the window reads its
// fields, converted as its commands convert, and the texts it then shows.

#include <optional>

#include "converter/point_conversion.h"
#include "geodesy/ellipsoid_completion.h"
#include "geodesy/grid_definition.h"

namespace velqora::convert {

struct Direction {
  bool inverse = false;      // X and Y to longitude and latitude
  bool sexagesimal = false;  // angles as degrees, arc-minutes, arc-seconds
  bool derived = false;      // the angle to true north, its tangent, scale factor, arc-second length
  // Grid to geographic: the distance in metres the estimate must come within. Without
  // one, the window's 0.1 m, and a point the iteration bound stops is shown with its
  // residuals as the window shows it; with one, such a point is an ERROR.
  std::optional<double> toleranceMetres;
};

// The ellipsoid as the first conversion after picking it settles it (completed when a
// value is missing), and a grid that selects a projection.
[[nodiscard]] PointConversion coreConversion(const Ellipsoid& ellipsoid, const GridDefinition& definition,
                                             Direction direction);

}  // namespace velqora::convert
