#pragma once

#include <vector>

#include "window/layout_fit.h"

namespace velqora {

class MainWindow;

// Every control of the window as laid out, with its text measured by GDI in the
// control's own font: a label's caption, a field's longest text (longestFieldText),
// a button's caption, a list's widest entry against its open list.
[[nodiscard]] std::vector<MeasuredControl> measureLayout(const MainWindow& window);

}  // namespace velqora
