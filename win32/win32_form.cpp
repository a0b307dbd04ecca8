#include "win32/win32_form.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "win32/alert_box.h"
#include "win32/gdi_handles.h"
#include "win32/wide_text.h"

namespace velqora {

namespace {

// The width of an entry's text in the list's font, in pixels.
int entryWidth(HWND combo, const std::wstring& entry) {
  const WindowDc dc(combo);
  const HGDIOBJ previous = SelectObject(dc.get(), reinterpret_cast<HFONT>(SendMessageW(combo, WM_GETFONT, 0, 0)));
  SIZE extent{};
  GetTextExtentPoint32W(dc.get(), entry.c_str(), static_cast<int>(entry.size()), &extent);
  SelectObject(dc.get(), previous);
  return static_cast<int>(extent.cx);
}

}  // namespace

Win32Form::Win32Form(HWND owner, const std::array<HWND, FIELD_COUNT + 1>& fields,
                     const std::array<HWND, LIST_COUNT + 1>& lists)
    : owner_(owner), fields_(fields), lists_(lists) {
  for (int l = 1; l <= LIST_COUNT; ++l) seen_[l] = selectedPosition(static_cast<List>(l));
}

HWND Win32Form::field(Field field) const {
  if (field < 1 || field > FIELD_COUNT) throw std::out_of_range("no such field");
  return fields_[field];
}

HWND Win32Form::list(List list) const {
  if (list < 1 || list > LIST_COUNT) throw std::out_of_range("no such list");
  return lists_[list];
}

std::string Win32Form::text(Field f) const {
  const HWND edit = field(f);
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
  return toUtf8(text);
}

void Win32Form::setText(Field f, const std::string& text) {
  const HWND edit = field(f);
  // WM_SETTEXT is not bound by the typing limit: a long result stays whole.
  const std::wstring wide = toWide(text);
  writing_ = true;
  SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  writing_ = false;
  // Show the start of the text, where the sign and the leading digits are.
  SendMessageW(edit, EM_SETSEL, 0, 0);
  SendMessageW(edit, EM_SCROLLCARET, 0, 0);
}

void Win32Form::clearList(List l) {
  SendMessageW(list(l), CB_RESETCONTENT, 0, 0);
  seen_[l] = -1;
  widestEntry_[l] = 0;
  widenOpenList(l, 0);
}

void Win32Form::appendEntry(List l, const std::string& entry) {
  const std::wstring wide = toWide(entry);
  const LRESULT added = SendMessageW(list(l), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  if (added == CB_ERR || added == CB_ERRSPACE) throw std::runtime_error("the list has no room for another entry");
  widenOpenList(l, entryWidth(list(l), wide));
}

void Win32Form::widenOpenList(List l, int width) {
  widestEntry_[l] = std::max(widestEntry_[l], width);
  // The rows' text sits inside the list's border and beside its scroll bar, with a
  // little space at either end; CB_SETDROPPEDWIDTH never makes the list narrower than
  // the closed box.
  const int extra = GetSystemMetrics(SM_CXVSCROLL) + 4 * GetSystemMetrics(SM_CXEDGE);
  SendMessageW(list(l), CB_SETDROPPEDWIDTH, static_cast<WPARAM>(widestEntry_[l] + extra), 0);
}

void Win32Form::widenOpenLists() {
  for (int l = 1; l <= LIST_COUNT; ++l) {
    const auto which = static_cast<List>(l);
    const HWND combo = list(which);
    widestEntry_[l] = 0;
    const int count = entryCount(which);
    for (int k = 0; k < count; ++k) {
      const auto length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(k), 0);
      if (length == CB_ERR) continue;
      std::wstring entry(static_cast<std::size_t>(length) + 1, L'\0');
      entry.resize(static_cast<std::size_t>(
          SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(k), reinterpret_cast<LPARAM>(entry.data()))));
      widestEntry_[l] = std::max(widestEntry_[l], entryWidth(combo, entry));
    }
    widenOpenList(which, 0);
  }
}

void Win32Form::selectPosition(List l, int position) {
  const HWND combo = list(l);
  if (position < 0 || position >= entryCount(l))
    throw std::out_of_range("selectPosition: the list holds no entry at that position");
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
  seen_[l] = position;
}

int Win32Form::selectedPosition(List l) const {
  const LRESULT selected = SendMessageW(list(l), CB_GETCURSEL, 0, 0);
  return selected == CB_ERR ? -1 : static_cast<int>(selected);
}

int Win32Form::entryCount(List l) const {
  const LRESULT count = SendMessageW(list(l), CB_GETCOUNT, 0, 0);
  return count == CB_ERR ? 0 : static_cast<int>(count);
}

void Win32Form::showMessage(const std::string& message) {
  if (sink_)
    sink_(message);
  else
    showAlert(owner_, message);
}

bool Win32Form::takeUserChange(List l) {
  const int selected = selectedPosition(l);
  if (selected == seen_[l]) return false;
  seen_[l] = selected;
  return true;
}

}  // namespace velqora
