#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "win32/gdi_handles.h"
#include "window/layout.h"

namespace velqora {

// A modal dialog of the program's own over its owner window: centred over it, at its
// DPI, in the window's font, with the dialog manager's keys (Tab between the controls,
// Enter for the default button, Escape for IDCANCEL). The Find and Convert dialogs and
// the progress dialog build on it: they create their controls with child() and take
// their messages in handleMessage(); runModal() returns once they call end().
class ModalDialog {
 public:
  ModalDialog(const ModalDialog&) = delete;
  ModalDialog& operator=(const ModalDialog&) = delete;

 protected:
  // A client area of width × height layout units.
  ModalDialog(HWND owner, std::string_view title, int width, int height);
  virtual ~ModalDialog();

  // A control in its box, in the dialog's font.
  HWND child(const wchar_t* className, const std::wstring& text, DWORD style, DWORD exStyle, int id,
             const UnitBox& box);

  // Shows the dialog with the owner disabled and the focus on `focus`, and carries out
  // messages until end(). Should the program be asked to end meanwhile, the main
  // message loop is told again and this returns.
  void runModal(HWND focus);
  void end() { done_ = true; }

  // The dialog's messages; those it leaves go to DefWindowProcW. Closing the dialog
  // ends it unless the dialog says otherwise.
  virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  [[nodiscard]] HWND handle() const { return window_; }
  [[nodiscard]] UINT dpi() const { return dpi_; }

 private:
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND owner_;
  UINT dpi_;
  FontHandle font_;
  HWND window_ = nullptr;
  bool done_ = false;
};

}  // namespace velqora
