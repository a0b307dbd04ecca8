#include "win32/convert_dialog.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <array>
#include <string>

#include "win32/modal_dialog.h"
#include "win32/wide_text.h"
#include "window/convert_dialog.h"
#include "window/layout.h"

namespace velqora {

namespace {

// Control identifiers; Convert and Cancel are the dialog manager's IDOK and IDCANCEL,
// which Enter and Escape send.
constexpr int INPUT_ID = 100;
constexpr int INPUT_BROWSE_ID = 101;
constexpr int DIRECTION_ID = 110;  // plus the direction's position
constexpr int DERIVED_ID = 120;
constexpr int OUTPUT_ID = 130;
constexpr int OUTPUT_BROWSE_ID = 131;
constexpr int LABEL_ID = 140;

// The longest name the file dialogs return.
constexpr std::size_t PATH_ROOM = 32768;

std::wstring windowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// "Text and CSV files\0*.txt;*.csv\0All files\0*.*\0\0", as the file dialogs take it.
std::wstring fileFilter() {
  std::wstring patterns = toWide(CONVERT_FILE_PATTERNS);
  std::replace(patterns.begin(), patterns.end(), L' ', L';');
  std::wstring filter = toWide(CONVERT_FILE_KINDS);
  filter += L'\0' + patterns + L'\0' + toWide(CONVERT_ALL_FILES) + L'\0' + L"*.*" + L'\0';
  return filter;
}

class ConvertDialogWindow final : public ModalDialog {
 public:
  explicit ConvertDialogWindow(HWND owner);

  std::optional<FileConversionChoices> run();

 private:
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  void createControls();
  [[nodiscard]] FileConversionChoices choices() const;
  void browse(bool forInput);
  void inputChanged();
  void convert();

  HWND input_ = nullptr;
  HWND output_ = nullptr;
  std::array<HWND, CONVERT_DIRECTIONS.size()> directions_{};
  HWND derived_ = nullptr;
  std::string inputBefore_;  // the input the output last followed
  std::optional<FileConversionChoices> chosen_;
};

ConvertDialogWindow::ConvertDialogWindow(HWND owner)
    : ModalDialog(owner, CONVERT_DIALOG_TITLE, CONVERT_LAYOUT.width, CONVERT_LAYOUT.height) {
  createControls();
}

void ConvertDialogWindow::createControls() {
  const ConvertDialogLayout& layout = CONVERT_LAYOUT;
  // In focus order: the dialog manager's Tab order is the order of creation. A label's
  // Alt+letter moves the focus to the field created after it.
  child(WC_STATICW, toWide(CONVERT_INPUT_LABEL), SS_LEFTNOWORDWRAP, 0, LABEL_ID, layout.inputLabel);
  input_ = child(WC_EDITW, L"", WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, INPUT_ID, layout.input);
  child(WC_BUTTONW, toWide(CONVERT_BROWSE), WS_TABSTOP | BS_PUSHBUTTON, 0, INPUT_BROWSE_ID, layout.inputBrowse);
  child(WC_STATICW, toWide(CONVERT_DIRECTION_LABEL), SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0, LABEL_ID + 1,
        layout.directionLabel);
  // One group: Tab enters it at the checked button, the arrow keys move within it.
  for (std::size_t d = 0; d < CONVERT_DIRECTIONS.size(); ++d)
    directions_[d] =
        child(WC_BUTTONW, toWide(CONVERT_DIRECTIONS[d].text), BS_AUTORADIOBUTTON | (d == 0 ? WS_GROUP | WS_TABSTOP : 0),
              0, DIRECTION_ID + static_cast<int>(d), layout.directions[d]);
  SendMessageW(directions_[0], BM_SETCHECK, BST_CHECKED, 0);
  derived_ = child(WC_BUTTONW, toWide(CONVERT_DERIVED), WS_GROUP | WS_TABSTOP | BS_AUTOCHECKBOX, 0, DERIVED_ID,
                   layout.derived);
  child(WC_STATICW, toWide(CONVERT_OUTPUT_LABEL), WS_GROUP | SS_LEFTNOWORDWRAP, 0, LABEL_ID + 2, layout.outputLabel);
  output_ = child(WC_EDITW, L"", WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, OUTPUT_ID, layout.output);
  child(WC_BUTTONW, toWide(CONVERT_BROWSE), WS_TABSTOP | BS_PUSHBUTTON, 0, OUTPUT_BROWSE_ID, layout.outputBrowse);
  child(WC_BUTTONW, toWide(CONVERT_OK), WS_TABSTOP | BS_DEFPUSHBUTTON, 0, IDOK, layout.ok);
  child(WC_BUTTONW, toWide(CONVERT_CANCEL), WS_TABSTOP | BS_PUSHBUTTON, 0, IDCANCEL, layout.cancel);
}

std::optional<FileConversionChoices> ConvertDialogWindow::run() {
  runModal(input_);
  return chosen_;
}

LRESULT ConvertDialogWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_COMMAND) return ModalDialog::handleMessage(message, wParam, lParam);
  switch (LOWORD(wParam)) {
    case INPUT_ID:
      if (HIWORD(wParam) == EN_CHANGE) inputChanged();
      break;
    case INPUT_BROWSE_ID:
      browse(true);
      break;
    case OUTPUT_BROWSE_ID:
      browse(false);
      break;
    case IDOK:
      convert();
      break;
    case IDCANCEL:
      end();
      break;
    default:
      break;
  }
  return 0;
}

