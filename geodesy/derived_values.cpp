// Grid convergence, point scale factor and the grid length of one arc-second of
// latitude, by a forward difference through the dispatcher: one method for every
// projection, so no projection needs formulas of its own for them.

#include "geodesy/derived_values.h"

#include <cmath>

#include "geodesy/constants.h"
#include "geodesy/domain.h"
#include "geodesy/elementary.h"

namespace velqora {

Outcome<DerivedValues, ConversionRefusal> DEGFACT(const Grid& grid, const ProjectionRequest& request,
                                                  const GridPoint& atRequest) {
  // 10 arc-seconds further north.
  const auto second = grid.PRJSL(request.dlam, request.phi + (1 / DEGPRAD) / 360);
  if (!second) return second.reason();

  // Grid displacement per arc-second of latitude.
  const double dX = (second->x - atRequest.x) / 10;
  const double dY = (second->y - atRequest.y) / 10;
  // With no northward step on the grid the angle to true north has no tangent.
  if (dY == 0) return ConversionRefusal::outsideArea;
  DerivedValues v;
  v.tangent = dX / dY;
  v.angle = velqora::atan(v.tangent) * DEGPRAD;
  const double L = std::sqrt(dX * dX + dY * dY);
  v.scaleFactor = L * 60 / static_cast<double>(grid.meridianArc().LNGARCM(request.phi));
  v.arcSecondLength = L * 1000;  // metres
  if (!finite(v.tangent, v.angle) || !finite(v.scaleFactor, v.arcSecondLength)) return ConversionRefusal::outsideArea;
  return v;
}

bool derivedValuesCannotFail(const Grid& grid, const ProjectionRequest& request, const GridPoint& atRequest) {
  if (!latitudeInside(request.phi + (1 / DEGPRAD) / 360)) return false;
  const double k0 = grid.definition().scaleFactor;
  if (!(k0 >= 1e-4 && k0 <= 1e4) || !(std::fabs(atRequest.x) <= 1e6 && std::fabs(atRequest.y) <= 1e6)) return false;
  switch (grid.definition().projection) {
    case TRANSVERSE_MERCATOR:
    case CASSINI_SOLDNER:
      return true;
    case LAMBERT_TWO_PARALLELS:
    case LAMBERT_ONE_PARALLEL:
      return std::fabs(*grid.coneConstant() * request.dlam) <= 1.3;
    default:
      return false;
  }
}

DerivedTexts derivedTexts(const DerivedValues& values) {
  DerivedTexts t;
  t.tangent = DSPDCM(values.tangent, 11);
  t.angle = DSPDCM(values.angle, 11);
  t.angleParts = sexagesimalTexts(values.angle);
  t.scaleFactor = unsignedText(values.scaleFactor, 12);
  t.arcSecondLength = unsignedText(values.arcSecondLength, 10);
  return t;
}

}  // namespace velqora
