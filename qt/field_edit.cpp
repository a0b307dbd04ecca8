#include "qt/field_edit.h"

#include <algorithm>

#include <QFocusEvent>

namespace velqora {

FieldEdit::FieldEdit(int typingLimit, QWidget* parent) : QLineEdit(parent), limit_(typingLimit) {
  setMaxLength(limit_);
  // Every change by the user: typing, deleting, pasting, dropping, undo, input methods.
  connect(this, &QLineEdit::textEdited, this, [this] { resetMaximum(); });
}

void FieldEdit::writeText(const QString& text) {
  setMaxLength(std::max<int>(limit_, static_cast<int>(text.size())));
  setText(text);
  setCursorPosition(0);
}

void FieldEdit::resetMaximum() { setMaxLength(std::max<int>(limit_, static_cast<int>(text().size()))); }

// The field keeps its selection when the focus moves elsewhere, so the user still sees
// what was marked.
void FieldEdit::focusOutEvent(QFocusEvent* event) {
  const int start = selectionStart();
  const int length = static_cast<int>(selectedText().size());
  const bool cursorAtStart = cursorPosition() == start;
  QLineEdit::focusOutEvent(event);
  if (start >= 0 && length > 0 && !hasSelectedText()) {
    if (cursorAtStart)
      setSelection(start + length, -length);
    else
      setSelection(start, length);
  }
}

}  // namespace velqora
