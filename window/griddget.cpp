#include "window/griddget.h"

#include <array>
#include <string>
#include <utility>

#include "window/form.h"
#include "window/records.h"

namespace velqora {

namespace {

// The grid's fields and their texts, in the order picking a grid group writes them; the
// projection is selected after the first PROJECTION_AFTER of them.
using GridText = std::string GridFieldTexts::*;
constexpr std::array<std::pair<Field, GridText>, 15> GRID_FIELDS{{
    {EDIT5, &GridFieldTexts::longitudeDegrees},
    {EDIT7, &GridFieldTexts::longitudeMinutes},
    {EDIT9, &GridFieldTexts::longitudeSeconds},
    {EDIT6, &GridFieldTexts::latitudeDegrees},
    {EDIT8, &GridFieldTexts::latitudeMinutes},
    {EDIT10, &GridFieldTexts::latitudeSeconds},
    {EDIT11, &GridFieldTexts::xShift},
    {EDIT12, &GridFieldTexts::yShift},
    {EDIT13, &GridFieldTexts::scaleFactor},
    {EDIT33, &GridFieldTexts::firstParallelDegrees},
    {EDIT35, &GridFieldTexts::firstParallelMinutes},
    {EDIT37, &GridFieldTexts::firstParallelSeconds},
    {EDIT34, &GridFieldTexts::secondParallelDegrees},
    {EDIT36, &GridFieldTexts::secondParallelMinutes},
    {EDIT38, &GridFieldTexts::secondParallelSeconds},
}};
constexpr std::size_t PROJECTION_AFTER = 9;

}  // namespace

GridFieldTexts gridFieldTexts(const Form& form) {
  GridFieldTexts t;
  for (const auto& [field, text] : GRID_FIELDS) t.*text = form.text(field);
  return t;
}

void writeGridFields(Form& form, const GridFieldTexts& t, int projection) {
  for (std::size_t i = 0; i < GRID_FIELDS.size(); ++i) {
    if (i == PROJECTION_AFTER && projection < form.entryCount(COMBO4)) form.selectPosition(COMBO4, projection);
    form.setText(GRID_FIELDS[i].first, t.*GRID_FIELDS[i].second);
  }
}

void GRIDDGET(Form& form, int& status) {
  status = 1;
  const GridReading r = readGridTexts(gridFieldTexts(form), form.selectedPosition(COMBO4));
  // GRID keeps its old values beyond what was read: the parallels of a grid that has
  // none, and everything after a refused field.
  for (int i = 0; i < r.read; ++i) GRID[static_cast<std::size_t>(i)] = r.record[static_cast<std::size_t>(i)];
  if (r.codeRead) PRJKIND = form.selectedPosition(COMBO4);
  if (r.problem) {
    form.showMessage(refusalMessage(*r.problem));
    status = 0;
  }
}

}  // namespace velqora
