#pragma once

#include <array>
#include <string>
#include <vector>

#include "window/form.h"

namespace velqora {

// A form held in memory, for tests and benchmarks: it keeps the texts and lists and
// records every message in order instead of showing it.
class MemoryForm final : public Form {
public:
  MemoryForm();  // the fields hold their initial texts, the lists are empty

  [[nodiscard]] std::string text(Field field) const override;
  void setText(Field field, const std::string& text) override;
  void clearList(List list) override;
  void appendEntry(List list, const std::string& entry) override;
  void selectPosition(List list, int position) override;
  [[nodiscard]] int selectedPosition(List list) const override;
  [[nodiscard]] int entryCount(List list) const override;
  void showMessage(const std::string& message) override;

  [[nodiscard]] const std::vector<std::string>& entries(List list) const;
  std::vector<std::string> messages;

private:
  struct ListState {
    std::vector<std::string> entries;
    int selected = -1;
  };
  std::array<std::string, FIELD_COUNT + 1> fields_;
  std::array<ListState, LIST_COUNT + 1> lists_;
};

}  // namespace velqora
