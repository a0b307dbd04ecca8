#include "win32/find_dialog.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "win32/modal_dialog.h"
#include "win32/wide_text.h"
#include "window/find_dialog.h"
#include "window/layout.h"

namespace velqora {

namespace {

// Control identifiers; OK and Cancel are the dialog manager's own, which Enter and
// Escape send.
constexpr int PROMPT_ID = 100;
constexpr int SEARCH_ID = 101;
constexpr int LIST_ID = 102;
constexpr int SERIES_ERROR_ID = 103;

class FindDialogWindow final : public ModalDialog {
 public:
  FindDialogWindow(HWND owner, const GridCatalogue& catalogue);

  const CatalogueEntry* run();

 private:
  static LRESULT CALLBACK searchFieldProcedure(HWND field, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                               DWORD_PTR self);
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT onNotify(const NMHDR& header, LPARAM lParam);

  void createControls();
  void search();
  [[nodiscard]] int highlighted() const;
  void highlight(int row);
  void moveHighlight(WPARAM key);
  void showSeriesError();
  void pick();

  GridFinder finder_;
  HWND search_ = nullptr;
  HWND list_ = nullptr;
  HWND seriesError_ = nullptr;
  HWND cancel_ = nullptr;
  std::wstring cellText_;  // what the list view last asked for, kept while it copies it
  const CatalogueEntry* picked_ = nullptr;
};

FindDialogWindow::FindDialogWindow(HWND owner, const GridCatalogue& catalogue)
    : ModalDialog(owner, FIND_DIALOG_TITLE, FIND_LAYOUT.width, FIND_LAYOUT.height), finder_(catalogue) {
  createControls();
  search();
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
  const int code = unitsToPixels(layout.codeColumnWidth, dpi());
  const int name = unitsToPixels(layout.nameColumnWidth, dpi());
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
  runModal(search_);
  return picked_;
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
        end();
      }
      return 0;
    case WM_NOTIFY:
      return onNotify(*reinterpret_cast<const NMHDR*>(lParam), lParam);
    case DM_GETDEFID:
      // Enter presses Cancel when it has the focus, else OK.
      return MAKELRESULT(GetFocus() == cancel_ ? IDCANCEL : IDOK, DC_HASDEFID);
    default:
      return ModalDialog::handleMessage(message, wParam, lParam);
  }
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
  end();
}

}  // namespace

const CatalogueEntry* runFindDialog(HWND owner, const GridCatalogue& catalogue) {
  FindDialogWindow dialog(owner, catalogue);
  return dialog.run();
}

}  // namespace velqora
