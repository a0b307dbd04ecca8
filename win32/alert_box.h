#pragma once

#include <windows.h>

#include <string>

namespace velqora {

// The modal "ALERT" box owned by the window: the message, one OK button, the
// exclamation icon. Returns when the user has closed it.
void showAlert(HWND owner, const std::string& message);

// The box that ends the program when start-up could not load the lists: the message,
// one OK button, the error icon.
void showFatalError(HWND owner, const std::string& message);

// The current folder, where the lists are read from, in UTF-8.
[[nodiscard]] std::string currentFolder();

}  // namespace velqora
