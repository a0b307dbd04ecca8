// The projection dispatcher: the one road from a geographic position to grid
// coordinates. It runs the projection that the grid's code selects and applies the
// grid's scale factor and shifts.

#include "geodesy/grid.h"

#include <cmath>
#include <limits>

#include "geodesy/constants.h"
#include "geodesy/domain.h"
#include "geodesy/ellipsoid_completion.h"

namespace velqora {

namespace {

template <class... Ts>
struct Overloaded : Ts... {
  using Ts::operator()...;
};
// Spelt out for compilers without aggregate deduction (clang 14).
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

// A projection made from its constants' outcome, or the refusal.
template <class P, class Projection>
Outcome<Projection, ConversionRefusal> from(const Outcome<P, ConversionRefusal>& made) {
  if (!made) return made.reason();
  return Projection(*made);
}

}  // namespace

Grid::Grid(const Ellipsoid& ellipsoid, const GridDefinition& definition, const GridOrigin& origin,
           const Projection& projection)
    : ellipsoid_(ellipsoid),
      definition_(definition),
      origin_(origin),
      arc_(ellipsoid.a, ellipsoid.inverseEccentricity),
      // TMXYZ and CSXYZ measure their northing from the equator, the others from the
      // origin latitude.
      M0_(definition.projection == TRANSVERSE_MERCATOR || definition.projection == CASSINI_SOLDNER
              ? arc_.FRMEQTR(origin.phi0)
              : 0),
      seriesLimit_(definition.projection == TRANSVERSE_MERCATOR ? TransverseMercator::SERIES_LIMIT_DEGREES / DEGPRAD
                   : definition.projection == CASSINI_SOLDNER   ? CassiniSoldner::SERIES_LIMIT_DEGREES / DEGPRAD
                                                                : std::numeric_limits<double>::infinity()),
      projection_(projection) {}

Outcome<Grid, ConversionRefusal> Grid::make(const Ellipsoid& ellipsoid, const GridDefinition& definition) {
  if (!usableForConversion(ellipsoid)) return ConversionRefusal::unusableEllipsoid;
  if (!selectsProjection(definition.projection)) return ConversionRefusal::noProjection;
  const GridOrigin o = originOf(definition);
  // An origin beyond a pole defines no grid, whichever projection uses it. One at a pole
  // serves the two series projections, whose northing then starts at the pole, and a
  // two-parallel cone whose apex it is; the others refuse it when made.
  if (!latitudeReachesAtMostAPole(o.phi0)) return ConversionRefusal::invalidGrid;

  Outcome<Projection, ConversionRefusal> projection = ConversionRefusal::noProjection;
  switch (definition.projection) {
    case TRANSVERSE_MERCATOR:
      projection = Projection(TransverseMercator(ellipsoid));
      break;
    case OBLIQUE_MERCATOR:
      projection = from<ObliqueMercator, Projection>(ObliqueMercator::make(ellipsoid, o.phi0));
      break;
    case LAMBERT_TWO_PARALLELS:
      projection = from<LambertTwoParallels, Projection>(LambertTwoParallels::make(ellipsoid, o.phi0, o.phi1, o.phi2));
      break;
    case LAMBERT_ONE_PARALLEL:
      projection = from<LambertOneParallel, Projection>(LambertOneParallel::make(ellipsoid, o.phi0));
      break;
    case CASSINI_SOLDNER:
      projection = Projection(CassiniSoldner(ellipsoid));
      break;
    case OBLIQUE_STEREOGRAPHIC:
      projection = from<ObliqueStereographic, Projection>(ObliqueStereographic::make(ellipsoid, o.phi0));
      break;
    default:
      break;
  }
  if (!projection) return projection.reason();
  return Grid(ellipsoid, definition, o, *projection);
}

std::optional<double> Grid::coneConstant() const {
  if (const auto* p = std::get_if<LambertTwoParallels>(&projection_)) return p->coneConstant();
  if (const auto* p = std::get_if<LambertOneParallel>(&projection_)) return p->coneConstant();
  return std::nullopt;
}

Outcome<GridPoint, ConversionRefusal> Grid::PRJSL(double dlam, double phi, SeriesLimit limit) const {
  if (!(std::fabs(dlam) <= LONGITUDE_DIFFERENCE_LIMIT)) return ConversionRefusal::outsideArea;
  if (limit == SeriesLimit::held && !withinSeriesLimit(dlam)) return ConversionRefusal::outsideArea;
  const Projected raw = std::visit(Overloaded{
                                       [&](const TransverseMercator& p) { return p.TMXYZ(dlam, phi); },
                                       [&](const ObliqueMercator& p) { return p.OMXYZ(dlam, phi); },
                                       [&](const LambertTwoParallels& p) { return p.LC2XYZ(dlam, phi); },
                                       [&](const LambertOneParallel& p) { return p.LC1XYZ(dlam, phi); },
                                       [&](const CassiniSoldner& p) { return p.CSXYZ(dlam, phi); },
                                       [&](const ObliqueStereographic& p) { return p.SCXYZ(dlam, phi); },
                                   },
                                   projection_);
  if (!raw) return raw.reason();
  const double k0 = definition_.scaleFactor;
  const double gx = raw->x * k0 + definition_.xShift;
  const double gy = (raw->y - M0_) * k0 + definition_.yShift;
  if (!finite(gx, gy)) return ConversionRefusal::outsideArea;
  return GridPoint{gx, gy};
}

}  // namespace velqora
