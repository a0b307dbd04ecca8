// Velqora: converts a point between geographic coordinates on an ellipsoid and the
// rectangular coordinates of a map grid. Reads its lists from the working directory.

#include <windows.h>

#include <exception>
#include <iostream>

#include "win32/alert_box.h"
#include "win32/common_controls.h"
#include "win32/main_window.h"
#include "win32/wide_text.h"
#include "window/handlers.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  velqora::initCommonControls();
  try {
    velqora::MainWindow window(instance);
    // The lists are loaded once the window and all its controls exist.
    if (const auto failure = velqora::startUp(window.form())) {
      const std::string folder = velqora::currentFolder();
      std::cerr << "velqora: " << failure->report() << " (in " << folder << ")\n";
      velqora::showFatalError(window.handle(), velqora::startUpFailureMessage(*failure, folder, true));
      return 1;
    }
    window.show(showCommand);
    return window.runMessageLoop();
  } catch (const std::exception& e) {
    MessageBoxW(nullptr, velqora::toWide(e.what()).c_str(), L"Velqora", MB_OK | MB_ICONERROR);
    return 1;
  }
}
