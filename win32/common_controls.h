#pragma once

#include <windows.h>

namespace velqora {

// Registers the standard control classes of Common Controls 6 (the manifest asks for
// that version).
void initCommonControls();

// A window class of the program, registered by the first window of its kind, with the
// arrow cursor; `what` names it in the exception thrown when Windows refuses it.
void registerClassOnce(WNDCLASSEXW windowClass, const char* what);

}  // namespace velqora
