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
  // Open the list, bring the entry into view and click it, as the user does.
  SetFocus(list);
  SendMessageW(list, CB_SHOWDROPDOWN, TRUE, 0);
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  GetComboBoxInfo(list, &info);
  const HWND open = info.hwndList;
  SendMessageW(open, LB_SETTOPINDEX, static_cast<WPARAM>(position), 0);
  RECT item{};
  SendMessageW(open, LB_GETITEMRECT, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&item));
  const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
  SendMessageW(open, WM_MOUSEMOVE, 0, at);
  SendMessageW(open, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(open, WM_LBUTTONUP, 0, at);

  // Should the click miss, the list closes and the pick arrives as the notification
  // the control sends for it.
  if (SendMessageW(list, CB_GETDROPPEDSTATE, 0, 0) != 0) SendMessageW(list, CB_SHOWDROPDOWN, FALSE, 0);
  if (SendMessageW(list, CB_GETCURSEL, 0, 0) != position) {
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
    const auto id = static_cast<WORD>(GetDlgCtrlID(list));
    SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
  }
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
