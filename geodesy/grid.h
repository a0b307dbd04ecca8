#pragma once

// A grid made once from an ellipsoid and a grid definition, as GeographicLib's
// projection classes are: the ellipsoid and the definition are checked when it is
// made, every constant of its projection (the cone, the Gauss sphere, the origin's
// meridian arc) is computed then, and its answers are const functions of the point.
// One grid serves any number of threads.
//
//   Grid::make(ellipsoid, definition)   the grid, or why the two make none
//   grid.PRJSL(dlam, phi)               grid coordinates of a point (the dispatcher)

#include <cmath>
#include <optional>
#include <variant>

#include "geodesy/cassini_soldner.h"
#include "geodesy/conversion_refusal.h"
#include "geodesy/ellipsoid.h"
#include "geodesy/grid_definition.h"
#include "geodesy/lambert_one_parallel.h"
#include "geodesy/lambert_two_parallels.h"
#include "geodesy/meridian_arc.h"
#include "geodesy/oblique_mercator.h"
#include "geodesy/oblique_stereographic.h"
#include "geodesy/outcome.h"
#include "geodesy/transverse_mercator.h"

namespace velqora {

// A point as the projections take it: its longitude difference from the grid's
// origin (not folded into +-180 degrees) and its latitude, radians.
struct ProjectionRequest {
  double dlam = 0;
  double phi = 0;
};

// Grid coordinates, km: the projection's raw coordinates scaled and shifted.
struct GridPoint {
  double x = 0;  // easting component
  double y = 0;  // northing component
};

class Grid {
 public:
  // Beyond this longitude difference (radians, about 234,700 degrees) the rounding of
  // the angle about the cone's apex or on the Gauss sphere alone, 2^-53 of it times a
  // radius of up to 2e4 km, would reach the 0.1 mm of the shown digits.
  static constexpr double LONGITUDE_DIFFERENCE_LIMIT = 4096;

  // Refused as unusableEllipsoid when the ellipsoid is not usableForConversion
  // (ellipsoid_completion.h), noProjection for a code that selects none, and
  // invalidGrid when the definition's own values define no projection for any point
  // (an origin at or beyond a pole, a one-parallel Lambert origin on the equator,
  // opposite standard parallels...).
  [[nodiscard]] static Outcome<Grid, ConversionRefusal> make(const Ellipsoid& ellipsoid,
                                                             const GridDefinition& definition);

  // Whether the series' limit from the central meridian is held (a point beyond it
  // refused), or passed for an estimate of the grid-to-geographic iteration, which may
  // lie beyond it on its way to a point within.
  enum class SeriesLimit { held, passedForEstimates };

  // The dispatcher: the projection the grid's code selects, its raw coordinates times
  // the scale factor plus the shifts, the origin's meridian arc taken off the northing
  // of the two projections that measure it from the equator. Refused as outsideArea
  // for a point the projection cannot convert, one whose longitude difference is beyond
  // LONGITUDE_DIFFERENCE_LIMIT, and on the two series projections one beyond the
  // series' limit (TransverseMercator::SERIES_LIMIT_DEGREES,
  // CassiniSoldner::SERIES_LIMIT_DEGREES), unless passed.
  [[nodiscard]] Outcome<GridPoint, ConversionRefusal> PRJSL(double dlam, double phi,
                                                            SeriesLimit limit = SeriesLimit::held) const;
  [[nodiscard]] Outcome<GridPoint, ConversionRefusal> PRJSL(const ProjectionRequest& r) const {
    return PRJSL(r.dlam, r.phi);
  }

  // The longitude difference lies within the series' limit (any does on the projections
  // with closed formulas).
  [[nodiscard]] bool withinSeriesLimit(double dlam) const { return std::fabs(dlam) <= seriesLimit_; }

  [[nodiscard]] const Ellipsoid& ellipsoid() const { return ellipsoid_; }
  [[nodiscard]] const GridDefinition& definition() const { return definition_; }
  [[nodiscard]] const GridOrigin& origin() const { return origin_; }
  [[nodiscard]] const MeridianArc& meridianArc() const { return arc_; }

  // The cone constant of a Lambert grid (codes 3 and 4); nothing for the others.
  [[nodiscard]] std::optional<double> coneConstant() const;

 private:
  using Projection = std::variant<TransverseMercator, ObliqueMercator, LambertTwoParallels, LambertOneParallel,
                                  CassiniSoldner, ObliqueStereographic>;
  Grid(const Ellipsoid& ellipsoid, const GridDefinition& definition, const GridOrigin& origin,
       const Projection& projection);

  Ellipsoid ellipsoid_;
  GridDefinition definition_;
  GridOrigin origin_;
  MeridianArc arc_;
  double M0_;           // meridian arc of the origin latitude for codes 1 and 5, else 0
  double seriesLimit_;  // radians; infinite for the projections with closed formulas
  Projection projection_;
};

}  // namespace velqora
