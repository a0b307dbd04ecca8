#include "win32/find_dialog.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>
#include <string>

#include "win32/dpi.h"
#include "win32/gdi_handles.h"
#include "win32/wide_text.h"
#include "win32/window_font.h"
#include "window/find_dialog.h"
#include "window/layout.h"

namespace velqora {

namespace {

constexpr const wchar_t* CLASS_NAME = L"VelqoraFindDialog";
constexpr DWORD DIALOG_STYLE = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD DIALOG_EX_STYLE = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

// Control identifiers; OK and Cancel are the dialog manager's own, which Enter and
// Escape send.
constexpr int PROMPT_ID = 100;
constexpr int SEARCH_ID = 101;
constexpr int LIST_ID = 102;
constexpr int SERIES_ERROR_ID = 103;

class FindDialogWindow {
 public:
  FindDialogWindow(HWND owner, const GridCatalogue& catalogue);
  ~FindDialogWindow();
  FindDialogWindow(const FindDialogWindow&) = delete;
  FindDialogWindow& operator=(const FindDialogWindow&) = delete;

  const CatalogueEntry* run();

 private:
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK searchFieldProcedure(HWND field, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                               DWORD_PTR self);
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT onNotify(const NMHDR& header, LPARAM lParam);

  HWND child(const wchar_t* className, const std::wstring& text, DWORD style, DWORD exStyle, int id,
             const FindDialogBox& box);
  void createControls();
  void search();
  [[nodiscard]] int highlighted() const;
  void highlight(int row);
  void moveHighlight(WPARAM key);
  void showSeriesError();
  void pick();

  HWND owner_;
  UINT dpi_;
  GridFinder finder_;
  HWND window_ = nullptr;
  HWND search_ = nullptr;
  HWND list_ = nullptr;
  HWND seriesError_ = nullptr;
  HWND cancel_ = nullptr;
  FontHandle font_;
  std::wstring cellText_;  // what the list view last asked for, kept while it copies it
  const CatalogueEntry* picked_ = nullptr;
  bool done_ = false;
};

void registerDialogClass(HINSTANCE instance, WNDPROC procedure) {
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
  if (RegisterClassExW(&windowClass) == 0) throw std::runtime_error("cannot register the Find dialog's class");
}

FindDialogWindow::FindDialogWindow(HWND owner, const GridCatalogue& catalogue)
    : owner_(owner), dpi_(dpiOfWindow(owner)), finder_(catalogue), font_(makeWindowFont(dpi_, FW_NORMAL)) {
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE));
  registerDialogClass(instance, &FindDialogWindow::procedure);
  const auto px = [this](int units) { return unitsToPixels(units, dpi_); };
  const SIZE outer =
      outerSizeForClient(SIZE{px(FIND_LAYOUT.width), px(FIND_LAYOUT.height)}, DIALOG_STYLE, DIALOG_EX_STYLE, dpi_);
  // Centred over the owner.
  RECT ownerFrame{};
  GetWindowRect(owner, &ownerFrame);
  const int x = (ownerFrame.left + ownerFrame.right - outer.cx) / 2;
  const int y = (ownerFrame.top + ownerFrame.bottom - outer.cy) / 2;
  CreateWindowExW(DIALOG_EX_STYLE, CLASS_NAME, toWide(FIND_DIALOG_TITLE).c_str(), DIALOG_STYLE, x, y, outer.cx,
                  outer.cy, owner, nullptr, instance, this);
  if (window_ == nullptr) throw std::runtime_error("cannot create the Find dialog");
  createControls();
  search();
}

FindDialogWindow::~FindDialogWindow() {
  if (window_ != nullptr) DestroyWindow(window_);
}

