#pragma once

#include <string>

namespace velqora {

// The window's text fields and drop-down lists, by their numbers.
enum Field : int {
  EDIT1 = 1, EDIT2, EDIT3, EDIT4, EDIT5, EDIT6, EDIT7, EDIT8, EDIT9, EDIT10,
  EDIT11, EDIT12, EDIT13, EDIT14, EDIT15, EDIT16, EDIT17, EDIT18, EDIT19, EDIT20,
  EDIT21, EDIT22, EDIT23, EDIT24, EDIT25, EDIT26, EDIT27, EDIT28, EDIT29, EDIT30,
  EDIT31, EDIT32, EDIT33, EDIT34, EDIT35, EDIT36, EDIT37, EDIT38,
};
inline constexpr int FIELD_COUNT = 38;

enum List : int { COMBO1 = 1, COMBO2, COMBO3, COMBO4 };
inline constexpr int LIST_COUNT = 4;

// What the handlers and procedures do with the window. Texts are UTF-8.
class Form {
public:
  virtual ~Form() = default;

  [[nodiscard]] virtual std::string text(Field field) const = 0;  // exactly as shown
  virtual void setText(Field field, const std::string& text) = 0;  // replaces the whole text

  virtual void clearList(List list) = 0;  // no entries, nothing selected
  virtual void appendEntry(List list, const std::string& entry) = 0;
  virtual void selectPosition(List list, int position) = 0;  // 0-based; runs no handler
  [[nodiscard]] virtual int selectedPosition(List list) const = 0;  // -1 when none
  [[nodiscard]] virtual int entryCount(List list) const = 0;

  // The modal "ALERT" box; returns when the user has closed it.
  virtual void showMessage(const std::string& message) = 0;
};

// The text a field holds when the window opens ("00", "00.00", "+0", "1.000" or "").
[[nodiscard]] std::string initialText(Field field);

}  // namespace velqora
