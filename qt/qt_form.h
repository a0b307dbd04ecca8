#pragma once

#include <array>
#include <functional>
#include <string>

#include "window/form.h"

class QComboBox;

namespace velqora {

class FieldEdit;

// The form interface over the window's widgets. Everything the program does to the
// lists here runs no selection handler: the handlers are tied to the lists' signals,
// which are blocked while the program changes a list.
class QtForm final : public Form {
public:
  using MessageSink = std::function<void(const std::string&)>;

  QtForm(const std::array<FieldEdit*, FIELD_COUNT + 1>& fields,
         const std::array<QComboBox*, LIST_COUNT + 1>& lists, MessageSink sink);

  [[nodiscard]] std::string text(Field field) const override;
  void setText(Field field, const std::string& text) override;
  void clearList(List list) override;
  void appendEntry(List list, const std::string& entry) override;
  void selectPosition(List list, int position) override;
  [[nodiscard]] int selectedPosition(List list) const override;
  [[nodiscard]] int entryCount(List list) const override;
  void showMessage(const std::string& message) override;

  void setMessageSink(MessageSink sink) { sink_ = std::move(sink); }

private:
  [[nodiscard]] FieldEdit* field(Field field) const;
  [[nodiscard]] QComboBox* list(List list) const;

  std::array<FieldEdit*, FIELD_COUNT + 1> fields_;
  std::array<QComboBox*, LIST_COUNT + 1> lists_;
  MessageSink sink_;
};

}  // namespace velqora
