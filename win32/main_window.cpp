#include "win32/main_window.h"

#include <commctrl.h>

#include <algorithm>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "win32/common_controls.h"
#include "win32/convert_dialog.h"
#include "win32/convert_progress.h"
#include "win32/dpi.h"
#include "win32/find_dialog.h"
#include "win32/wide_text.h"
#include "win32/window_font.h"
#include "win32/worker_thread.h"
#include "window/catalogue_pick.h"
#include "window/convert_dialog.h"
#include "window/convert_file.h"
#include "window/event_handlers.h"
#include "window/layout.h"
#include "window/window_title.h"

namespace velqora {

namespace {

constexpr const wchar_t* CLASS_NAME = L"VelqoraMainWindow";
// Title bar with system menu and minimize button; no maximize button, no sizing border.
constexpr DWORD WINDOW_STYLE = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD WINDOW_EX_STYLE = 0;

// Control identifiers by kind, clear of IDOK and IDCANCEL, which the dialog manager
// sends for Enter and Escape.
constexpr int FIELD_ID = 1000;
constexpr int LIST_ID = 1100;
constexpr int BUTTON_ID = 1200;
constexpr int LABEL_ID = 1300;
constexpr int MENU_ID = 2000;  // plus the command's value

// The frame around a drop-down list's open list, in pixels.
constexpr int LIST_FRAME = 2;
// A label at least this many lines high wraps its text.
constexpr double TWO_LINES = 1.75;

constexpr COLORREF WHITE = RGB(255, 255, 255);
constexpr COLORREF BLACK = RGB(0, 0, 0);

void registerWindowClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXW windowClass{};
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.lpszClassName = CLASS_NAME;
  // Icon 1 of the program's resources.
  windowClass.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
  windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                      GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  registerClassOnce(windowClass, "the window class");
}

HMENU controlId(int base, int number) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(base + number)); }

// The menu bar of the menu table; the window destroys it with itself.
HMENU makeMenuBar() {
  const HMENU bar = CreateMenu();
  for (const Menu& m : menuBar()) {
    const HMENU menu = CreatePopupMenu();
    for (const MenuItem& item : m.items) {
      std::wstring text = toWide(item.text);
      // Windows shows what follows a tab right-aligned, as the shortcut.
      if (item.ctrlKey != 0) text += L"\t" + toWide(shortcutText(item));
      AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(MENU_ID + static_cast<int>(item.command)), text.c_str());
    }
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(menu), toWide(m.title).c_str());
  }
  return bar;
}

// The menu items' shortcuts, as commands of the same identifiers.
HACCEL makeShortcuts() {
  std::vector<ACCEL> shortcuts;
  for (const Menu& m : menuBar())
    for (const MenuItem& item : m.items)
      if (item.ctrlKey != 0)
        shortcuts.push_back(ACCEL{FCONTROL | FVIRTKEY, static_cast<WORD>(item.ctrlKey),
                                  static_cast<WORD>(MENU_ID + static_cast<int>(item.command))});
  return shortcuts.empty() ? nullptr : CreateAcceleratorTableW(shortcuts.data(), static_cast<int>(shortcuts.size()));
}

// The folder of the running program, in UTF-8.
std::string programFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return ".";
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  const std::size_t slash = path.find_last_of(L"\\/");
  return toUtf8(slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash));
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance) : catalogue_(installedCatalogueFile(programFolder(), true)) {
  registerWindowClass(instance, &MainWindow::windowProcedure);
  // The window procedure sets window_ as the window is being created.
  CreateWindowExW(WINDOW_EX_STYLE, CLASS_NAME, toWide(WINDOW_TITLE).c_str(), WINDOW_STYLE, CW_USEDEFAULT, CW_USEDEFAULT,
                  CW_USEDEFAULT, CW_USEDEFAULT, nullptr, makeMenuBar(), instance, this);
  if (window_ == nullptr) throw std::runtime_error("cannot create the window");
  shortcuts_.reset(makeShortcuts());

  createControls(instance);
  form_ = std::make_unique<Win32Form>(window_, fields_, lists_);

  RECT frame{};
  GetWindowRect(window_, &frame);
  layOut(dpiOfWindow(window_), POINT{frame.left, frame.top});
  centreOnWorkArea();
}

