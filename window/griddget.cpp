#include "window/griddget.h"

#include "window/form.h"
#include "window/records.h"

namespace velqora {

GridFieldTexts gridFieldTexts(const Form& form) {
  GridFieldTexts t;
  t.longitudeDegrees = form.text(EDIT5);
  t.longitudeMinutes = form.text(EDIT7);
  t.longitudeSeconds = form.text(EDIT9);
  t.latitudeDegrees = form.text(EDIT6);
  t.latitudeMinutes = form.text(EDIT8);
  t.latitudeSeconds = form.text(EDIT10);
  t.xShift = form.text(EDIT11);
  t.yShift = form.text(EDIT12);
  t.scaleFactor = form.text(EDIT13);
  t.firstParallelDegrees = form.text(EDIT33);
  t.firstParallelMinutes = form.text(EDIT35);
  t.firstParallelSeconds = form.text(EDIT37);
  t.secondParallelDegrees = form.text(EDIT34);
  t.secondParallelMinutes = form.text(EDIT36);
  t.secondParallelSeconds = form.text(EDIT38);
  return t;
}

void writeGridFields(Form& form, const GridFieldTexts& t, int projection) {
  form.setText(EDIT5, t.longitudeDegrees);
  form.setText(EDIT7, t.longitudeMinutes);
  form.setText(EDIT9, t.longitudeSeconds);
  form.setText(EDIT6, t.latitudeDegrees);
  form.setText(EDIT8, t.latitudeMinutes);
  form.setText(EDIT10, t.latitudeSeconds);
  form.setText(EDIT11, t.xShift);
  form.setText(EDIT12, t.yShift);
  form.setText(EDIT13, t.scaleFactor);
  if (projection < form.entryCount(COMBO4)) form.selectPosition(COMBO4, projection);
  form.setText(EDIT33, t.firstParallelDegrees);
  form.setText(EDIT35, t.firstParallelMinutes);
  form.setText(EDIT37, t.firstParallelSeconds);
  form.setText(EDIT34, t.secondParallelDegrees);
  form.setText(EDIT36, t.secondParallelMinutes);
  form.setText(EDIT38, t.secondParallelSeconds);
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
