#pragma once

#include <windows.h>

#include "win32/gdi_handles.h"

namespace velqora {

// Arial 11 pt at that DPI, the font of the window and its dialogs, in that weight
// (FW_NORMAL, FW_BOLD). Should Windows refuse it, the controls keep the system font (a
// null font).
[[nodiscard]] FontHandle makeWindowFont(UINT dpi, int weight);

}  // namespace velqora