MainWindow::~MainWindow() {
  if (window_ != nullptr) DestroyWindow(window_);
}

LRESULT CALLBACK MainWindow::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* creator = static_cast<MainWindow*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
    creator->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creator));
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  return self->handleMessage(message, wParam, lParam);
}

LRESULT MainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      onCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      const auto dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, BLACK);
      SetBkColor(dc, WHITE);
      return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    }
    case DM_GETDEFID: {
      // The dialog manager asks for the default button when Enter is pressed or the
      // focus moves: it is the focused button, so Enter presses that one.
      const HWND focus = GetFocus();
      for (int b = 1; b < static_cast<int>(buttons_.size()); ++b)
        if (focus != nullptr && focus == buttons_[b]) return MAKELRESULT(BUTTON_ID + b, DC_HASDEFID);
      return 0;
    }
    case WM_DPICHANGED: {
      const auto* suggested = reinterpret_cast<const RECT*>(lParam);
      layOut(LOWORD(wParam), POINT{suggested->left, suggested->top});
      return 0;
    }
    case WM_ACTIVATE:
      // The control that had the focus gets it back when the window is active again.
      if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus != nullptr && IsChild(window_, focus)) focusWhenInactive_ = focus;
      }
      break;
    case WM_SETFOCUS: {
      HWND target = focusWhenInactive_;
      if (target == nullptr || !IsWindow(target)) target = GetNextDlgTabItem(window_, nullptr, FALSE);
      if (target != nullptr) SetFocus(target);
      return 0;
    }
    case WM_NCDESTROY: {
      const HWND window = window_;
      window_ = nullptr;
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      return DefWindowProcW(window, message, wParam, lParam);
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

void MainWindow::createControls(HINSTANCE instance) {
  // In creation-list order: the dialog manager's Tab order is the order of creation.
  for (const Control& c : mainformControls()) {
    const std::wstring text = toWide(c.text);
    constexpr DWORD CHILD = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    switch (c.kind) {
      case ControlKind::Label:
        labels_.at(c.number) = CreateWindowExW(0, WC_STATICW, text.c_str(), CHILD | SS_LEFTNOWORDWRAP | SS_NOPREFIX,
                                               0, 0, 0, 0, window_, controlId(LABEL_ID, c.number), instance, nullptr);
        break;
      case ControlKind::Field: {
        const HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, WC_EDITW, text.c_str(),
                                          CHILD | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, 0, 0, 0, 0, window_,
                                          controlId(FIELD_ID, c.number), instance, nullptr);
        // Binds typing and pasting; the program's own writes (WM_SETTEXT) are never cut.
        if (edit != nullptr) SendMessageW(edit, EM_LIMITTEXT, static_cast<WPARAM>(c.typingLimit), 0);
        fields_.at(c.number) = edit;
        break;
      }
      case ControlKind::List:
        lists_.at(c.number) = CreateWindowExW(0, WC_COMBOBOXW, L"",
                                              CHILD | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_HASSTRINGS,
                                              0, 0, 0, 0, window_, controlId(LIST_ID, c.number), instance, nullptr);
        break;
      case ControlKind::Button:
        // BS_NOTIFY: the focused button shows that Enter presses it.
        buttons_.at(c.number) = CreateWindowExW(0, WC_BUTTONW, text.c_str(),
                                                CHILD | WS_TABSTOP | BS_PUSHBUTTON | BS_NOTIFY, 0, 0, 0, 0, window_,
                                                controlId(BUTTON_ID, c.number), instance, nullptr);
        break;
    }
  }
  for (const Control& c : mainformControls()) {
    const HWND created = control(c.name);
    if (created == nullptr) throw std::runtime_error("cannot create the control " + std::string(c.name));
    // Some label boxes reach a few units into the next field, past the end of their
    // text; the labels lie below the fields, so a field's frame shows whole. Labels take
    // no focus, so this leaves the Tab order as it is.
    if (c.kind == ControlKind::Label)
      SetWindowPos(created, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

void MainWindow::layOut(UINT dpi, POINT topLeft) {
  dpi_ = dpi;
  FontHandle font = makeWindowFont(dpi, FW_NORMAL);
  FontHandle boldFont = makeWindowFont(dpi, FW_BOLD);
  const auto px = [dpi](int units) { return unitsToPixels(units, dpi); };
  const int clientWidth = px(CLIENT_WIDTH_UNITS);

  const WindowDc dc(window_);
  const HGDIOBJ dcFont = SelectObject(dc.get(), font.get());
  for (const Control& c : mainformControls()) {
    const HFONT controlFont = c.bold ? boldFont.get() : font.get();
    const auto [x, y, width, height] = pixelBox(c, dpi, dpi);
    switch (c.kind) {
      case ControlKind::Label: {
        // Every label keeps its box: the layout's scale leaves room for its text.
        const HWND label = labels_.at(c.number);
        SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(controlFont), FALSE);
        SelectObject(dc.get(), controlFont);
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc.get(), &metrics);
        // The two labels laid out for two lines wrap their words.
        const DWORD type = height >= TWO_LINES * metrics.tmHeight ? SS_LEFT : SS_LEFTNOWORDWRAP;
        const auto style = static_cast<DWORD>(GetWindowLongW(label, GWL_STYLE));
        SetWindowLongW(label, GWL_STYLE, static_cast<LONG>((style & ~SS_TYPEMASK) | type));
        SetWindowPos(label, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        break;
      }
      case ControlKind::Field:
        SendMessageW(fields_.at(c.number), WM_SETFONT, reinterpret_cast<WPARAM>(controlFont), FALSE);
        SetWindowPos(fields_.at(c.number), nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        break;
      case ControlKind::List: {
        // The table gives the open list's height; the closed box is one line high and
        // its height follows the font.
        const HWND combo = lists_.at(c.number);
        SendMessageW(combo, WM_SETFONT, reinterpret_cast<WPARAM>(controlFont), FALSE);
        SetWindowPos(combo, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        RECT closed{};
        GetWindowRect(combo, &closed);
        const auto row = static_cast<int>(SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0));
        const int rows = row > 0 ? (height - (closed.bottom - closed.top) - LIST_FRAME) / row : 1;
        SendMessageW(combo, CB_SETMINVISIBLE, static_cast<WPARAM>(std::max(1, rows)), 0);
        break;
      }
      case ControlKind::Button:
        SendMessageW(buttons_.at(c.number), WM_SETFONT, reinterpret_cast<WPARAM>(controlFont), FALSE);
        SetWindowPos(buttons_.at(c.number), nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        break;
    }
  }
  SelectObject(dc.get(), dcFont);
  // The controls use the new fonts now; the old ones can go.
  font_ = std::move(font);
  boldFont_ = std::move(boldFont);
  if (form_) form_->widenOpenLists();

  const SIZE outer =
      outerSizeForClient(SIZE{clientWidth, px(CLIENT_HEIGHT_UNITS)}, WINDOW_STYLE, WINDOW_EX_STYLE, dpi, true);
  SetWindowPos(window_, nullptr, topLeft.x, topLeft.y, outer.cx, outer.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

HWND MainWindow::control(std::string_view name) const {
  const Control* c = findControl(name);
  if (c == nullptr) return nullptr;
  switch (c->kind) {
    case ControlKind::Label:
      return labels_.at(c->number);
    case ControlKind::Field:
      return fields_.at(c->number);
    case ControlKind::List:
      return lists_.at(c->number);
    case ControlKind::Button:
      return buttons_.at(c->number);
  }
  return nullptr;
}

void MainWindow::centreOnWorkArea() {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor)) return;
  RECT frame{};
  GetWindowRect(window_, &frame);
  const RECT& area = monitor.rcWork;
  // A window larger than the work area keeps its title bar on the screen.
  const LONG x = std::max(area.left, area.left + (area.right - area.left - (frame.right - frame.left)) / 2);
  const LONG y = std::max(area.top, area.top + (area.bottom - area.top - (frame.bottom - frame.top)) / 2);
  SetWindowPos(window_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::show(int showCommand) {
  ShowWindow(window_, showCommand);
  UpdateWindow(window_);
}

int MainWindow::runMessageLoop() {
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    // The menus' shortcuts, whichever control has the focus.
    if (window_ != nullptr && shortcuts_ && TranslateAcceleratorW(window_, shortcuts_.get(), &message)) continue;
    // Tab, Shift+Tab and Enter as in a dialog.
    if (window_ != nullptr && IsDialogMessageW(window_, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

void MainWindow::onCommand(int id, int code, HWND control) {
  if (control == nullptr && id > MENU_ID) {
    // A menu item (code 0) or its shortcut (code 1).
    carryOut(static_cast<MenuCommand>(id - MENU_ID));
  } else if (id > FIELD_ID && id <= FIELD_ID + FIELD_COUNT) {
    // The program's own writes send EN_CHANGE too; only the user's typing counts.
    if (code == EN_CHANGE && form_ && !form_->writing() && typingChangesGrid(static_cast<Field>(id - FIELD_ID)))
      plainTitle();
  } else if (id > BUTTON_ID && id < BUTTON_ID + static_cast<int>(buttons_.size())) {
    if (code == BN_CLICKED) {
      if (pressChangesGrid(id - BUTTON_ID)) plainTitle();
      runHandler(buttonPressHandler(id - BUTTON_ID));
    } else if (code == BN_SETFOCUS || code == BN_KILLFOCUS) {
      // The focused button is the default one: Enter presses it.
      const WPARAM style = code == BN_SETFOCUS ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
      SendMessageW(control, BM_SETSTYLE, style | BS_NOTIFY, TRUE);
    }
  } else if (id > LIST_ID && id <= LIST_ID + LIST_COUNT) {
    // Only the user changes a list through its own notifications; the program's
    // CB_SETCURSEL sends none.
    if (code == CBN_SELCHANGE || code == CBN_CLOSEUP) {
      const auto list = static_cast<List>(id - LIST_ID);
      if (form_ && form_->takeUserChange(list)) {
        plainTitle();
        runHandler(listChangeHandler(list));
      }
    }
  }
}

void MainWindow::carryOut(MenuCommand command) {
  switch (command) {
    case MenuCommand::Exit:
      PostMessageW(window_, WM_CLOSE, 0, 0);
      break;
    case MenuCommand::FindGrid:
      findGrid();
      break;
    case MenuCommand::ConvertFile:
      // A failure must not cross the message loop; it is reported as a handler's is.
      try {
        convertFile();
      } catch (const std::exception& e) {
        std::cerr << "velqora: Convert a file failed: " << e.what() << '\n';
        OutputDebugStringW(toWide(std::string("velqora: Convert a file failed: ") + e.what() + "\n").c_str());
      }
      break;
  }
}

const GridCatalogue* MainWindow::openGridCatalogue() { return catalogue_.open(*form_) ? &catalogue_ : nullptr; }

void MainWindow::findGrid() {
  const GridCatalogue* catalogue = openGridCatalogue();
  if (catalogue == nullptr) return;
  if (const CatalogueEntry* picked = runFindDialog(window_, *catalogue)) pickGrid(*picked);
}

void MainWindow::pickGrid(const CatalogueEntry& entry) {
  SetWindowTextW(window_, toWide(pickCatalogueEntry(*form_, entry)).c_str());
}

void MainWindow::convertFile() {
  const auto grid = fileConversionGrid(*form_);
  if (!grid) return;
  const auto choices = runConvertDialog(window_);
  if (!choices) return;
  FileConversionRun run(*grid, *choices);
  {
    const WorkerThread worker([&run] { run.work(); });
    runConvertProgress(window_, run);
    // Should the program be ending, the run stops and is waited for here.
    if (!run.finished()) run.cancel();
  }
  MessageBoxW(window_, toWide(summaryText(run.summary(), run.choices())).c_str(),
              toWide(CONVERT_DIALOG_TITLE).c_str(),
              MB_OK | (wholeSuccess(run.summary()) ? MB_ICONINFORMATION : MB_ICONWARNING));
}

void MainWindow::plainTitle() { SetWindowTextW(window_, toWide(WINDOW_TITLE).c_str()); }

std::string MainWindow::title() const {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window_)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window_, text.data(), static_cast<int>(text.size()))));
  return toUtf8(text);
}

// A handler's failure must not cross the message loop; it leaves the window as it is
// and is reported where a developer looks.
void MainWindow::runHandler(const BoundHandler& handler) {
  if (handler.run == nullptr) return;
  const std::string failure = runGuarded(handler, *form_);
  if (failure.empty()) return;
  std::cerr << "velqora: " << failure << '\n';
  OutputDebugStringW(toWide("velqora: " + failure + "\n").c_str());
}

}  // namespace velqora
