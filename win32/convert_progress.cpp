#include "win32/convert_progress.h"

#include <commctrl.h>

#include <cmath>

#include "win32/modal_dialog.h"
#include "win32/wide_text.h"
#include "window/convert_dialog.h"
#include "window/convert_file.h"

namespace velqora {

namespace {

constexpr int LABEL_ID = 100;
constexpr int BAR_ID = 101;
constexpr UINT_PTR POLL_TIMER = 1;

class ProgressWindow final : public ModalDialog {
 public:
  ProgressWindow(HWND owner, FileConversionRun& run);

  void run();

 private:
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void look();
  void cancel();

  FileConversionRun& run_;
  HWND bar_ = nullptr;
  HWND cancel_ = nullptr;
};

ProgressWindow::ProgressWindow(HWND owner, FileConversionRun& run)
    : ModalDialog(owner, CONVERT_DIALOG_TITLE, CONVERT_PROGRESS_LAYOUT.width, CONVERT_PROGRESS_LAYOUT.height),
      run_(run) {
  const ConvertProgressLayout& layout = CONVERT_PROGRESS_LAYOUT;
  child(WC_STATICW, toWide(convertingText(run.choices().input)), SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_ENDELLIPSIS, 0,
        LABEL_ID, layout.label);
  bar_ = child(PROGRESS_CLASSW, L"", PBS_SMOOTH, 0, BAR_ID, layout.bar);
  SendMessageW(bar_, PBM_SETRANGE32, 0, CONVERT_PROGRESS_STEPS);
  cancel_ = child(WC_BUTTONW, toWide(CONVERT_CANCEL), WS_TABSTOP | BS_DEFPUSHBUTTON, 0, IDCANCEL, layout.cancel);
}

void ProgressWindow::run() {
  SetTimer(handle(), POLL_TIMER, CONVERT_PROGRESS_POLL_MS, nullptr);
  look();
  runModal(cancel_);
  KillTimer(handle(), POLL_TIMER);
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
    default:
      return ModalDialog::handleMessage(message, wParam, lParam);
  }
}

void ProgressWindow::look() {
  if (run_.finished()) return end();
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
