#include "win32/layout_measure.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "win32/gdi_handles.h"
#include "win32/main_window.h"
#include "win32/wide_text.h"
#include "window/layout.h"

namespace velqora {

namespace {

// A device context on the control with the control's font selected.
class ControlDc {
public:
  explicit ControlDc(HWND control)
      : dc_(control),
        previous_(SelectObject(dc_.get(), reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)))) {
    GetTextMetricsW(dc_.get(), &metrics_);
  }
  ~ControlDc() { SelectObject(dc_.get(), previous_); }
  ControlDc(const ControlDc&) = delete;
  ControlDc& operator=(const ControlDc&) = delete;

  [[nodiscard]] HDC get() const { return dc_.get(); }
  [[nodiscard]] int lineHeight() const { return metrics_.tmHeight; }

  [[nodiscard]] int width(const std::wstring& text) const {
    SIZE extent{};
    GetTextExtentPoint32W(dc_.get(), text.c_str(), static_cast<int>(text.size()), &extent);
    return static_cast<int>(extent.cx);
  }

  // How far below the top of the line the text's ink reaches: a line drawn at the top
  // of a box needs that much of its height, whatever the font's full line height.
  [[nodiscard]] int inkBottom(const std::wstring& text) const {
    constexpr MAT2 IDENTITY{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    int bottom = 0;
    for (const wchar_t ch : text) {
      if (ch == L' ') continue;
      GLYPHMETRICS glyph{};
      if (GetGlyphOutlineW(dc_.get(), ch, GGO_METRICS, &glyph, 0, nullptr, &IDENTITY) == GDI_ERROR) return lineHeight();
      bottom = std::max(bottom, static_cast<int>(metrics_.tmAscent - glyph.gmptGlyphOrigin.y + glyph.gmBlackBoxY));
    }
    return bottom;
  }

private:
  WindowDc dc_;
  HGDIOBJ previous_;
  TEXTMETRICW metrics_{};
};

std::wstring windowText(HWND control) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

// The widest entry against the rows of the open list.
void measureList(HWND combo, const ControlDc& dc, MeasuredControl& m) {
  const auto count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
  for (int k = 0; k < count; ++k) {
    std::wstring entry(static_cast<std::size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, k, 0)) + 1, L'\0');
    entry.resize(
        static_cast<std::size_t>(SendMessageW(combo, CB_GETLBTEXT, k, reinterpret_cast<LPARAM>(entry.data()))));
    m.textWidth = std::max(m.textWidth, dc.width(entry));
  }
  SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  RECT rows{};
  if (GetComboBoxInfo(combo, &info) && info.hwndList != nullptr) GetClientRect(info.hwndList, &rows);
  SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
  // A row's text starts a little inside the row and must end before the scroll bar.
  m.roomWidth = static_cast<int>(rows.right) - 2 * GetSystemMetrics(SM_CXEDGE);
}

}  // namespace

std::vector<MeasuredControl> measureLayout(const MainWindow& window) {
  std::vector<MeasuredControl> measured;
  for (const Control& c : mainformControls()) {
    const HWND control = window.control(c.name);
    MeasuredControl m;
    m.name = std::string(c.name);
    m.kind = c.kind;
    RECT box{};
    GetWindowRect(control, &box);
    MapWindowPoints(HWND_DESKTOP, window.handle(), reinterpret_cast<POINT*>(&box), 2);
    m.x = box.left;
    m.y = box.top;
    m.width = box.right - box.left;
    m.height = box.bottom - box.top;
    RECT client{};
    GetClientRect(control, &client);
    const ControlDc dc(control);
    switch (c.kind) {
      case ControlKind::Label: {
        const std::wstring text = windowText(control);
        m.roomWidth = client.right;
        m.roomHeight = client.bottom;
        if ((GetWindowLongW(control, GWL_STYLE) & SS_TYPEMASK) == SS_LEFT) {
          RECT wrapped{0, 0, client.right, 0};
          DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &wrapped,
                    DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_LEFT);
          m.textWidth = wrapped.right;
          m.textHeight = wrapped.bottom;
        } else {
          m.textWidth = dc.width(text);
          m.textHeight = dc.inkBottom(text);
        }
        break;
      }
      case ControlKind::Field: {
        // The text area inside the border and margins; the caret needs a pixel after the text.
        RECT area{};
        SendMessageW(control, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
        m.textWidth = dc.width(toWide(longestFieldText(static_cast<Field>(c.number)))) + 1;
        m.textHeight = dc.lineHeight();
        m.roomWidth = area.right - area.left;
        m.roomHeight = client.bottom;
        break;
      }
      case ControlKind::Button:
        // The caption inside the button's raised edge and its focus rectangle.
        m.textWidth = dc.width(windowText(control));
        m.textHeight = dc.lineHeight();
        m.roomWidth = client.right - 4 * GetSystemMetrics(SM_CXEDGE);
        m.roomHeight = client.bottom - 2 * GetSystemMetrics(SM_CYEDGE);
        break;
      case ControlKind::List:
        measureList(control, dc, m);
        break;
    }
    measured.push_back(m);
  }
  return measured;
}

}  // namespace velqora
