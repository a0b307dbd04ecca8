#include "window/menu_bar.h"

#include <array>

namespace velqora {

namespace {

constexpr std::array<MenuItem, 2> FILE_ITEMS{{
    {"&Convert a file…", MenuCommand::ConvertFile, 'O'},
    {"E&xit", MenuCommand::Exit, 0},
}};

constexpr std::array<MenuItem, 1> GRID_ITEMS{{
    {"&Find a grid…", MenuCommand::FindGrid, 'F'},
}};

constexpr std::array<Menu, 2> MENUS{{
    {"&File", FILE_ITEMS},
    {"&Grid", GRID_ITEMS},
}};

}  // namespace

std::span<const Menu> menuBar() { return MENUS; }

std::string shortcutText(const MenuItem& item) {
  if (item.ctrlKey == 0) return {};
  return std::string("Ctrl+") + item.ctrlKey;
}

}  // namespace velqora
