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
  if (const auto failure = velqora::startUp(window.form())) {
    const std::string folder = QDir::toNativeSeparators(QDir::currentPath()).toStdString();
    std::cerr << "velqora: " << failure->report() << " (in " << folder << ")\n";
    velqora::showFatalError(&window, QString::fromStdString(velqora::startUpFailureMessage(*failure, folder, false)));
    return 1;
  }

  velqora::installFirstPaintProbe(window);
  window.show();
  return QApplication::exec();
}
