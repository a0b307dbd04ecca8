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

}  // namespace velqora
