#pragma once

#include <array>
#include <memory>
#include <string_view>

#include <QWidget>

#include "qt/qt_form.h"
#include "window/event_handlers.h"
#include "window/form.h"

class QComboBox;
class QPushButton;

namespace velqora {

class FieldEdit;

// MAINFORM: every control of the window laid out from the layout table in a client area
// of the table's size, in its creation order (the focus order), with the seven event
// handlers connected.
// Messages go to the "ALERT" box unless another sink is set.
class MainWindow final : public QWidget {
public:
  explicit MainWindow(QWidget* parent = nullptr);
  ~MainWindow() override;

  [[nodiscard]] Form& form() { return *form_; }

  // Tests and the replay tool record messages instead of showing them.
  void setMessageSink(QtForm::MessageSink sink);

  [[nodiscard]] FieldEdit* field(Field field) const { return fields_.at(field); }
  [[nodiscard]] QComboBox* list(List list) const { return lists_.at(list); }
  [[nodiscard]] QPushButton* button(int number) const { return buttons_.at(number); }
  // The widget of a control by its name ("EDIT5", "TEXT64"), or nullptr.
  [[nodiscard]] QWidget* control(std::string_view name) const;

  // Puts the window in the middle of its screen's available area.
  void centreOnScreen();

private:
  void runHandler(const BoundHandler& handler);

  std::array<FieldEdit*, FIELD_COUNT + 1> fields_{};
  std::array<QComboBox*, LIST_COUNT + 1> lists_{};
  std::array<QPushButton*, 5> buttons_{};
  std::array<QWidget*, 73> labels_{};
  QWidget* client_ = nullptr;
  std::unique_ptr<QtForm> form_;
};

}  // namespace velqora