HWND FindDialogWindow::child(const wchar_t* className, const std::wstring& text, DWORD style, DWORD exStyle, int id,
                             const FindDialogBox& box) {
  const auto px = [this](int units) { return unitsToPixels(units, dpi_); };
  const int x = px(box.x);
  const int y = px(box.y);
  const HWND control = CreateWindowExW(exStyle, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, x, y,
                                       px(box.x + box.w) - x, px(box.y + box.h) - y, window_,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  if (control == nullptr) throw std::runtime_error("cannot create a control of the Find dialog");
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  return control;
}

void FindDialogWindow::createControls() {
  const FindDialogLayout& layout = FIND_LAYOUT;
  // In focus order: the dialog manager's Tab order is the order of creation.
  child(WC_STATICW, toWide(FIND_PROMPT), SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0, PROMPT_ID, layout.prompt);
  search_ = child(WC_EDITW, L"", WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, SEARCH_ID, layout.search);
  SetWindowSubclass(search_, &FindDialogWindow::searchFieldProcedure, 0, reinterpret_cast<DWORD_PTR>(this));

  list_ = child(WC_LISTVIEWW, L"", WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                WS_EX_CLIENTEDGE, LIST_ID, layout.list);
  SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_INFOTIP);
  // The last column takes what is left of the list's width beside its scroll bar.
  RECT inside{};
  GetClientRect(list_, &inside);
  const int code = unitsToPixels(layout.codeColumnWidth, dpi_);
  const int name = unitsToPixels(layout.nameColumnWidth, dpi_);
  const int area = std::max(code, static_cast<int>(inside.right) - GetSystemMetrics(SM_CXVSCROLL) - code - name);
  const int widths[] = {code, name, area};
  for (std::size_t k = 0; k < FIND_COLUMNS.size(); ++k) {
    std::wstring title = toWide(columnTitle(FIND_COLUMNS[k]));
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.fmt = LVCFMT_LEFT;
    column.cx = widths[k];
    column.pszText = title.data();
    SendMessageW(list_, LVM_INSERTCOLUMNW, k, reinterpret_cast<LPARAM>(&column));
  }

  seriesError_ = child(WC_STATICW, L"", SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0, SERIES_ERROR_ID, layout.seriesError);
  child(WC_BUTTONW, toWide(FIND_OK), WS_TABSTOP | BS_DEFPUSHBUTTON, 0, IDOK, layout.ok);
  cancel_ = child(WC_BUTTONW, toWide(FIND_CANCEL), WS_TABSTOP | BS_PUSHBUTTON, 0, IDCANCEL, layout.cancel);
}

const CatalogueEntry* FindDialogWindow::run() {
  EnableWindow(owner_, FALSE);
  ShowWindow(window_, SW_SHOW);
  SetFocus(search_);
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
  return picked_;
}

LRESULT CALLBACK FindDialogWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* creator = static_cast<FindDialogWindow*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
    creator->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creator));
  }
  auto* self = reinterpret_cast<FindDialogWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  return self->handleMessage(message, wParam, lParam);
}

// Up, Down, Page Up and Page Down in the search field move the list's highlight; the
// field keeps the focus, so the user can type on.
LRESULT CALLBACK FindDialogWindow::searchFieldProcedure(HWND field, UINT message, WPARAM wParam, LPARAM lParam,
                                                        UINT_PTR, DWORD_PTR self) {
  if (message == WM_KEYDOWN && (wParam == VK_UP || wParam == VK_DOWN || wParam == VK_PRIOR || wParam == VK_NEXT)) {
    reinterpret_cast<FindDialogWindow*>(self)->moveHighlight(wParam);
    return 0;
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(field, &FindDialogWindow::searchFieldProcedure, 0);
  return DefSubclassProc(field, message, wParam, lParam);
}

LRESULT FindDialogWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == SEARCH_ID && HIWORD(wParam) == EN_CHANGE) {
        search();
      } else if (LOWORD(wParam) == IDOK) {
        pick();
      } else if (LOWORD(wParam) == IDCANCEL) {
        done_ = true;
      }
      return 0;
    case WM_NOTIFY:
      return onNotify(*reinterpret_cast<const NMHDR*>(lParam), lParam);
    case DM_GETDEFID:
      // Enter presses Cancel when it has the focus, else OK.
      return MAKELRESULT(GetFocus() == cancel_ ? IDCANCEL : IDOK, DC_HASDEFID);
    case WM_CLOSE:
      done_ = true;
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

