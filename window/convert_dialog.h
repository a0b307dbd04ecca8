#pragma once

#include <array>
#include <string>
#include <string_view>

#include "window/convert_file.h"
#include "window/layout.h"

namespace velqora {

// The dialogs of File > "Convert a file…", toolkit-free: their texts and layouts, and
// how the output's name follows the input's. The choices dialog asks for the input file
// (the system's open dialog), the direction, "Include derived values" and the output
// file (the system's save dialog); then a progress bar with Cancel; then the summary.
inline constexpr std::string_view CONVERT_DIALOG_TITLE = "Convert a file";
inline constexpr std::string_view CONVERT_INPUT_LABEL = "&Input file:";
inline constexpr std::string_view CONVERT_DIRECTION_LABEL = "Direction:";
inline constexpr std::string_view CONVERT_DERIVED = "Include derived values";
inline constexpr std::string_view CONVERT_OUTPUT_LABEL = "&Output file:";
inline constexpr std::string_view CONVERT_BROWSE = "Browse…";
inline constexpr std::string_view CONVERT_OK = "Convert";
inline constexpr std::string_view CONVERT_CANCEL = "Cancel";
inline constexpr std::string_view CONVERT_CANCELLING = "Cancelling…";
// The titles of the system's file dialogs, and the files they list.
inline constexpr std::string_view CONVERT_OPEN_TITLE = "The file of points to convert";
inline constexpr std::string_view CONVERT_SAVE_TITLE = "The converted points into";
inline constexpr std::string_view CONVERT_FILE_KINDS = "Text and CSV files";
inline constexpr std::string_view CONVERT_FILE_PATTERNS = "*.txt *.csv *.tsv *.dat";
inline constexpr std::string_view CONVERT_ALL_FILES = "All files";
// The choices dialog stays open with one of these until both files are named.
inline constexpr std::string_view CONVERT_NO_INPUT = "Please choose the file to convert.";
inline constexpr std::string_view CONVERT_NO_OUTPUT = "Please name the output file.";

struct ConvertDirection {
  FileDirection direction;
  std::string_view text;
};
inline constexpr std::array<ConvertDirection, 3> CONVERT_DIRECTIONS{{
    {FileDirection::decimal, "Geographic to grid (decimal)"},
    {FileDirection::sexagesimal, "Geographic to grid (sexagesimal)"},
    {FileDirection::inverse, "Grid to geographic"},
}};

// The controls in layout units (window/layout.h), in the dialog's client area and in
// their focus order.
struct ConvertDialogLayout {
  UnitBox inputLabel{9, 9, 400, 17};
  UnitBox input{9, 29, 400, 23};
  UnitBox inputBrowse{415, 28, 96, 26};
  UnitBox directionLabel{9, 62, 400, 17};
  std::array<UnitBox, 3> directions{{{21, 82, 400, 20}, {21, 104, 400, 20}, {21, 126, 400, 20}}};
  UnitBox derived{9, 156, 400, 20};
  UnitBox outputLabel{9, 186, 400, 17};
  UnitBox output{9, 206, 400, 23};
  UnitBox outputBrowse{415, 205, 96, 26};
  UnitBox ok{325, 246, 90, 26};
  UnitBox cancel{421, 246, 90, 26};
  int width = 520;
  int height = 281;
};
inline constexpr ConvertDialogLayout CONVERT_LAYOUT{};

// The progress dialog: what it converts, the bar, Cancel.
struct ConvertProgressLayout {
  UnitBox label{9, 9, 402, 17};
  UnitBox bar{9, 32, 402, 22};
  UnitBox cancel{321, 66, 90, 26};
  int width = 420;
  int height = 101;
};
inline constexpr ConvertProgressLayout CONVERT_PROGRESS_LAYOUT{};
// The steps of the bar, and how often the dialog looks at the run (ms).
inline constexpr int CONVERT_PROGRESS_STEPS = 1000;
inline constexpr int CONVERT_PROGRESS_POLL_MS = 50;

// "Converting points.csv…", the progress dialog's line.
[[nodiscard]] std::string convertingText(const std::string& input);

// The output a new input proposes: the input's name with "-converted" before its
// extension, in the same folder ("C:\survey\points.csv" -> "C:\survey\points-converted.csv",
// "points" -> "points-converted").
[[nodiscard]] std::string defaultOutputName(const std::string& input);

// The output once the input has changed from `before` to `after`: the new input's
// default while the output is empty or still the old input's default; else the output
// the user named stays.
[[nodiscard]] std::string outputAfterInputChange(const std::string& before, const std::string& after,
                                                 const std::string& output);

// Why the choices cannot run yet (CONVERT_NO_INPUT, CONVERT_NO_OUTPUT), or empty.
[[nodiscard]] std::string_view missingChoice(const FileConversionChoices& choices);

// The file's name without its folder.
[[nodiscard]] std::string fileNameOf(const std::string& path);

}  // namespace velqora
