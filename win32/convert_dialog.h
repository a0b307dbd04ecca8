#pragma once

#include <windows.h>

#include <optional>

#include "window/convert_file.h"

namespace velqora {

// The modal dialog of File > "Convert a file…" (window/convert_dialog.h) over the owner
// window, at the owner's DPI: the input file through the system's open dialog, the
// direction, "Include derived values", the output through the save dialog, proposed
// beside the input as its name with "-converted". Returns the choices once both files
// are named and Convert is pressed; nothing when cancelled.
std::optional<FileConversionChoices> runConvertDialog(HWND owner);

}  // namespace velqora
