#include "win32/modal_dialog.h"

#include <stdexcept>

#include "win32/common_controls.h"
#include "win32/dpi.h"
#include "win32/wide_text.h"
#include "win32/window_font.h"

namespace velqora {

namespace {

constexpr const wchar_t* CLASS_NAME = L"VelqoraDialog";
constexpr DWORD DIALOG_STYLE = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD DIALOG_EX_STYLE = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

void registerDialogClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXW windowClass{};
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_3DFACE + 1));
  windowClass.lpszClassName = CLASS_NAME;
  registerClassOnce(windowClass, "the dialogs' class");
}

}  // namespace

ModalDialog::ModalDialog(HWND owner, std::string_view title, int width, int height)
    : owner_(owner), dpi_(dpiOfWindow(owner)), font_(makeWindowFont(dpi_, FW_NORMAL)) {
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE));
  registerDialogClass(instance, &ModalDialog::procedure);
  const SIZE outer = outerSizeForClient(SIZE{unitsToPixels(width, dpi_), unitsToPixels(height, dpi_)}, DIALOG_STYLE,
                                        DIALOG_EX_STYLE, dpi_);
  RECT ownerFrame{};
  GetWindowRect(owner, &ownerFrame);
  const int x = (ownerFrame.left + ownerFrame.right - outer.cx) / 2;
  const int y = (ownerFrame.top + ownerFrame.bottom - outer.cy) / 2;
  // The window procedure sets window_ as the window is being created; until the
  // constructor has run, this class's handleMessage takes the messages.
  CreateWindowExW(DIALOG_EX_STYLE, CLASS_NAME, toWide(title).c_str(), DIALOG_STYLE, x, y, outer.cx, outer.cy, owner,
                  nullptr, instance, this);
  if (window_ == nullptr) throw std::runtime_error("cannot create the dialog " + std::string(title));
}

ModalDialog::~ModalDialog() {
  if (window_ != nullptr) DestroyWindow(window_);
}

HWND ModalDialog::child(const wchar_t* className, const std::wstring& text, DWORD style, DWORD exStyle, int id,
                        const UnitBox& box) {
  const PixelBox p = pixelBox(box, dpi_);
  const HWND control =
      CreateWindowExW(exStyle, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, p.x, p.y, p.width, p.height,
                      window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  if (control == nullptr) throw std::runtime_error("cannot create a control of a dialog");
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  return control;
}

void ModalDialog::runModal(HWND focus) {
  EnableWindow(owner_, FALSE);
  ShowWindow(window_, SW_SHOW);
  SetFocus(focus);
  MSG message{};
  while (!done_) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      // The program is asked to end: the main loop must see that too.
      if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (IsDialogMessageW(window_, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  // The owner is enabled again before the dialog goes, so Windows activates it.
  EnableWindow(owner_, TRUE);
  ShowWindow(window_, SW_HIDE);
}

LRESULT ModalDialog::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    end();
    return 0;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

LRESULT CALLBACK ModalDialog::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* creator = static_cast<ModalDialog*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
    creator->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creator));
  }
  auto* self = reinterpret_cast<ModalDialog*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    self->window_ = nullptr;
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    return DefWindowProcW(window, message, wParam, lParam);
  }
  return self->handleMessage(message, wParam, lParam);
}

}  // namespace velqora
