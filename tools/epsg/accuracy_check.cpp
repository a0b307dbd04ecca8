#include "tools/epsg/accuracy_check.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "datafiles/grid_group.h"
#include "geodesy/constants.h"
#include "geodesy/ellipsoid_completion.h"
#include "geodesy/forward_conversion.h"
#include "tools/epsg/pj.h"
#include "tools/exact_cassini.h"

namespace velqora::epsg {

namespace {

// Degrees in one unit of the base CRS's angles, and of its prime meridian's longitude.
double degreesPerUnit(double radiansPerUnit) {
  // The degree exactly, so that degrees pass unchanged.
  if (radiansPerUnit == std::numbers::pi / 180) return 1;
  return radiansPerUnit * 180 / std::numbers::pi;
}

// A longitude moved by whole turns into (-180, 180] about a centre.
double near(double longitude, double centre) {
  double d = std::fmod(longitude - centre, 360.0);
  if (d > 180) d -= 360;
  if (d <= -180) d += 360;
  return centre + d;
}

// PROJ's side: the base CRS's coordinates of a point, and the CRS's in metres.
class ProjConversion {
 public:
  ProjConversion(PJ_CONTEXT* context, int code) {
    const Pj crs(proj_create_from_database(context, "EPSG", std::to_string(code).c_str(), PJ_CATEGORY_CRS, 0, nullptr));
    if (!crs) return;
    const Pj base(proj_crs_get_geodetic_crs(context, crs.get()));
    const Pj operation(proj_create_crs_to_crs_from_pj(context, base.get(), crs.get(), nullptr, nullptr));
    if (!operation) return;
    operation_.reset(proj_normalize_for_visualization(context, operation.get()));

    const Pj meridian(proj_get_prime_meridian(context, base.get()));
    double longitude = 0;
    double unit = 0;
    proj_prime_meridian_get_parameters(context, meridian.get(), &longitude, &unit, nullptr);
    meridianDegrees_ = longitude * degreesPerUnit(unit);
    const Pj baseAxes(proj_crs_get_coordinate_system(context, base.get()));
    proj_cs_get_axis_info(context, baseAxes.get(), 0, nullptr, nullptr, nullptr, &unit, nullptr, nullptr, nullptr);
    angleUnitDegrees_ = degreesPerUnit(unit);
    const Pj axes(proj_crs_get_coordinate_system(context, crs.get()));
    proj_cs_get_axis_info(context, axes.get(), 0, nullptr, nullptr, nullptr, &metresPerUnit_, nullptr, nullptr,
                          nullptr);
  }

  [[nodiscard]] bool ready() const { return operation_ != nullptr; }

  // Easting and northing in metres of a point in degrees from Greenwich; infinite
  // where PROJ gives none.
  [[nodiscard]] std::array<double, 2> metres(double longitude, double latitude) const {
    const PJ_COORD in =
        proj_coord((longitude - meridianDegrees_) / angleUnitDegrees_, latitude / angleUnitDegrees_, 0, 0);
    const PJ_COORD out = proj_trans(operation_.get(), PJ_FWD, in);
    if (!std::isfinite(out.xy.x) || !std::isfinite(out.xy.y)) return {HUGE_VAL, HUGE_VAL};
    return {out.xy.x * metresPerUnit_, out.xy.y * metresPerUnit_};
  }

 private:
  Pj operation_;
  double meridianDegrees_ = 0;
  double angleUnitDegrees_ = 1;
  double metresPerUnit_ = 1;
};

}  // namespace

std::optional<double> seriesErrorFigure(double worstMetres) {
  if (!(worstMetres > 0.01)) return std::nullopt;
  const int exponent = static_cast<int>(std::floor(std::log10(worstMetres))) - 1;
  const double digits = std::ceil(worstMetres / std::pow(10.0, exponent));
  // Through a decimal text, so that the figure is the double of that short decimal.
  return std::stod(std::to_string(static_cast<int>(digits)) + "e" + std::to_string(exponent));
}

GridAccuracy checkGrid(PJ_CONTEXT* context, const CatalogueEntry& entry) {
  GridAccuracy result;
  // The ellipsoid and grid as the window's commands read the fields the pick fills.
  const EllipsoidTexts texts = readEllipsoidTexts(entry.ellipsoid);
  const auto ellipsoid = ellipsoidForConversion(ellipsoidOf(texts.values), texts.valueMissing);
  const auto definition = gridFromTexts(entry.grid, standardProjectionCode(entry.projectionKey));
  if (!ellipsoid || !definition) {
    result.failure = "the record's texts give no ellipsoid or grid";
    return result;
  }
  const auto grid = Grid::make(*ellipsoid, *definition);
  const ProjConversion proj(context, entry.code);
  if (!proj.ready()) {
    result.failure = "PROJ has no conversion from the base CRS";
    return result;
  }

  // The Cassini-Soldner of EPSG and PROJ is itself a series; the series' error is
  // measured against the exact projection, by geodesics, on the record's ellipsoid.
  const bool cassini = definition->projection == CASSINI_SOLDNER;
  geod_geodesic g{};
  geod_init(&g, ellipsoid->a * 1000, 1 / ellipsoid->inverseFlattening);
  const auto exactCassiniGrid = [&](double longitude, double latitude) {
    const double phi0 = definition->originLatitude.decimalDegrees() / DEGPRAD;
    const double k0 = definition->scaleFactor;
    const auto xy = tools::exactCassini(g, (longitude - definition->originLongitude.decimalDegrees()) / DEGPRAD,
                                        latitude / DEGPRAD);
    return std::array<double, 2>{definition->xShift * 1000 + k0 * xy[0],
                                 definition->yShift * 1000 + k0 * (xy[1] - tools::meridianArc(g, phi0))};
  };

  const GeographicBounds& b = entry.bounds;
  const double east = b.east < b.west ? b.east + 360 : b.east;  // across the antimeridian
  const double centralMeridian = definition->originLongitude.decimalDegrees();
  for (int i = 0; i < 5; ++i) {
    for (int j = 0; j < 4; ++j) {
      // Velqora takes the longitude within half a turn of the origin's, as a surveyor
      // of the grid types it; it does not fold the difference itself.
      const double longitude = near(b.west + (east - b.west) * i / 4, centralMeridian);
      const double latitude = b.south + (b.north - b.south) * j / 3;
      const auto ours = grid ? convertToGrid(*grid, longitude, latitude) : grid.reason();
      if (!ours) {
        ++result.refused;
        continue;
      }
      const auto theirs = cassini ? exactCassiniGrid(longitude, latitude) : proj.metres(near(longitude, 0), latitude);
      if (theirs[0] == HUGE_VAL) {
        ++result.refusedByProj;
        continue;
      }
      ++result.compared;
      const double distance = std::hypot(ours->x * 1000 - theirs[0], ours->y * 1000 - theirs[1]);
      result.worstMetres = std::max(result.worstMetres, distance);
    }
  }
  return result;
}

}  // namespace velqora::epsg
