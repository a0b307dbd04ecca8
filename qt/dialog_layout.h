#pragma once

#include <string_view>

#include <QString>

#include "window/layout.h"

class QWidget;

namespace velqora {

// The core's texts, UTF-8, as Qt's.
[[nodiscard]] QString fromUtf8(std::string_view text);

// A control of one of the program's own dialogs put in its box (window/layout.h) at the
// dialog's logical DPI.
void place(QWidget& control, const UnitBox& box, double logicalDpi);

}  // namespace velqora
