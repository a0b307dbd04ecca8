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

// False wherever DEGFACT may refuse the point whose grid point atRequest the conversion
// has just computed; true only where it cannot, so that a caller that does not show the
// derived values may leave them uncomputed there and still refuse exactly the points
// the window refuses. DEGFACT refuses when 10 arc-seconds north lies beyond the pole or
// outside the projection's area, or when the grid's northward step is 0 or too small for
// a tangent. Where it cannot:
//   - the point 10 arc-seconds north lies south of the pole;
//   - the scale factor lies within 1e-4..1e4 and the grid point within 1e6 km of the
//     grid's zero, so that a northward step of even 1 m is far above the rounding of Y;
//   - Transverse Mercator and Cassini-Soldner: their longitude limit holds at both points
//     alike, and the meridian turns less than 20 degrees from grid north there;
//   - Lambert: the meridian turns by n dlam, and |n dlam| <= 1.3 rad leaves the step
//     at least a quarter of its length northward.
// The oblique Mercator and the stereographic turn their meridians through 90 degrees
// at moderate distances from the origin: their derived values are always computed.
[[nodiscard]] bool derivedValuesCannotFail(const Grid& grid, const ProjectionRequest& request,
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
