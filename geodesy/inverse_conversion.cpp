// Grid to geographic coordinates. There is no inverse formula: the forward
// dispatcher is iterated from a first estimate, correcting it by the remaining grid
// difference over the prime-vertical radius, until the estimate projects within
// 0.1 m of the point.

#include "geodesy/inverse_conversion.h"

#include <cmath>

#include "geodesy/constants.h"
#include "geodesy/elementary.h"
#include "geodesy/ellipsoid.h"

namespace velqora {

namespace {

// The iteration on the ellipsoid in EARTH, which e holds too.
Outcome<InverseConversion, ConversionRefusal> iterate(const Ellipsoid& e, const GridDefinition& grid, double X,
                                                      double Y) {
  const GridOrigin o = originOf(grid);
  const double Xs = grid.xShift;
  const double Ys = grid.yShift;
  const double k0 = grid.scaleFactor;

  // First estimate: the grid offsets from the origin taken as arcs of the polar radius.
  double phi = o.phi0 + ((Y - Ys) / k0) / e.b;
  double dlam = (((X - Xs) / k0) / e.b) / velqora::cos(phi);
  double dX = 0;
  double dY = 0;
  GridPoint last;
  int n = 1;
  for (;; ++n) {
    // An estimate that is no number or lies outside the projection's domain (a
    // pole, say) has no grid point: the point cannot be converted.
    const auto estimate = gridPointOf(grid, {dlam, phi, o.phi0, o.phi1, o.phi2});
    if (!estimate) return estimate.reason();
    last = *estimate;
    dX = X - estimate->x;
    dY = Y - estimate->y;
    if (n > ITERATION_LIMIT) break;
    if (dX * dX + dY * dY < TOLERANCE_KM2) break;
    const double s = velqora::sin(phi);
    const double N = e.a * e.inverseEccentricity / std::sqrt(e.inverseEccentricity * e.inverseEccentricity - s * s);
    phi = phi + dY / N;
    dlam = dlam + (dX / N) / velqora::cos(phi);
  }

  InverseConversion result;
  // Residual of the estimate given back, computed minus typed, in metres.
  result.residualX = -dX * 1000;
  result.residualY = -dY * 1000;
  result.longitude = dlam * DEGPRAD + o.lambda0;  // not folded into +-180 degrees
  result.latitude = phi * DEGPRAD;
  result.iterations = n;
  result.request = {dlam, phi, o.phi0, o.phi1, o.phi2};
  result.estimate = last;
  if (!finite(result.residualX, result.residualY) || !finite(result.longitude, result.latitude))
    return ConversionRefusal::outsideArea;
  return result;
}

}  // namespace

Outcome<InverseConversion, ConversionRefusal> convertToGeographic(const Ellipsoid& ellipsoid,
                                                                  const GridDefinition& grid, double X, double Y) {
  if (const auto refusal = refusalBeforeProjecting(ellipsoid, grid)) return *refusal;
  const EllipsoidInUse inUse(valuesOf(ellipsoid));
  return iterate(ellipsoid, grid, X, Y);
}

Outcome<InverseConversionWithDerivedValues, ConversionRefusal> convertToGeographicWithDerivedValues(
    const Ellipsoid& ellipsoid, const GridDefinition& grid, double X, double Y) {
  if (const auto refusal = refusalBeforeProjecting(ellipsoid, grid)) return *refusal;
  const EllipsoidInUse inUse(valuesOf(ellipsoid));
  const auto point = iterate(ellipsoid, grid, X, Y);
  if (!point) return point.reason();
  const auto derived = derivedValuesAt(grid, point->request, point->estimate);
  if (!derived) return ConversionRefusal::outsideArea;
  return InverseConversionWithDerivedValues{*point, *derived};
}

GeographicTexts geographicTexts(double longitude, double latitude) {
  return {decimalDegreesText(longitude), decimalDegreesText(latitude), sexagesimalTexts(longitude),
          sexagesimalTexts(latitude)};
}

ResidualTexts residualTexts(const InverseConversion& conversion) {
  return {DSPDCM(conversion.residualX, 5), DSPDCM(conversion.residualY, 5)};
}

InverseTexts inverseTexts(const InverseConversionWithDerivedValues& conversion) {
  const InverseConversion& p = conversion.point;
  return {geographicTexts(p.longitude, p.latitude), residualTexts(p), derivedTexts(conversion.derived)};
}

}  // namespace velqora
