#include "qt/alert_box.h"

#include <QDir>
#include <QMessageBox>

namespace velqora {

void showAlert(QWidget* owner, const QString& message) {
  QMessageBox box(QMessageBox::Warning, QStringLiteral("ALERT"), message, QMessageBox::Ok, owner);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

void showFatalError(QWidget* owner, const QString& report) {
  QMessageBox box(QMessageBox::Critical, QStringLiteral("Velqora"),
                  QStringLiteral("A data file could not be loaded, so Velqora cannot start.\n\n") + report +
                      QStringLiteral("\n\nThe lists are read from the folder Velqora starts in: ") +
                      QDir::toNativeSeparators(QDir::currentPath()),
                  QMessageBox::Ok, owner);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

}  // namespace velqora
