#pragma once

#include <QString>

class QWidget;

namespace velqora {

// The one message box of the window: modal, owned by the window, titled "ALERT", with
// the warning icon and one OK button. Returns when the user has closed it.
void showAlert(QWidget* owner, const QString& message);

// The message of a start-up that could not load the lists, after which the program ends:
// a modal box titled "Velqora" with the critical icon and one OK button.
void showFatalError(QWidget* owner, const QString& message);

}  // namespace velqora
