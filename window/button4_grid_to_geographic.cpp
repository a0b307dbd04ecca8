// "By Rectangular Coordinate": grid X and Y back to longitude and latitude. There is
// no inverse formula: the forward dispatcher is iterated from a first estimate,
// correcting it by the remaining grid difference over the prime-vertical radius,
// until the estimate projects within 0.1 m of the typed point.

#include <cmath>
#include <string>

#include "datafiles/grid_group.h"
#include "geodesy/constants.h"
#include "geodesy/degfact.h"
#include "geodesy/dispatcher.h"
#include "geodesy/display.h"
#include "geodesy/elementary.h"
#include "geodesy/ellipsoid.h"
#include "geodesy/number_text.h"
#include "window/conversion_steps.h"
#include "window/handlers.h"

namespace velqora {

namespace {

constexpr int ITERATION_LIMIT = 90000;  // a click costs at most 90001 projections
constexpr double TOLERANCE_KM2 = 1e-8;  // (0.1 m)^2

// Reads X or Y; an empty field is told but read as 0 and the command goes on.
double readCoordinate(Form& form, Field field) {
  const std::string text = form.text(field);
  if (text.empty()) form.showMessage("Please set a point data.");
  return Number(text);
}

}  // namespace

void BUTTON4_ON(Form& form) {
  if (!commandPreamble(form)) return;
  POINT[8] = readCoordinate(form, EDIT22);
  POINT[9] = readCoordinate(form, EDIT23);
  const double X = POINT[8];
  const double Y = POINT[9];
  if (!finite(X, Y)) return refuseOutsidePoint(form, INVERSE_RESULTS);
  if (!projectionSelected(form, INVERSE_RESULTS)) return;

  const Origin o = originOfGrid();
  const double Xs = GRID[6];
  const double Ys = GRID[7];
  const double k0 = GRID[8];

  // First estimate: the grid offsets from the origin taken as arcs of the polar radius.
  double phi = o.phi0 + ((Y - Ys) / k0) / EARTH[1];
  double dlam = (((X - Xs) / k0) / EARTH[1]) / velqora::cos(phi);
  double Xc = 0;
  double Yc = 0;
  double dX = 0;
  double dY = 0;
  for (int n = 1;; ++n) {
    // The dispatcher refuses an estimate that is no number or lies outside the
    // projection's domain (a pole, say): the point cannot be converted.
    if (PRJSL(dlam, phi, o.phi0, o.phi1, o.phi2, Xc, Yc) == Domain::outside)
      return refuseOutsidePoint(form, INVERSE_RESULTS);
    dX = X - Xc;
    dY = Y - Yc;
    if (n > ITERATION_LIMIT) break;
    if (dX * dX + dY * dY < TOLERANCE_KM2) break;
    const double s = velqora::sin(phi);
    const double N = EARTH[0] * EARTH[3] / std::sqrt(EARTH[3] * EARTH[3] - s * s);
    phi = phi + dY / N;
    dlam = dlam + (dX / N) / velqora::cos(phi);
  }

  // Residual of the estimate shown, computed minus typed, in metres.
  const double eX = -dX * 1000;
  const double eY = -dY * 1000;
  const double lambda = dlam * DEGPRAD + o.lambda0;  // not folded into +-180 degrees
  const double phiDegrees = phi * DEGPRAD;
  if (!finite(eX, eY) || !finite(lambda, phiDegrees)) return refuseOutsidePoint(form, INVERSE_RESULTS);
  form.setText(EDIT25, DSPDCM(eX, 5));
  form.setText(EDIT26, DSPDCM(eY, 5));
  if (DEGFACT(form, dlam, phi, o.phi0, o.phi1, o.phi2) == Domain::outside)
    return refuseOutsidePoint(form, INVERSE_RESULTS);
  POINT[6] = lambda;
  POINT[7] = phiDegrees;
  form.setText(EDIT20, DSPDCM(lambda, 11));
  form.setText(EDIT21, DSPDCM(phiDegrees, 11));

  std::string d, m, s;
  DSPSEXA(lambda, d, m, s);
  std::string bd, bm, bs;
  DSPSEXA(phiDegrees, bd, bm, bs);
  form.setText(EDIT14, d);
  form.setText(EDIT16, m);
  form.setText(EDIT18, s);
  form.setText(EDIT15, bd);
  form.setText(EDIT17, bm);
  form.setText(EDIT19, bs);
}

}  // namespace velqora
