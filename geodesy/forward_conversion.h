#pragma once

// Geographic to grid coordinates as values, and the texts the window shows for them.
//
//   convertToGrid(grid, longitude, latitude)                   X and Y (km)
//   convertToGridWithDerivedValues(grid, longitude, latitude)  X, Y and the derived values
//   forwardTexts(conversion)                                   EDIT22, EDIT23, EDIT24, EDIT27-EDIT32
//
// Longitude and latitude are in decimal degrees, east and north positive. The
// longitude difference from the origin is not folded into +-180 degrees.

#include <string>

#include "geodesy/conversion_refusal.h"
#include "geodesy/derived_values.h"
#include "geodesy/grid.h"
#include "geodesy/outcome.h"

namespace velqora {

// The projection request of a point in decimal degrees on a grid.
[[nodiscard]] ProjectionRequest requestFor(const Grid& grid, double longitude, double latitude);

[[nodiscard]] Outcome<GridPoint, ConversionRefusal> convertToGrid(const Grid& grid, double longitude, double latitude);

struct ForwardConversion {
  GridPoint point;
  DerivedValues derived;
};

// As the window converts: refused as outsideArea also when the derived values have none.
[[nodiscard]] Outcome<ForwardConversion, ConversionRefusal> convertToGridWithDerivedValues(const Grid& grid,
                                                                                           double longitude,
                                                                                           double latitude);

// The grid point of convertToGridWithDerivedValues, refused exactly where it is, with
// the derived values computed only where they may refuse the point
// (derivedValuesCannotFail): for a caller that does not show them.
[[nodiscard]] Outcome<GridPoint, ConversionRefusal> convertToGridAsTheWindowDoes(const Grid& grid, double longitude,
                                                                                 double latitude);

struct GridPointTexts {
  std::string x;  // EDIT22: 11 digits, signed
  std::string y;  // EDIT23
};
[[nodiscard]] GridPointTexts gridPointTexts(const GridPoint& point);

// Everything a forward command writes after the echo of the typed point; the two
// residual fields EDIT25 and EDIT26 are emptied.
struct ForwardTexts {
  GridPointTexts point;
  DerivedTexts derived;
};
[[nodiscard]] ForwardTexts forwardTexts(const ForwardConversion& conversion);

}  // namespace velqora
