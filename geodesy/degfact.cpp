// Grid convergence, point scale factor and the grid length of one arc-second of
// latitude, by a forward difference through the dispatcher: one method for every
// projection, so no projection needs formulas of its own for them.

#include "geodesy/degfact.h"

#include <cmath>
#include <string>

#include "geodesy/constants.h"
#include "geodesy/dispatcher.h"
#include "geodesy/display.h"
#include "geodesy/elementary.h"
#include "geodesy/meridian_arc.h"
#include "window/form.h"

namespace velqora {

Domain DEGFACT(Form& form, double dlam, double phi, double phi0, double phi1, double phi2) {
  double X1 = 0;
  double Y1 = 0;
  double X2 = 0;
  double Y2 = 0;
  if (PRJSL(dlam, phi, phi0, phi1, phi2, X1, Y1) == Domain::outside) return Domain::outside;
  const double phiNorth = phi + (1 / DEGPRAD) / 360;  // 10 arc-seconds further north
  if (PRJSL(dlam, phiNorth, phi0, phi1, phi2, X2, Y2) == Domain::outside) return Domain::outside;

  // Grid displacement per arc-second of latitude.
  const double dX = (X2 - X1) / 10;
  const double dY = (Y2 - Y1) / 10;
  // With no northward step on the grid the angle to true north has no tangent.
  if (dY == 0) return Domain::outside;
  const double T = dX / dY;
  const double gamma = velqora::atan(T) * DEGPRAD;
  double L = std::sqrt(dX * dX + dY * dY);
  const double k = L * 60 / static_cast<double>(LNGARCM(phi));
  L = L * 1000;  // metres
  if (!finite(T, gamma) || !finite(k, L)) return Domain::outside;

  // Everything is known to be a number before the first field changes.
  std::string degrees;
  std::string minutes;
  std::string seconds;
  DSPSEXA(gamma, degrees, minutes, seconds);
  form.setText(EDIT30, DSPDCM(T, 11));
  form.setText(EDIT24, DSPDCM(gamma, 11));
  form.setText(EDIT27, degrees);
  form.setText(EDIT28, minutes);
  form.setText(EDIT29, seconds);
  form.setText(EDIT31, unsignedText(k, 12));
  form.setText(EDIT32, unsignedText(L, 10));
  return Domain::inside;
}

}  // namespace velqora
