#include "window/memory_form.h"

#include <stdexcept>

namespace velqora {

MemoryForm::MemoryForm() {
  for (int f = 1; f <= FIELD_COUNT; ++f) fields_[f] = initialText(static_cast<Field>(f));
}

std::string MemoryForm::text(Field field) const { return fields_.at(field); }

void MemoryForm::setText(Field field, const std::string& text) { fields_.at(field) = text; }

void MemoryForm::clearList(List list) { lists_.at(list) = ListState{}; }

void MemoryForm::appendEntry(List list, const std::string& entry) { lists_.at(list).entries.push_back(entry); }

void MemoryForm::selectPosition(List list, int position) {
  ListState& state = lists_.at(list);
  if (position < 0 || position >= static_cast<int>(state.entries.size()))
    throw std::out_of_range("selectPosition: the list holds no entry at that position");
  state.selected = position;
}

int MemoryForm::selectedPosition(List list) const { return lists_.at(list).selected; }

int MemoryForm::entryCount(List list) const { return static_cast<int>(lists_.at(list).entries.size()); }

void MemoryForm::showMessage(const std::string& message) { messages.push_back(message); }

const std::vector<std::string>& MemoryForm::entries(List list) const { return lists_.at(list).entries; }

}  // namespace velqora
