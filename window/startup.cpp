#include <string>
#include <vector>

#include "datafiles/loaders.h"
#include "datafiles/tables.h"
#include "datafiles/text_encoding.h"
#include "window/form.h"
#include "window/handlers.h"

namespace velqora {

namespace {

// Fills a list from column 0 of a table.
template <typename Table>
void fillList(Form& form, List list, const Table& table, int count) {
  form.clearList(list);
  const int shown = listedEntries(count, static_cast<int>(table.size()));
  for (int i = 0; i < shown; ++i) form.appendEntry(list, displayText(table[i][0]));
  form.selectPosition(list, 0);
}

}  // namespace

std::string StartUpFailure::report() const {
  std::string text;
  for (const LoadError& error : errors) text += (text.empty() ? "" : "; ") + error.report();
  return text;
}

std::optional<StartUpFailure> startUp(Form& form) {
  // No grid-group file is loaded until the user picks a grid system.
  GRPCOUNT = 0;
  form.clearList(COMBO2);
  form.appendEntry(COMBO2, GRID_GROUP_PLACEHOLDER);
  form.selectPosition(COMBO2, 0);

  // The program cannot go on without all three lists, but the user mends them more
  // easily when told of every file at once.
  StartUpFailure failure;

  // Projections: the position of an entry is its projection code.
  PRJCOUNT = 0;
  form.clearList(COMBO4);
  std::vector<std::string> names;
  if (auto error = loadProjectionList(PRJ_LIST_FILE, names)) {
    failure.errors.push_back(*error);
  } else if (names.empty()) {
    // Position 0 ("no projection") must exist: GRIDDGET reads the selection as the code.
    failure.errors.push_back(LoadError{PRJ_LIST_FILE, 0, "the projection list holds no entry"});
  } else {
    for (const std::string& name : names) form.appendEntry(COMBO4, displayText(name));
    form.selectPosition(COMBO4, 0);
  }

  int count = 0;
  if (auto error = loadGridSystemList(GRID_LIST_FILE, count))
    failure.errors.push_back(*error);
  else
    fillList(form, COMBO3, GRIDSYS, count);

  count = 0;
  if (auto error = loadEllipsoidList(EARTH_LIST_FILE, count))
    failure.errors.push_back(*error);
  else
    fillList(form, COMBO1, EARTHTAB, count);

  if (failure.errors.empty()) return std::nullopt;
  return failure;
}

std::string startUpFailureMessage(const StartUpFailure& failure, const std::string& folder, bool onWindows) {
  std::string text = "Velqora cannot start, because it could not load its lists:\n";
  for (const LoadError& error : failure.errors) text += "- " + error.report() + "\n";
  text += "\nVelqora reads its lists from the folder it starts in, which is:\n" + folder + "\n\n";
  text += std::string("Put ") + PRJ_LIST_FILE + ", " + GRID_LIST_FILE + " and " + EARTH_LIST_FILE +
          " in that folder, or start Velqora in the folder that holds them";
  text += onWindows ? " (in a shortcut to Velqora, that folder goes in \"Start in\")." : ".";
  return text;
}

}  // namespace velqora
