#pragma once

#include <QLineEdit>

namespace velqora {

// A text field of the window. The user may type, paste, drop or compose at most the
// field's typing limit; the program's own writes are never cut. QLineEdit's maximum
// length cuts every write, so it is kept at max(limit, current length): a long result
// stays whole and the user can shorten it but not make it longer.
class FieldEdit final : public QLineEdit {
public:
  FieldEdit(int typingLimit, QWidget* parent);

  [[nodiscard]] int typingLimit() const { return limit_; }

  // The program's write: the whole text, showing its start.
  void writeText(const QString& text);

protected:
  void focusOutEvent(QFocusEvent* event) override;

private:
  void resetMaximum();
  int limit_;
};

}  // namespace velqora
