#include "qt/user_input.h"

#include <QApplication>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPushButton>

#include "qt/field_edit.h"

namespace velqora {

namespace {

void sendKey(QWidget& widget, int key, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(&widget, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QApplication::sendEvent(&widget, &release);
}

}  // namespace

void typeAsUser(FieldEdit& field, const QString& text) {
  if (!field.text().isEmpty()) {
    field.selectAll();
    sendKey(field, Qt::Key_Delete, QString());
  }
  for (const char32_t codePoint : text.toUcs4()) {
    const QString character = QString::fromUcs4(&codePoint, 1);
    if (character.size() == 1) {
      sendKey(field, Qt::Key_unknown, character);
    } else {
      // Characters outside the Basic Multilingual Plane arrive through an input method.
      QInputMethodEvent compose;
      compose.setCommitString(character);
      QApplication::sendEvent(&field, &compose);
    }
  }
}

void pickAsUser(QComboBox& list, int position) {
  if (position == list.currentIndex()) return;
  list.setCurrentIndex(position);
  emit list.activated(position);
}

void pressAsUser(QPushButton& button) { button.click(); }

}  // namespace velqora
