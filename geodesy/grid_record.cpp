#include "geodesy/grid_record.h"

namespace velqora {

namespace {

SexagesimalAngle angleAt(const std::array<double, 15>& record, std::size_t first) {
  return {record[first], record[first + 1], record[first + 2]};
}

}  // namespace

GridDefinition gridOfRecord(const std::array<double, 15>& record, int code) {
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
