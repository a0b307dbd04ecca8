#include "window/conversion_steps.h"

#include <cmath>

#include "datafiles/grid_group.h"
#include "geodesy/constants.h"
#include "geodesy/degfact.h"
#include "geodesy/dispatcher.h"
#include "geodesy/display.h"
#include "geodesy/ellipsoid.h"
#include "geodesy/number_text.h"

namespace velqora {

namespace {

// What the projections and the grid-to-geographic start values need of typed
// ellipsoid values: a > 0, b > 0, 1/e > 1, all four finite. (a < b passes: only
// a and 1/e enter the projections.)
bool usableTypedEllipsoid() {
  for (double v : EARTH)
    if (!std::isfinite(v)) return false;
  return EARTH[0] > 0 && EARTH[1] > 0 && EARTH[3] > 1;
}

}  // namespace

bool commandPreamble(Form& form) {
  const std::array<Field, 4> fields = {EDIT1, EDIT2, EDIT3, EDIT4};
  bool anyEmpty = false;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const std::string text = form.text(fields[i]);
    anyEmpty = anyEmpty || text.empty();
    EARTH[i] = Number(text);
  }
  int status = 1;
  if (anyEmpty) {
    EARTHCUL(form, status);
    if (status == 0) return false;
  }
  if (!usableTypedEllipsoid()) {
    form.showMessage("The ellipsoid data are inconsistent.");
    return false;
  }
  GRIDDGET(form, status);
  return status != 0;
}

Origin originOfGrid() {
  Origin o;
  o.lambda0 = GRID[0] + GRID[1] / 60 + GRID[2] / 3600;
  o.phi0 = (GRID[3] + GRID[4] / 60 + GRID[5] / 3600) / DEGPRAD;
  if (PRJKIND == 3) {
    o.phi1 = (GRID[9] + GRID[10] / 60 + GRID[11] / 3600) / DEGPRAD;
    o.phi2 = (GRID[12] + GRID[13] / 60 + GRID[14] / 3600) / DEGPRAD;
  }
  return o;
}

bool projectionSelected(Form& form, std::initializer_list<Field> computed) {
  if (PRJKIND >= 1 && PRJKIND <= 6) return true;
  // Emptied first, so that no stale number stands beside the message while it is open.
  emptyFields(form, computed);
  form.showMessage("Please select a projection.");
  return false;
}

void refuseOutsidePoint(Form& form, std::initializer_list<Field> computed) {
  emptyFields(form, computed);
  form.showMessage("The point is outside the area that the projection can convert.");
}

void emptyFields(Form& form, std::initializer_list<Field> fields) {
  for (Field f : fields) form.setText(f, "");
}

void projectToGrid(Form& form, double lambda, double phiDegrees) {
  if (!projectionSelected(form, FORWARD_RESULTS)) return;
  const Origin o = originOfGrid();
  // The longitude difference is not folded: 350 degrees go in as 350 degrees.
  const double dlam = (lambda - o.lambda0) / DEGPRAD;
  const double phi = phiDegrees / DEGPRAD;
  if (PRJSL(dlam, phi, o.phi0, o.phi1, o.phi2, POINT[8], POINT[9]) == Domain::outside)
    return refuseOutsidePoint(form, FORWARD_RESULTS);
  form.setText(EDIT22, DSPDCM(POINT[8], 11));
  form.setText(EDIT23, DSPDCM(POINT[9], 11));
  emptyFields(form, {EDIT25, EDIT26});
  if (DEGFACT(form, dlam, phi, o.phi0, o.phi1, o.phi2) == Domain::outside)
    refuseOutsidePoint(form, FORWARD_RESULTS);
}

}  // namespace velqora
