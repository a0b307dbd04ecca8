#include "qt/application_font.h"

#include <QApplication>
#include <QFont>

namespace velqora {

void applyApplicationFont(QApplication& app) {
  QFont font(QStringLiteral("Arial"));
  font.setPointSize(11);
  font.setStyleHint(QFont::SansSerif);
  app.setFont(font);
}

}  // namespace velqora
