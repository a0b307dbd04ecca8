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

std::optional<LoadError> startUp(Form& form) {
  // No grid-group file is loaded until the user picks a grid system.
  GRPCOUNT = 0;
  form.clearList(COMBO2);
  form.appendEntry(COMBO2, GRID_GROUP_PLACEHOLDER);
  form.selectPosition(COMBO2, 0);

  // Projections: the position of an entry is its projection code.
  PRJCOUNT = 0;
  form.clearList(COMBO4);
  std::vector<std::string> names;
  if (auto error = loadProjectionList(PRJ_LIST_FILE, names)) return error;
  // Position 0 ("no projection") must exist: GRIDDGET reads the selection as the code.
  if (names.empty()) return LoadError{PRJ_LIST_FILE, 0, "the projection list holds no entry"};
  for (const std::string& name : names) form.appendEntry(COMBO4, displayText(name));
  form.selectPosition(COMBO4, 0);

  int count = 0;
  if (auto error = loadGridSystemList(GRID_LIST_FILE, count)) return error;
  fillList(form, COMBO3, GRIDSYS, count);

  count = 0;
  if (auto error = loadEllipsoidList(EARTH_LIST_FILE, count)) return error;
  fillList(form, COMBO1, EARTHTAB, count);

  return std::nullopt;
}

}  // namespace velqora
