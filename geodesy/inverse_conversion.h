#pragma once

// Grid to geographic coordinates as values: the forward dispatcher iterated from a
// first estimate, each step correcting it by the remaining grid difference over the
// prime-vertical radius, until the estimate projects within 0.1 m of the point or
// 90000 steps have passed. Then the texts the window shows for the result. The batch
// converter may ask for a finer tolerance than the window's 0.1 m.
//
//   convertToGeographic(grid, X, Y)                     longitude, latitude, residuals, steps
//   convertToGeographicWithDerivedValues(grid, X, Y)    the same and the derived values
//   inverseTexts(conversion)                            EDIT14-EDIT21, EDIT24-EDIT32
//
// X and Y are in km.

#include <string>

#include "geodesy/conversion_refusal.h"
#include "geodesy/derived_values.h"
#include "geodesy/display.h"
#include "geodesy/grid.h"
#include "geodesy/outcome.h"

namespace velqora {

inline constexpr int ITERATION_LIMIT = 90000;    // at most 90001 projections per conversion
inline constexpr double TOLERANCE_METRES = 0.1;  // the window's: (0.1 / 1000)^2 is 1e-8 km^2 exactly

struct InverseConversion {
  double longitude = 0;          // decimal degrees, not folded into +-180
  double latitude = 0;           // decimal degrees
  double residualX = 0;          // metres, the estimate's projection minus the given X
  double residualY = 0;          // metres
  int iterations = 0;            // projections done; ITERATION_LIMIT + 1 when the limit ended the loop
  bool withinTolerance = false;  // the loop ended at the tolerance, not at the limit
  ProjectionRequest request;     // the final estimate, radians
  GridPoint estimate;            // its grid point, km
};

// Refused when an estimate has no projection (or the result is no number); a loop that
// ends at the limit is not refused: the residuals tell how far it got.
[[nodiscard]] Outcome<InverseConversion, ConversionRefusal> convertToGeographic(
    const Grid& grid, double X, double Y, double toleranceMetres = TOLERANCE_METRES);

struct InverseConversionWithDerivedValues {
  InverseConversion point;
  DerivedValues derived;
};

// As the window converts: refused as outsideArea also when the derived values have none.
[[nodiscard]] Outcome<InverseConversionWithDerivedValues, ConversionRefusal> convertToGeographicWithDerivedValues(
    const Grid& grid, double X, double Y, double toleranceMetres = TOLERANCE_METRES);

// The point of convertToGeographicWithDerivedValues, refused exactly where it is, with
// the derived values computed only where they may refuse it (derivedValuesCannotFail).
[[nodiscard]] Outcome<InverseConversion, ConversionRefusal> convertToGeographicAsTheWindowDoes(
    const Grid& grid, double X, double Y, double toleranceMetres = TOLERANCE_METRES);

struct GeographicTexts {
  std::string longitude;      // EDIT20: 11 digits, signed
  std::string latitude;       // EDIT21
  AngleTexts longitudeParts;  // EDIT14, EDIT16, EDIT18
  AngleTexts latitudeParts;   // EDIT15, EDIT17, EDIT19
};
[[nodiscard]] GeographicTexts geographicTexts(double longitude, double latitude);

struct ResidualTexts {
  std::string x;  // EDIT25: 5 digits, signed
  std::string y;  // EDIT26
};
[[nodiscard]] ResidualTexts residualTexts(const InverseConversion& conversion);

struct InverseTexts {
  GeographicTexts point;
  ResidualTexts residuals;
  DerivedTexts derived;
};
[[nodiscard]] InverseTexts inverseTexts(const InverseConversionWithDerivedValues& conversion);

}  // namespace velqora
