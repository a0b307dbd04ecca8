#pragma once

#include <array>
#include <initializer_list>

#include "window/form.h"

namespace velqora {

// The point record shared by the three conversion commands: 0-2 longitude degrees,
// arc-minutes, arc-seconds; 3-5 the same for the latitude; 6 longitude and
// 7 latitude in decimal degrees; 8 grid X and 9 grid Y in km.
inline std::array<double, 10> POINT{};

// The origin of the grid group and the standard parallels, ready for the dispatcher.
struct Origin {
  double lambda0 = 0;  // origin longitude, decimal degrees
  double phi0 = 0;     // origin latitude, radians
  double phi1 = 0;     // standard parallels, radians (two-parallel Lambert only)
  double phi2 = 0;
};

// The start of every conversion: the ellipsoid fields into EARTH (completed by
// EARTHCUL when one is empty, refused when they describe no usable ellipsoid),
// then GRIDDGET. False when the command must end; a message has been shown.
[[nodiscard]] bool commandPreamble(Form& form);

// The origin and parallels from GRID, in the units the dispatcher takes.
[[nodiscard]] Origin originOfGrid();

// The dispatcher runs only for a projection code of the list; otherwise this shows
// "Please select a projection.", empties the given fields and returns false.
[[nodiscard]] bool projectionSelected(Form& form, std::initializer_list<Field> computed);

// The answer to a point outside what the projection can convert (or any value
// that is not a number): one message, and the fields of computed values emptied.
void refuseOutsidePoint(Form& form, std::initializer_list<Field> computed);

void emptyFields(Form& form, std::initializer_list<Field> fields);

// The end of both forward commands, once the typed point is echoed: the projection
// check, the origin, PRJSL into the point record, X and Y shown, DEGFACT.
void projectToGrid(Form& form, double lambda, double phiDegrees);

// The fields each command fills with computed values.
inline constexpr std::initializer_list<Field> FORWARD_RESULTS = {EDIT22, EDIT23, EDIT24, EDIT25, EDIT26, EDIT27,
                                                                 EDIT28, EDIT29, EDIT30, EDIT31, EDIT32};
inline constexpr std::initializer_list<Field> INVERSE_RESULTS = {
    EDIT14, EDIT15, EDIT16, EDIT17, EDIT18, EDIT19, EDIT20, EDIT21, EDIT24,
    EDIT25, EDIT26, EDIT27, EDIT28, EDIT29, EDIT30, EDIT31, EDIT32};

}  // namespace velqora
