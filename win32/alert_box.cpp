#include "win32/alert_box.h"

#include "win32/wide_text.h"

namespace velqora {

namespace {

std::wstring currentFolder() {
  std::wstring folder(GetCurrentDirectoryW(0, nullptr), L'\0');
  folder.resize(GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data()));
  return folder;
}

}  // namespace

void showAlert(HWND owner, const std::string& message) {
  MessageBoxW(owner, toWide(message).c_str(), L"ALERT", MB_OK | MB_ICONEXCLAMATION);
}

void showFatalError(HWND owner, const std::string& report) {
  const std::wstring text = L"A data file could not be loaded, so Velqora cannot start.\n\n" + toWide(report) +
                            L"\n\nThe lists are read from the folder Velqora starts in: " + currentFolder();
  MessageBoxW(owner, text.c_str(), L"Velqora", MB_OK | MB_ICONERROR);
}

}  // namespace velqora