LRESULT FindDialogWindow::onNotify(const NMHDR& header, LPARAM lParam) {
  if (header.hwndFrom != list_) return 0;
  switch (header.code) {
    case LVN_GETDISPINFOW: {
      // Owner data: the list view asks for the texts of the rows it draws.
      LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(lParam)->item;
      if ((item.mask & LVIF_TEXT) == 0 || item.cchTextMax <= 0 || item.iItem < 0 ||
          static_cast<std::size_t>(item.iItem) >= finder_.rowCount() || item.iSubItem < 0 ||
          static_cast<std::size_t>(item.iSubItem) >= FIND_COLUMNS.size())
        return 0;
      cellText_ = toWide(finder_.text(static_cast<std::size_t>(item.iItem), FIND_COLUMNS[item.iSubItem]));
      const std::size_t length = std::min(cellText_.size(), static_cast<std::size_t>(item.cchTextMax) - 1);
      std::copy_n(cellText_.begin(), length, item.pszText);
      item.pszText[length] = L'\0';
      return 0;
    }
    case LVN_GETINFOTIPW: {
      // The whole name and area of use, which the columns may cut.
      auto* tip = reinterpret_cast<NMLVGETINFOTIPW*>(lParam);
      if (tip->iItem < 0 || static_cast<std::size_t>(tip->iItem) >= finder_.rowCount() || tip->cchTextMax <= 0)
        return 0;
      const auto row = static_cast<std::size_t>(tip->iItem);
      cellText_ = toWide(finder_.text(row, FindColumn::Name) + "\n" + finder_.text(row, FindColumn::Area));
      const std::size_t length = std::min(cellText_.size(), static_cast<std::size_t>(tip->cchTextMax) - 1);
      std::copy_n(cellText_.begin(), length, tip->pszText);
      tip->pszText[length] = L'\0';
      return 0;
    }
    case LVN_ITEMCHANGED:
      showSeriesError();
      return 0;
    case NM_CUSTOMDRAW: {
      // The focus stays in the search field, where an unfocused list would show its
      // highlight in pale grey; it shows in the highlight colours, as the row Enter picks.
      auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(lParam);
      if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
      if (draw->nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
      const auto row = static_cast<int>(draw->nmcd.dwItemSpec);
      if (SendMessageW(list_, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) == 0) return CDRF_DODEFAULT;
      draw->nmcd.uItemState &= ~static_cast<UINT>(CDIS_SELECTED | CDIS_FOCUS);
      draw->clrText = GetSysColor(COLOR_HIGHLIGHTTEXT);
      draw->clrTextBk = GetSysColor(COLOR_HIGHLIGHT);
      return CDRF_NEWFONT;
    }
    case NM_DBLCLK:
      if (reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem >= 0) pick();
      return 0;
    default:
      return 0;
  }
}

void FindDialogWindow::search() {
  const int length = GetWindowTextLengthW(search_);
  std::wstring query(static_cast<std::size_t>(length) + 1, L'\0');
  query.resize(static_cast<std::size_t>(GetWindowTextW(search_, query.data(), length + 1)));
  finder_.setQuery(toUtf8(query));
  // The list view holds no rows of its own, only their count; the rows it shows are
  // asked for again, even when their count stays the same.
  SendMessageW(list_, LVM_SETITEMCOUNT, finder_.rowCount(), 0);
  InvalidateRect(list_, nullptr, FALSE);
  // The best match is highlighted, so Enter picks it at once.
  highlight(finder_.rowCount() > 0 ? 0 : -1);
}

int FindDialogWindow::highlighted() const {
  return static_cast<int>(SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void FindDialogWindow::highlight(int row) {
  LVITEMW clear{};
  clear.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&clear));
  if (row >= 0) {
    LVITEMW item{};
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    SendMessageW(list_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
  }
  showSeriesError();
}

void FindDialogWindow::moveHighlight(WPARAM key) {
  const int rows = static_cast<int>(finder_.rowCount());
  if (rows == 0) return;
  const int page = std::max(1, static_cast<int>(SendMessageW(list_, LVM_GETCOUNTPERPAGE, 0, 0)) - 1);
  const int step = key == VK_UP ? -1 : key == VK_DOWN ? 1 : key == VK_PRIOR ? -page : page;
  const int from = highlighted();
  highlight(std::clamp(from < 0 ? 0 : from + step, 0, rows - 1));
}

void FindDialogWindow::showSeriesError() {
  const int row = highlighted();
  const std::string line = row >= 0 ? finder_.seriesErrorLine(static_cast<std::size_t>(row)) : std::string();
  SetWindowTextW(seriesError_, toWide(line).c_str());
}

void FindDialogWindow::pick() {
  const int row = highlighted();
  if (row < 0) return;  // nothing to pick: the dialog stays open
  picked_ = &finder_.entry(static_cast<std::size_t>(row));
  done_ = true;
}

}  // namespace

const CatalogueEntry* runFindDialog(HWND owner, const GridCatalogue& catalogue) {
  FindDialogWindow dialog(owner, catalogue);
  return dialog.run();
}

}  // namespace velqora
