#pragma once

#include <string_view>

#include "window/form.h"

namespace velqora {

// The window's title is "Velqora". A grid picked from the EPSG catalogue names itself
// there ("Velqora - EPSG:2154 RGF93 v1 / Lambert-93") for as long as the ellipsoid and
// grid fields hold what the pick put there: the user's pick in any list, "Calculate" or
// typing into one of those fields gives the plain title back. A conversion only reads
// them, so it keeps the title.
inline constexpr std::string_view WINDOW_TITLE = "Velqora";

// Whether typing into the field changes the ellipsoid or the grid (EDIT1 to EDIT13 and
// the standard parallels, EDIT33 to EDIT38).
[[nodiscard]] constexpr bool typingChangesGrid(Field field) {
  return (field >= EDIT1 && field <= EDIT13) || (field >= EDIT33 && field <= EDIT38);
}

// Whether pressing the button changes them: "Calculate" (BUTTON1) completes the ellipsoid.
[[nodiscard]] constexpr bool pressChangesGrid(int button) { return button == 1; }

}  // namespace velqora
