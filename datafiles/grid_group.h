#pragma once

// A grid definition from texts: the texts of the window's origin fields, or a row of
// the grid-group table as picking it fills those fields. Both go through GRIDDGET's
// text-to-number steps and checks.
//
//   gridFromTexts(texts, code)     the definition, or the first bad text
//   gridGroupEntry(position)       a loaded grid group's name, texts and projection code
//   projectionOfKey(key)           the projection code a grid group's key selects

#include <array>
#include <optional>
#include <string>

#include "geodesy/grid_definition.h"
#include "geodesy/outcome.h"

namespace velqora {

// The texts of the origin fields, exactly as typed or shown.
struct GridFieldTexts {
  std::string longitudeDegrees;       // EDIT5; its first character "-" makes the whole angle west
  std::string longitudeMinutes;       // EDIT7
  std::string longitudeSeconds;       // EDIT9
  std::string latitudeDegrees;        // EDIT6; the same sign rule
  std::string latitudeMinutes;        // EDIT8
  std::string latitudeSeconds;        // EDIT10
  std::string xShift;                 // EDIT11, km
  std::string yShift;                 // EDIT12, km
  std::string scaleFactor;            // EDIT13
  std::string firstParallelDegrees;   // EDIT33, read for the two-parallel Lambert projection only
  std::string firstParallelMinutes;   // EDIT35
  std::string firstParallelSeconds;   // EDIT37
  std::string secondParallelDegrees;  // EDIT34
  std::string secondParallelMinutes;  // EDIT36
  std::string secondParallelSeconds;  // EDIT38
};

// The first text that fails, in the order of the checks.
enum class GridTextProblem {
  originLongitude,    // degrees empty or outside -180..180, or a part that is no number
                      // (beyond the double range, or not a number at all)
  originLatitude,     // degrees empty or outside -90..90, or a part that is no number
  emptyShiftOrScale,  // the X shift, Y shift or scale factor text is empty
  shiftNotANumber,    // a shift beyond the double range
  scaleFactor,        // not greater than 0, or no number
  firstParallel,      // degrees empty, "-" or "--", or a part that is no number
  secondParallel,
};

// The window's message: "Please set correct data." for the origin and the empty
// texts, "Please set a correct data." for the scale factor and the parallels.
[[nodiscard]] const char* refusalMessage(GridTextProblem problem);

// A refused text: the check it failed, and the text itself when it is not a number
// (isNumberText, geodesy/number_text.h).
struct GridTextRefusal {
  GridTextProblem problem;
  std::string notANumber;  // empty for the other checks
};

// "The text "0,9996" is not a number." for a text that is not one, else the check's
// message.
[[nodiscard]] std::string refusalMessage(const GridTextRefusal& refusal);

// GRIDDGET's steps on texts, and how far they got: record[0, read) holds the values
// read in GRID's layout, codeRead tells that the projection code was taken (the step
// before the parallels). GRIDDGET copies exactly that much into GRID and PRJKIND.
struct GridReading {
  std::array<double, 15> record{};
  int read = 0;
  bool codeRead = false;
  std::optional<GridTextRefusal> problem;
};
[[nodiscard]] GridReading readGridTexts(const GridFieldTexts& texts, int code);

// The grid of those texts with the projection code (the position in the projection
// list; 0 and unknown codes select no projection, which only a conversion refuses).
[[nodiscard]] Outcome<GridDefinition, GridTextRefusal> gridFromTexts(const GridFieldTexts& texts, int code);

// The projection code of a grid group's key: the first entry of the projection list,
// from position 1 on, whose key is byte for byte the same text; 0 ("no projection")
// when the key is missing, matches nothing, or matches only an unfilled position.
[[nodiscard]] int projectionOfKey(const std::string& key);

// A loaded grid group (GRPTAB row), its texts as the window shows them after picking it.
struct GridGroupEntry {
  std::string name;
  GridFieldTexts texts;
  int projection = 0;  // projectionOfKey of its key
};
[[nodiscard]] std::optional<GridGroupEntry> gridGroupEntry(int position);  // 0 .. GRPCOUNT - 1

}  // namespace velqora
