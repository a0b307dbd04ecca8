#pragma once

// The records the window's commands share, each overwritten from the fields by every
// command that uses it, so that the fields stay the lasting record of the state. They
// live as long as the window and belong to its one thread.

#include <array>

#include "geodesy/grid_definition.h"

namespace velqora {

// The ellipsoid: a (km), b (km), inverse flattening, inverse eccentricity, read from
// EDIT1 to EDIT4 and completed by EARTHCUL; before that a value not greater than 0
// stands for "not given".
inline std::array<double, 4> EARTH{};

// The grid-group record as GRIDDGET reads it (layout in geodesy/grid_definition.h).
inline GridRecord GRID{};

// The projection code: the selected position of the projection list COMBO4.
inline int PRJKIND = 0;

// The point record of the three conversion commands: 0-2 longitude degrees,
// arc-minutes, arc-seconds; 3-5 the same for the latitude; 6 longitude and
// 7 latitude in decimal degrees; 8 grid X and 9 grid Y in km.
inline std::array<double, 10> POINT{};

// GRID and PRJKIND as a definition.
[[nodiscard]] inline GridDefinition currentGrid() { return gridOfRecord(GRID, PRJKIND); }

}  // namespace velqora
