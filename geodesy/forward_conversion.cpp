#include "geodesy/forward_conversion.h"

#include "geodesy/constants.h"
#include "geodesy/display.h"
#include "geodesy/ellipsoid.h"

namespace velqora {

std::optional<ConversionRefusal> refusalBeforeProjecting(const Ellipsoid& ellipsoid, const GridDefinition& grid) {
  if (!usableForConversion(ellipsoid)) return ConversionRefusal::unusableEllipsoid;
  if (!selectsProjection(grid.projection)) return ConversionRefusal::noProjection;
  return std::nullopt;
}

ProjectionRequest requestFor(const GridDefinition& grid, double longitude, double latitude) {
  const GridOrigin o = originOf(grid);
  // The longitude difference is not folded: 350 degrees go in as 350 degrees.
  return {(longitude - o.lambda0) / DEGPRAD, latitude / DEGPRAD, o.phi0, o.phi1, o.phi2};
}

Outcome<GridPoint, ConversionRefusal> convertToGrid(const Ellipsoid& ellipsoid, const GridDefinition& grid,
                                                    double longitude, double latitude) {
  if (const auto refusal = refusalBeforeProjecting(ellipsoid, grid)) return *refusal;
  const EllipsoidInUse inUse(valuesOf(ellipsoid));
  return gridPointOf(grid, requestFor(grid, longitude, latitude));
}

Outcome<ForwardConversion, ConversionRefusal> convertToGridWithDerivedValues(const Ellipsoid& ellipsoid,
                                                                             const GridDefinition& grid,
                                                                             double longitude, double latitude) {
  if (const auto refusal = refusalBeforeProjecting(ellipsoid, grid)) return *refusal;
  const EllipsoidInUse inUse(valuesOf(ellipsoid));
  const ProjectionRequest request = requestFor(grid, longitude, latitude);
  const auto point = gridPointOf(grid, request);
  if (!point) return point.reason();
  const auto derived = derivedValuesAt(grid, request, *point);
  if (!derived) return ConversionRefusal::outsideArea;
  return ForwardConversion{*point, *derived};
}

GridPointTexts gridPointTexts(const GridPoint& point) { return {DSPDCM(point.x, 11), DSPDCM(point.y, 11)}; }

ForwardTexts forwardTexts(const ForwardConversion& conversion) {
  return {gridPointTexts(conversion.point), derivedTexts(conversion.derived)};
}

}  // namespace velqora
