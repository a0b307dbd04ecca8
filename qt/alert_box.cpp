#include "qt/alert_box.h"

#include <QMessageBox>

namespace velqora {

void showAlert(QWidget* owner, const QString& message) {
  QMessageBox box(QMessageBox::Warning, QStringLiteral("ALERT"), message, QMessageBox::Ok, owner);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

void showFatalError(QWidget* owner, const QString& message) {
  QMessageBox box(QMessageBox::Critical, QStringLiteral("Velqora"), message, QMessageBox::Ok, owner);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

}  // namespace velqora
