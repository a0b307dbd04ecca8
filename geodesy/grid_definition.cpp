#include "geodesy/grid_definition.h"

#include "geodesy/constants.h"

namespace velqora {

GridOrigin originOf(const GridDefinition& grid) {
  GridOrigin o;
  o.lambda0 = grid.originLongitude.decimalDegrees();
  o.phi0 = grid.originLatitude.decimalDegrees() / DEGPRAD;
  // Only the two-parallel Lambert projection reads its parallels; the others get 0.
  if (grid.projection == LAMBERT_TWO_PARALLELS) {
    o.phi1 = grid.firstParallel.decimalDegrees() / DEGPRAD;
    o.phi2 = grid.secondParallel.decimalDegrees() / DEGPRAD;
  }
  return o;
}

namespace {

SexagesimalAngle angleAt(const GridRecord& record, std::size_t first) {
  return {record[first], record[first + 1], record[first + 2]};
}

}  // namespace

GridDefinition gridOfRecord(const GridRecord& record, int code) {
  GridDefinition grid;
  grid.projection = static_cast<ProjectionCode>(code);
  grid.originLongitude = angleAt(record, 0);
  grid.originLatitude = angleAt(record, 3);
  grid.xShift = record[6];
  grid.yShift = record[7];
  grid.scaleFactor = record[8];
  grid.firstParallel = angleAt(record, 9);
  grid.secondParallel = angleAt(record, 12);
  return grid;
}

}  // namespace velqora
