#pragma once

#include <windows.h>

namespace velqora {

class FileConversionRun;

// The modal progress dialog of a file conversion on its worker thread, over the owner
// window: the share of the input read, and Cancel. Returns when the run has ended.
// Cancel, Escape and closing the dialog ask the run to stop and wait for it; the
// window takes no input meanwhile.
void runConvertProgress(HWND owner, FileConversionRun& run);

}  // namespace velqora
