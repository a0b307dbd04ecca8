#pragma once

#include <cmath>

#include "geodesy/conversion_refusal.h"
#include "geodesy/outcome.h"

namespace velqora {

// Raw planar coordinates of a projection, km: scale 1 on its line or point of true
// scale, no scale factor, no false origin.
struct PlanePoint {
  double x = 0;  // easting component
  double y = 0;  // northing component
};

// What a projection procedure answers: its point, or outsideArea for a point its
// formulas do not cover (a pole, the antipode, a value that is no number...).
using Projected = Outcome<PlanePoint, ConversionRefusal>;

// The point when both coordinates are numbers; a formula that overflowed or met 0/0
// has no point to give.
[[nodiscard]] inline Projected finitePoint(double x, double y) {
  if (!std::isfinite(x) || !std::isfinite(y)) return ConversionRefusal::outsideArea;
  return PlanePoint{x, y};
}

}  // namespace velqora
