#pragma once

#include <windows.h>

namespace velqora {

// The logical DPI of the window: its monitor's where Windows tells it (Windows 10 1607
// and later), the system's before.
[[nodiscard]] UINT dpiOfWindow(HWND window);

// The outer size of a window of that style, with a one-line menu bar or without, whose
// client area has the given size.
[[nodiscard]] SIZE outerSizeForClient(SIZE client, DWORD style, DWORD exStyle, UINT dpi, bool withMenu = false);

}  // namespace velqora
