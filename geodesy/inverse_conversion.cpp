// Grid to geographic coordinates. There is no inverse formula: the forward
// dispatcher is iterated from a first estimate, correcting it by the remaining grid
// difference over the prime-vertical radius, until the estimate projects within
// 0.1 m of the point.

#include "geodesy/inverse_conversion.h"

#include <cmath>

#include "geodesy/constants.h"
#include "geodesy/domain.h"
#include "geodesy/elementary.h"

namespace velqora {

Outcome<InverseConversion, ConversionRefusal> convertToGeographic(const Grid& grid, double X, double Y,
                                                                  double toleranceMetres) {
  // The squared distance in km^2 the estimate must come within (strictly).
  const double toleranceKm = toleranceMetres / 1000;
  const double toleranceKm2 = toleranceKm * toleranceKm;
  const Ellipsoid& e = grid.ellipsoid();
  const GridOrigin& o = grid.origin();
  const double Xs = grid.definition().xShift;
  const double Ys = grid.definition().yShift;
  const double k0 = grid.definition().scaleFactor;

  // First estimate: the grid offsets from the origin taken as arcs of the polar radius.
  double phi = o.phi0 + ((Y - Ys) / k0) / e.b;
  double dlam = (((X - Xs) / k0) / e.b) / velqora::cos(phi);
  double dX = 0;
  double dY = 0;
  GridPoint last;
  int n = 1;
  bool withinTolerance = false;
  for (;; ++n) {
    // An estimate that is no number or lies outside the projection's domain (a
    // pole, say) has no grid point: the point cannot be converted.
    const auto estimate = grid.PRJSL(dlam, phi, Grid::SeriesLimit::passedForEstimates);
    if (!estimate) return estimate.reason();
    last = *estimate;
    dX = X - estimate->x;
    dY = Y - estimate->y;
    if (n > ITERATION_LIMIT) break;
    if (dX * dX + dY * dY < toleranceKm2) {
      withinTolerance = true;
      break;
    }
    const double s = velqora::sin(phi);
    const double N = e.a * e.inverseEccentricity / std::sqrt(e.inverseEccentricity * e.inverseEccentricity - s * s);
    phi = phi + dY / N;
    dlam = dlam + (dX / N) / velqora::cos(phi);
  }

  // The estimates may pass beyond a series' limit on their way; the point given back
  // may not.
  if (!grid.withinSeriesLimit(dlam)) return ConversionRefusal::outsideArea;
  InverseConversion result;
  // Residual of the estimate given back, computed minus typed, in metres.
  result.residualX = -dX * 1000;
  result.residualY = -dY * 1000;
  result.longitude = dlam * DEGPRAD + o.lambda0;  // not folded into +-180 degrees
  result.latitude = phi * DEGPRAD;
  result.iterations = n;
  result.withinTolerance = withinTolerance;
  result.request = {dlam, phi};
  result.estimate = last;
  if (!finite(result.residualX, result.residualY) || !finite(result.longitude, result.latitude))
    return ConversionRefusal::outsideArea;
  return result;
}

Outcome<InverseConversionWithDerivedValues, ConversionRefusal> convertToGeographicWithDerivedValues(
    const Grid& grid, double X, double Y, double toleranceMetres) {
  const auto point = convertToGeographic(grid, X, Y, toleranceMetres);
  if (!point) return point.reason();
  const auto derived = DEGFACT(grid, point->request, point->estimate);
  if (!derived) return derived.reason();
  return InverseConversionWithDerivedValues{*point, *derived};
}

Outcome<InverseConversion, ConversionRefusal> convertToGeographicAsTheWindowDoes(const Grid& grid, double X, double Y,
                                                                                 double toleranceMetres) {
  const auto point = convertToGeographic(grid, X, Y, toleranceMetres);
  if (!point || derivedValuesCannotFail(grid, point->request, point->estimate)) return point;
  const auto derived = DEGFACT(grid, point->request, point->estimate);
  if (!derived) return derived.reason();
  return point;
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
