#pragma once

#include <QString>

class QWidget;

namespace velqora {

// The one message box of the window: modal, owned by the window, titled "ALERT", with
// the warning icon and one OK button. Returns when the user has closed it.
void showAlert(QWidget* owner, const QString& message);

// The report of a data file that could not be loaded at start-up, after which the
// program ends.
void showFatalError(QWidget* owner, const QString& report);

}  // namespace velqora
