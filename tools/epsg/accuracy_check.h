#pragma once

// How closely a catalogue grid, converted as the window converts it, agrees with PROJ:
// 20 points spread over the grid's area of use (a 5 x 4 lattice, edges included)
// converted by Velqora's forward conversion, the ellipsoid and grid read from the
// record's texts as the window reads its fields, and by PROJ from the CRS's own
// geographic base CRS to the CRS (the same datum, so no datum shift), PROJ's
// coordinates turned into metres and into easting, northing order. A Cassini-Soldner
// grid is compared with the exact projection by geodesics instead, since PROJ's, like
// ours, is a series.

#include <proj.h>

#include <optional>
#include <string>

#include "datafiles/epsg_catalogue.h"

namespace velqora::epsg {

// The points of a grid's area of use it is checked at.
inline constexpr int CHECK_POINTS = 20;

struct GridAccuracy {
  double worstMetres = 0;  // the largest distance between the two positions of a point
  int compared = 0;        // points both converted
  int refused = 0;         // points Velqora refuses to convert: not differences
  int refusedByProj = 0;   // points PROJ gives no coordinates for
  std::string failure;     // why the grid could not be checked at all; empty if it was
};

[[nodiscard]] GridAccuracy checkGrid(PJ_CONTEXT* context, const CatalogueEntry& entry);

// The figure a record carries for a series projection's worst difference: above 1 cm,
// rounded up to two significant digits so that it never understates; none otherwise.
[[nodiscard]] std::optional<double> seriesErrorFigure(double worstMetres);

}  // namespace velqora::epsg
