#pragma once

#include <span>
#include <string>
#include <string_view>

namespace velqora {

// What a menu item does. Each front end carries a command out with its own toolkit; the
// Win32 window also uses the value in its command identifier.
enum class MenuCommand : int { Exit = 1, FindGrid = 2, ConvertFile = 3 };

// A menu item. The '&' in a text marks the letter that chooses it with Alt (both toolkits
// read it so). The shortcut is Ctrl with that upper-case letter; 0 for none.
struct MenuItem {
  std::string_view text;
  MenuCommand command;
  char ctrlKey = 0;
};

struct Menu {
  std::string_view title;
  std::span<const MenuItem> items;
};

// The window's menu bar, left to right, each menu's items top to bottom. Both front ends
// build their menus and shortcuts from it.
[[nodiscard]] std::span<const Menu> menuBar();

// The item's shortcut as the menus show it, "Ctrl+F"; empty for none.
[[nodiscard]] std::string shortcutText(const MenuItem& item);

}  // namespace velqora
