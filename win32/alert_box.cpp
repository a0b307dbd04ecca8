#include "win32/alert_box.h"

#include "win32/wide_text.h"

namespace velqora {

void showAlert(HWND owner, const std::string& message) {
  MessageBoxW(owner, toWide(message).c_str(), L"ALERT", MB_OK | MB_ICONEXCLAMATION);
}

void showFatalError(HWND owner, const std::string& message) {
  MessageBoxW(owner, toWide(message).c_str(), L"Velqora", MB_OK | MB_ICONERROR);
}

std::string currentFolder() {
  std::wstring folder(GetCurrentDirectoryW(0, nullptr), L'\0');
  folder.resize(GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data()));
  return toUtf8(folder);
}

}  // namespace velqora
