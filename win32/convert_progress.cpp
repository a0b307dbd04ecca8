#include "win32/convert_progress.h"

#include <commctrl.h>

#include <cmath>
#include <stdexcept>
#include <string>

#include "win32/dpi.h"
#include "win32/gdi_handles.h"
#include "win32/wide_text.h"
#include "win32/window_font.h"
#include "window/convert_dialog.h"
#include "window/convert_file.h"
#include "window/layout.h"

namespace velqora {

namespace {

constexpr const wchar_t* CLASS_NAME = L"VelqoraConvertProgress";
constexpr DWORD DIALOG_STYLE = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD DIALOG_EX_STYLE = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
constexpr int LABEL_ID = 100;
constexpr int BAR_ID = 101;
constexpr UINT_PTR POLL_TIMER = 1;

class ProgressWindow {
 public:
  ProgressWindow(HWND owner, FileConversionRun& run);
  ~ProgressWindow();
  ProgressWindow(const ProgressWindow&) = delete;
  ProgressWindow& operator=(const ProgressWindow&) = delete;

  void run();

 private:
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  HWND child(const wchar_t* className, const std::wstring& text, DWORD style, int id, const ConvertDialogBox& box);
  void look();
  void cancel();

  HWND owner_;
  FileConversionRun& run_;
  UINT dpi_;
  HWND window_ = nullptr;
  HWND bar_ = nullptr;
  HWND cancel_ = nullptr;
  FontHandle font_;
  bool done_ = false;
};

void registerProgressClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(instance, CLASS_NAME, &existing)) return;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_3DFACE + 1));
  windowClass.lpszClassName = CLASS_NAME;
  if (RegisterClassExW(&windowClass) == 0) throw std::runtime_error("cannot register the progress dialog's class");
}

ProgressWindow::ProgressWindow(HWND owner, FileConversionRun& run)
    : owner_(owner), run_(run), dpi_(dpiOfWindow(owner)), font_(makeWindowFont(dpi_, FW_NORMAL)) {
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE));
  registerProgressClass(instance, &ProgressWindow::procedure);
  const ConvertProgressLayout& layout = CONVERT_PROGRESS_LAYOUT;
  const SIZE outer = outerSizeForClient(SIZE{unitsToPixels(layout.width, dpi_), unitsToPixels(layout.height, dpi_)},
                                        DIALOG_STYLE, DIALOG_EX_STYLE, dpi_);
  RECT ownerFrame{};
  GetWindowRect(owner, &ownerFrame);
  const int x = (ownerFrame.left + ownerFrame.right - outer.cx) / 2;
  const int y = (ownerFrame.top + ownerFrame.bottom - outer.cy) / 2;
  CreateWindowExW(DIALOG_EX_STYLE, CLASS_NAME, toWide(CONVERT_DIALOG_TITLE).c_str(), DIALOG_STYLE, x, y, outer.cx,
                  outer.cy, owner, nullptr, instance, this);
  if (window_ == nullptr) throw std::runtime_error("cannot create the progress dialog");
  child(WC_STATICW, toWide(convertingText(run.choices().input)), SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_ENDELLIPSIS,
        LABEL_ID, layout.label);
  bar_ = child(PROGRESS_CLASSW, L"", PBS_SMOOTH, BAR_ID, layout.bar);
  SendMessageW(bar_, PBM_SETRANGE32, 0, CONVERT_PROGRESS_STEPS);
  cancel_ = child(WC_BUTTONW, toWide(CONVERT_CANCEL), WS_TABSTOP | BS_DEFPUSHBUTTON, IDCANCEL, layout.cancel);
}

ProgressWindow::~ProgressWindow() {
  if (window_ != nullptr) DestroyWindow(window_);
}

HWND ProgressWindow::child(const wchar_t* className, const std::wstring& text, DWORD style, int id,
                           const ConvertDialogBox& box) {
  const auto px = [this](int units) { return unitsToPixels(units, dpi_); };
  const int x = px(box.x);
  const int y = px(box.y);
  const HWND control = CreateWindowExW(0, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, x, y,
                                       px(box.x + box.w) - x, px(box.y + box.h) - y, window_,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  if (control == nullptr) throw std::runtime_error("cannot create a control of the progress dialog");
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  return control;
}

void ProgressWindow::run() {
  EnableWindow(owner_, FALSE);
  ShowWindow(window_, SW_SHOW);
  SetFocus(cancel_);
  SetTimer(window_, POLL_TIMER, CONVERT_PROGRESS_POLL_MS, nullptr);
  look();
  MSG message{};
  while (!done_) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      // The program is asked to end: the run stops, and the main loop must see that too.
      if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
      run_.cancel();
      break;
    }
    if (IsDialogMessageW(window_, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  KillTimer(window_, POLL_TIMER);
  // The owner is enabled again before the dialog goes, so Windows activates it.
  EnableWindow(owner_, TRUE);
  ShowWindow(window_, SW_HIDE);
}

LRESULT CALLBACK ProgressWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* creator = static_cast<ProgressWindow*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
    creator->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creator));
  }
  auto* self = reinterpret_cast<ProgressWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  return self->handleMessage(message, wParam, lParam);
}

LRESULT ProgressWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      if (wParam == POLL_TIMER) look();
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL) cancel();
      return 0;
    case WM_CLOSE:
      cancel();
      return 0;
    case WM_NCDESTROY: {
      const HWND window = window_;
      window_ = nullptr;
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      return DefWindowProcW(window, message, wParam, lParam);
    }
    default:
      break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

void ProgressWindow::look() {
  if (run_.finished()) {
    done_ = true;
    return;
  }
  if (const auto share = run_.progress())
    SendMessageW(bar_, PBM_SETPOS, static_cast<WPARAM>(std::floor(*share * CONVERT_PROGRESS_STEPS)), 0);
}

// The run stops at its next progress report; the dialog stays until it has.
void ProgressWindow::cancel() {
  run_.cancel();
  SetWindowTextW(cancel_, toWide(CONVERT_CANCELLING).c_str());
  EnableWindow(cancel_, FALSE);
}

}  // namespace

void runConvertProgress(HWND owner, FileConversionRun& run) {
  ProgressWindow dialog(owner, run);
  dialog.run();
}

}  // namespace velqora
