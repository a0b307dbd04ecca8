#pragma once

#include <optional>

#include "datafiles/loaders.h"

namespace velqora {

class Form;

// Start-up after the window exists: the placeholder of COMBO2, then the projection,
// grid-system and ellipsoid lists from the current working directory, each showing
// its first entry. Returns the report of a data file that failed to load.
std::optional<LoadError> startUp(Form& form);

// The seven event handlers of the window.
void BUTTON1_ON(Form& form);     // "Calculate": completes the ellipsoid
void BUTTON2_ON(Form& form);     // geographic to grid, decimal degrees
void BUTTON3_ON(Form& form);     // geographic to grid, degrees, arc-minutes, arc-seconds
void BUTTON4_ON(Form& form);     // grid to geographic
void COMBO1_CHANGE(Form& form);  // an ellipsoid picked
void COMBO2_CHANGE(Form& form);  // a grid group picked
void COMBO3_CHANGE(Form& form);  // a grid system picked

// COMBO2's entry while no grid-group file is loaded.
inline constexpr const char* GRID_GROUP_PLACEHOLDER =
    "----------------------------------------^^^Select a Grid-group^^^--------";

}  // namespace velqora
