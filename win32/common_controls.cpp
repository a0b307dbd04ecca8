#include "win32/common_controls.h"

#include <windows.h>

#include <commctrl.h>

#include <stdexcept>
#include <string>

namespace velqora {

void initCommonControls() {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS;
  InitCommonControlsEx(&controls);
}

void registerClassOnce(WNDCLASSEXW windowClass, const char* what) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(windowClass.hInstance, windowClass.lpszClassName, &existing)) return;
  windowClass.cbSize = sizeof windowClass;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  if (RegisterClassExW(&windowClass) == 0) throw std::runtime_error(std::string("cannot register ") + what);
}

}  // namespace velqora
