#include "geodesy/forward_conversion.h"

#include "geodesy/constants.h"
#include "geodesy/display.h"

namespace velqora {

ProjectionRequest requestFor(const Grid& grid, double longitude, double latitude) {
  // The longitude difference is not folded: 350 degrees go in as 350 degrees.
  return {(longitude - grid.origin().lambda0) / DEGPRAD, latitude / DEGPRAD};
}

Outcome<GridPoint, ConversionRefusal> convertToGrid(const Grid& grid, double longitude, double latitude) {
  return grid.PRJSL(requestFor(grid, longitude, latitude));
}

Outcome<ForwardConversion, ConversionRefusal> convertToGridWithDerivedValues(const Grid& grid, double longitude,
                                                                             double latitude) {
  const ProjectionRequest request = requestFor(grid, longitude, latitude);
  const auto point = grid.PRJSL(request);
  if (!point) return point.reason();
  const auto derived = DEGFACT(grid, request, *point);
  if (!derived) return derived.reason();
  return ForwardConversion{*point, *derived};
}

Outcome<GridPoint, ConversionRefusal> convertToGridAsTheWindowDoes(const Grid& grid, double longitude,
                                                                   double latitude) {
  const ProjectionRequest request = requestFor(grid, longitude, latitude);
  const auto point = grid.PRJSL(request);
  if (!point || derivedValuesCannotFail(grid, request, *point)) return point;
  const auto derived = DEGFACT(grid, request, *point);
  if (!derived) return derived.reason();
  return point;
}

GridPointTexts gridPointTexts(const GridPoint& point) { return {DSPDCM(point.x, 11), DSPDCM(point.y, 11)}; }

ForwardTexts forwardTexts(const ForwardConversion& conversion) {
  return {gridPointTexts(conversion.point), derivedTexts(conversion.derived)};
}

}  // namespace velqora
