#pragma once

#include <array>

#include "geodesy/grid_definition.h"

namespace velqora {

// The grid-group record, as GRIDDGET reads it from the origin fields:
// 0-2 origin longitude (deg, arcmin, arcsec, all with the angle's sign),
// 3-5 origin latitude, 6 X shift (km), 7 Y shift (km), 8 scale factor,
// 9-11 first and 12-14 second standard parallel (two-parallel Lambert only).
inline std::array<double, 15> GRID{};

// The projection code: the selected position of the projection list COMBO4.
inline int PRJKIND = 0;

// The record as a definition.
[[nodiscard]] GridDefinition gridOfRecord(const std::array<double, 15>& record, int code);

// GRID and PRJKIND as a definition.
[[nodiscard]] inline GridDefinition currentGrid() { return gridOfRecord(GRID, PRJKIND); }

}  // namespace velqora
