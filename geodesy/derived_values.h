#pragma once

// The derived values of a converted point: the angle between grid north and true
// north and its tangent, the point scale factor and the grid length of one
// arc-second of latitude, from two projections 10 arc-seconds apart.

#include <string>

#include "geodesy/conversion_refusal.h"
#include "geodesy/display.h"
#include "geodesy/grid.h"
#include "geodesy/outcome.h"

namespace velqora {

struct DerivedValues {
  double tangent = 0;          // tan of the angle
  double angle = 0;            // degrees from grid north to true north, east positive
  double scaleFactor = 0;      // the grid's factor times the projection's
  double arcSecondLength = 0;  // metres of grid per arc-second of latitude
};

// The derived values at a point whose grid point atRequest the conversion has just
// computed: one projection more, 10 arc-seconds further north, and a forward
// difference. Refused as outsideArea when that projection fails, or when the step has
// no northing (the angle then has no tangent) or gives no numbers.
[[nodiscard]] Outcome<DerivedValues, ConversionRefusal> DEGFACT(const Grid& grid, const ProjectionRequest& request,
                                                                const GridPoint& atRequest);

// The texts the window writes, field by field.
struct DerivedTexts {
  std::string tangent;          // EDIT30: 11 digits, signed
  std::string angle;            // EDIT24: 11 digits, signed
  AngleTexts angleParts;        // EDIT27, EDIT28, EDIT29
  std::string scaleFactor;      // EDIT31: 12 digits, unsigned
  std::string arcSecondLength;  // EDIT32: 10 digits, unsigned
};

[[nodiscard]] DerivedTexts derivedTexts(const DerivedValues& values);

}  // namespace velqora
