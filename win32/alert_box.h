#pragma once

#include <windows.h>

#include <string>

namespace velqora {

// The modal "ALERT" box owned by the window: the message, one OK button, the
// exclamation icon. Returns when the user has closed it.
void showAlert(HWND owner, const std::string& message);

// The box that ends the program when a data file fails to load: the report and the
// folder the lists are read from.
void showFatalError(HWND owner, const std::string& report);

}  // namespace velqora
