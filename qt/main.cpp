// Velqora: converts a point between geographic coordinates on an ellipsoid and the
// rectangular coordinates of a map grid. Reads its lists from the working directory.

#include <iostream>

#include <QApplication>
#include <QDir>

#include "qt/alert_box.h"
#include "qt/application_font.h"
#include "qt/first_paint_probe.h"
#include "qt/main_window.h"
#include "window/handlers.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Velqora"));
  QApplication::setDesktopFileName(QStringLiteral("velqora"));
  velqora::applyApplicationFont(app);

  velqora::MainWindow window;
  window.centreOnScreen();
  // The lists are loaded once the window and all its controls exist.
  if (const auto error = velqora::startUp(window.form())) {
    const std::string report = error->report();
    std::cerr << "velqora: " << report << " (in " << QDir::currentPath().toStdString() << ")\n";
    velqora::showFatalError(&window, QString::fromStdString(report));
    return 1;
  }

  velqora::installFirstPaintProbe(window);
  window.show();
  return QApplication::exec();
}
