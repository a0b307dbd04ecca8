#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <string>

#include "window/form.h"

namespace velqora {

// The form interface over the window's Edit and ComboBox controls. The program's own
// writes go through WM_SETTEXT and CB_SETCURSEL, which send no notification, so they
// run no handler. Messages go to the "ALERT" box unless a sink is set.
class Win32Form final : public Form {
public:
  using MessageSink = std::function<void(const std::string&)>;

  Win32Form(HWND owner, const std::array<HWND, FIELD_COUNT + 1>& fields,
            const std::array<HWND, LIST_COUNT + 1>& lists);

  [[nodiscard]] std::string text(Field field) const override;
  void setText(Field field, const std::string& text) override;
  void clearList(List list) override;
  void appendEntry(List list, const std::string& entry) override;
  void selectPosition(List list, int position) override;
  [[nodiscard]] int selectedPosition(List list) const override;
  [[nodiscard]] int entryCount(List list) const override;
  void showMessage(const std::string& message) override;

  void setMessageSink(MessageSink sink) { sink_ = std::move(sink); }

  // Whether the program is writing a field now: its EN_CHANGE is not the user's typing.
  [[nodiscard]] bool writing() const { return writing_; }

  // Whether the list now shows another entry than the program selected or the handlers
  // last saw; that entry then counts as seen. A list may report a selection change that
  // ends where it began (the user browsing the open list and leaving it with Escape).
  bool takeUserChange(List list);

  // Opens every list at least as wide as its widest entry in the list's current font;
  // called again when the fonts change with the DPI.
  void widenOpenLists();

private:
  [[nodiscard]] HWND field(Field field) const;
  [[nodiscard]] HWND list(List list) const;
  // Widens the open list for an entry of that width in pixels (0: for the entries so far).
  void widenOpenList(List list, int entryWidth);

  HWND owner_;
  std::array<HWND, FIELD_COUNT + 1> fields_;
  std::array<HWND, LIST_COUNT + 1> lists_;
  std::array<int, LIST_COUNT + 1> seen_{};
  std::array<int, LIST_COUNT + 1> widestEntry_{};  // pixels
  MessageSink sink_;
  bool writing_ = false;
};

}  // namespace velqora