FileConversionChoices ConvertDialogWindow::choices() const {
  FileConversionChoices c;
  c.input = toUtf8(windowText(input_));
  c.output = toUtf8(windowText(output_));
  for (std::size_t d = 0; d < CONVERT_DIRECTIONS.size(); ++d)
    if (SendMessageW(directions_[d], BM_GETCHECK, 0, 0) == BST_CHECKED) c.direction = CONVERT_DIRECTIONS[d].direction;
  c.derived = SendMessageW(derived_, BM_GETCHECK, 0, 0) == BST_CHECKED;
  return c;
}

void ConvertDialogWindow::browse(bool forInput) {
  const HWND field = forInput ? input_ : output_;
  std::wstring file = windowText(field);
  file.resize(PATH_ROOM, L'\0');
  const std::wstring filter = fileFilter();
  const std::wstring title = toWide(forInput ? CONVERT_OPEN_TITLE : CONVERT_SAVE_TITLE);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = handle();
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrTitle = title.c_str();
  // The lists are read from the working folder, which the dialogs must leave as it is.
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST |
                 (forInput ? OFN_FILEMUSTEXIST : OFN_OVERWRITEPROMPT);
  const BOOL chosen = forInput ? GetOpenFileNameW(&dialog) : GetSaveFileNameW(&dialog);
  if (!chosen) return;
  file.resize(file.find(L'\0'));
  SetWindowTextW(field, file.c_str());
}

void ConvertDialogWindow::inputChanged() {
  const std::string input = toUtf8(windowText(input_));
  const std::string output = outputAfterInputChange(inputBefore_, input, toUtf8(windowText(output_)));
  SetWindowTextW(output_, toWide(output).c_str());
  inputBefore_ = input;
}

void ConvertDialogWindow::convert() {
  FileConversionChoices c = choices();
  if (const std::string_view missing = missingChoice(c); !missing.empty()) {
    MessageBoxW(handle(), toWide(missing).c_str(), L"ALERT", MB_OK | MB_ICONEXCLAMATION);
    SetFocus(missing == CONVERT_NO_INPUT ? input_ : output_);
    return;
  }
  chosen_ = std::move(c);
  end();
}

}  // namespace

std::optional<FileConversionChoices> runConvertDialog(HWND owner) {
  ConvertDialogWindow dialog(owner);
  return dialog.run();
}

}  // namespace velqora
