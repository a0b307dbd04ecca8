#include "win32/user_input.h"

namespace velqora {

void typeAsUser(HWND field, std::wstring_view text) {
  SetFocus(field);
  SendMessageW(field, EM_SETSEL, 0, -1);
  SendMessageW(field, WM_CLEAR, 0, 0);
  // Characters arrive as typed ones, so EM_LIMITTEXT stops them at the typing limit.
  for (const wchar_t unit : text) SendMessageW(field, WM_CHAR, static_cast<WPARAM>(unit), 1);
}

void pickAsUser(HWND list, int position) {
  SetFocus(list);
  SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
  const auto id = static_cast<WORD>(GetDlgCtrlID(list));
  SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

void pressAsUser(HWND button) { SendMessageW(button, BM_CLICK, 0, 0); }

void processPendingMessages() {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace velqora
