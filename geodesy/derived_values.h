#pragma once

// The derived values of a converted point, DEGFACT's arithmetic: the angle between
// grid north and true north and its tangent, the point scale factor and the grid
// length of one arc-second of latitude, from two projections 10 arc-seconds apart.

#include <optional>
#include <string>

#include "geodesy/dispatcher.h"
#include "geodesy/display.h"
#include "geodesy/grid_definition.h"

namespace velqora {

struct DerivedValues {
  double tangent = 0;          // tan of the angle
  double angle = 0;            // degrees from grid north to true north, east positive
  double scaleFactor = 0;      // the grid's factor times the projection's
  double arcSecondLength = 0;  // metres of grid per arc-second of latitude
};

// At the point of a projection request, on the current EARTH. Nothing when either
// projection fails or the step has no northing (the angle then has no tangent).
[[nodiscard]] std::optional<DerivedValues> derivedValuesAt(const GridDefinition& grid,
                                                          const ProjectionRequest& request);
// The same when the grid point of the request is known already: one projection less.
[[nodiscard]] std::optional<DerivedValues> derivedValuesAt(const GridDefinition& grid,
                                                          const ProjectionRequest& request,
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
