#include "qt/dialog_layout.h"

#include <QWidget>

namespace velqora {

QString fromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

void place(QWidget& control, const UnitBox& box, double logicalDpi) {
  const PixelBox p = pixelBox(box, logicalDpi);
  control.setGeometry(p.x, p.y, p.width, p.height);
}

}  // namespace velqora
