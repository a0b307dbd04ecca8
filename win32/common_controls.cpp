#include "win32/common_controls.h"

#include <windows.h>

#include <commctrl.h>

namespace velqora {

void initCommonControls() {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS;
  InitCommonControlsEx(&controls);
}

}  // namespace velqora
