#pragma once

#include <optional>
#include <string>
#include <vector>

#include "datafiles/loaders.h"

namespace velqora {

class Form;

// The list files that start-up could not load, each with its report.
struct StartUpFailure {
  std::vector<LoadError> errors;
  // The reports on one line: "gridlist.txt: the file does not exist; earth-sz.txt: ...".
  [[nodiscard]] std::string report() const;
};

// Start-up after the window exists: the placeholder of COMBO2, then the projection,
// grid-system and ellipsoid lists from the current working directory, each showing
// its first entry. Every list is tried, so a failure names every file that did not load.
std::optional<StartUpFailure> startUp(Form& form);

// What the user is told when start-up fails: the files, the folder they were looked for
// in (on a line of its own) and what to do; on Windows the remedy names a shortcut's
// "Start in" folder.
[[nodiscard]] std::string startUpFailureMessage(const StartUpFailure& failure, const std::string& folder,
                                                bool onWindows);

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
