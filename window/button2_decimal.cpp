// "By Polar Coordinate(Decimal)": a point typed in decimal degrees to grid X and Y,
// with its sexagesimal echo and the derived values of DEGFACT.

#include <cmath>
#include <string>

#include "geodesy/display.h"
#include "geodesy/number_text.h"
#include "window/conversion_steps.h"
#include "window/handlers.h"

namespace velqora {

namespace {

// The angle's three texts, and the point record's slots from their numbers.
AngleTexts echo(double degrees, int firstSlot) {
  AngleTexts t = sexagesimalTexts(degrees);
  POINT[firstSlot] = Number(t.degrees);
  POINT[firstSlot + 1] = Number(t.minutes);
  POINT[firstSlot + 2] = Number(t.seconds);
  return t;
}

}  // namespace

void BUTTON2_ON(Form& form) {
  if (!commandPreamble(form)) return;
  const std::string longitudeText = form.text(EDIT20);
  const std::string latitudeText = form.text(EDIT21);
  if (refuseNotANumber(form, longitudeText) || refuseNotANumber(form, latitudeText)) return;
  const bool longitudeGiven = !longitudeText.empty();
  const bool latitudeGiven = !latitudeText.empty();
  if (!longitudeGiven && !latitudeGiven) form.showMessage("Please set a point data.");

  POINT[6] = Number(longitudeText);
  POINT[7] = Number(latitudeText);
  const double lambda = POINT[6];
  const double phiDegrees = POINT[7];

  // A typed number beyond the double range has no angle to show.
  const bool longitudeBad = longitudeGiven && !std::isfinite(lambda);
  const bool latitudeBad = latitudeGiven && !std::isfinite(phiDegrees);
  const AngleTexts L = longitudeBad ? AngleTexts{} : echo(lambda, 0);
  const AngleTexts B = latitudeBad ? AngleTexts{} : echo(phiDegrees, 3);
  if (longitudeBad || latitudeBad) {
    refuseConversion(form, ConversionRefusal::outsideArea, FORWARD_RESULTS);
    writeAngleTexts(form, longitudeGiven ? L : AngleTexts{}, EDIT14, EDIT16, EDIT18);
    writeAngleTexts(form, latitudeGiven ? B : AngleTexts{}, EDIT15, EDIT17, EDIT19);
    return;
  }

  // Only one coordinate typed: show it in the other format, compute nothing.
  if (!longitudeGiven) {
    writeAngleTexts(form, B, EDIT15, EDIT17, EDIT19);
    emptyFields(form, {EDIT14, EDIT16, EDIT18, EDIT22, EDIT23, EDIT24, EDIT25, EDIT26, EDIT27, EDIT28, EDIT29, EDIT30});
    return;
  }
  if (!latitudeGiven) {
    writeAngleTexts(form, L, EDIT14, EDIT16, EDIT18);
    emptyFields(form, {EDIT15, EDIT17, EDIT19, EDIT22, EDIT23, EDIT24, EDIT25, EDIT26, EDIT27, EDIT28, EDIT29, EDIT30});
    return;
  }
  writeAngleTexts(form, L, EDIT14, EDIT16, EDIT18);
  writeAngleTexts(form, B, EDIT15, EDIT17, EDIT19);

  projectToGrid(form, lambda, phiDegrees);
}

}  // namespace velqora
