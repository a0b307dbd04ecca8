#pragma once

#include "geodesy/conversion_refusal.h"
#include "geodesy/domain.h"
#include "geodesy/grid_definition.h"
#include "geodesy/outcome.h"
#include "geodesy/projection_code.h"

namespace velqora {

// A projection request: the point's longitude difference from the origin and its
// latitude, the origin latitude and the standard parallels, all in radians.
struct ProjectionRequest {
  double dlam = 0;
  double phi = 0;
  double phi0 = 0;
  double phi1 = 0;
  double phi2 = 0;
};

struct GridPoint {
  double x = 0;  // km, easting component
  double y = 0;  // km, northing component
};

// The dispatcher's steps for a given grid, on the current EARTH: the projection the
// grid's code selects, its raw coordinates scaled by the grid's factor and shifted.
// Refused with invalidGrid when the grid's own values define no projection (for any
// point), outsideArea when this point has no coordinates, noProjection for a code
// that selects none.
[[nodiscard]] Outcome<GridPoint, ConversionRefusal> gridPointOf(const GridDefinition& grid,
                                                                const ProjectionRequest& request);

// Grid coordinates (km) of a point for the projection PRJKIND and the grid group
// GRID (geodesy/grid_record.h): gridPointOf over the record. On any refusal, and for
// a code that selects no projection, X and Y are left as they were;
// Domain::invalidGrid tells a grid that no point can use.
Domain PRJSL(double dlam, double phi, double phi0, double phi1, double phi2, double& X, double& Y);

}  // namespace velqora
