#pragma once

#include <array>

namespace velqora {

class Form;

// The grid-group record, read from the origin fields by GRIDDGET:
// 0-2 origin longitude (deg, arcmin, arcsec, all with the angle's sign),
// 3-5 origin latitude, 6 X shift (km), 7 Y shift (km), 8 scale factor,
// 9-11 first and 12-14 second standard parallel (two-parallel Lambert only).
inline std::array<double, 15> GRID{};

// The projection code: the selected position of the projection list COMBO4.
inline int PRJKIND = 0;

// Checks the origin, shift, scale and parallel fields and stores them in GRID and
// PRJKIND; shows a message and sets status to 0 on the first bad field.
void GRIDDGET(Form& form, int& status);

}  // namespace velqora
