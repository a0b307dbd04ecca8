// "By Polar Coordinate(Sexagesimal))": a point typed in degrees, arc-minutes and
// arc-seconds to grid X and Y, with its decimal echo and the derived values.

#include <cmath>
#include <optional>
#include <string>

#include "geodesy/display.h"
#include "geodesy/number_text.h"
#include "window/conversion_steps.h"
#include "window/handlers.h"

namespace velqora {

namespace {

// One angle's parts into the point record, or nothing after the message when the
// arc-minutes or arc-seconds are not a number. The whole angle takes its sign from the
// first character of the degrees text, so "-0" with 30 arc-minutes is -0.5 degrees;
// the minutes and seconds are multiplied by that sign.
std::optional<double> readAngle(Form& form, const std::string& degreesText, Field minutes, Field seconds,
                                int firstSlot) {
  const std::string minutesText = form.text(minutes);
  const std::string secondsText = form.text(seconds);
  if (refuseNotANumber(form, minutesText) || refuseNotANumber(form, secondsText)) return std::nullopt;
  const double s = Sign(degreesText);
  POINT[firstSlot] = Number(degreesText);
  POINT[firstSlot + 1] = s * Number(minutesText);
  POINT[firstSlot + 2] = s * Number(secondsText);
  return POINT[firstSlot] + POINT[firstSlot + 1] / 60 + POINT[firstSlot + 2] / 3600;
}

}  // namespace

void BUTTON3_ON(Form& form) {
  if (!commandPreamble(form)) return;
  const std::string longitudeText = form.text(EDIT14);
  const std::string latitudeText = form.text(EDIT15);
  if (refuseNotANumber(form, longitudeText, true) || refuseNotANumber(form, latitudeText, true)) return;
  const bool longitudeGiven = !longitudeText.empty();
  const bool latitudeGiven = !latitudeText.empty();
  if (!longitudeGiven && !latitudeGiven) form.showMessage("Please set a point data.");

  const auto longitude = readAngle(form, longitudeText, EDIT16, EDIT18, 0);
  if (!longitude) return;
  const auto latitude = readAngle(form, latitudeText, EDIT17, EDIT19, 3);
  if (!latitude) return;
  POINT[6] = *longitude;
  POINT[7] = *latitude;
  const double lambda = POINT[6];
  const double phiDegrees = POINT[7];

  // An angle is shown only when its degrees were typed; one that is no number
  // (a part beyond the double range) ends the command there.
  const bool longitudeBad = longitudeGiven && !std::isfinite(lambda);
  const bool latitudeBad = (latitudeGiven || !longitudeGiven) && !std::isfinite(phiDegrees);
  if (longitudeBad || latitudeBad) {
    refuseConversion(form, ConversionRefusal::outsideArea, FORWARD_RESULTS);
    form.setText(EDIT20, longitudeGiven && !longitudeBad ? decimalDegreesText(lambda) : "");
    form.setText(EDIT21, latitudeGiven && !latitudeBad ? decimalDegreesText(phiDegrees) : "");
    return;
  }

  // Only one coordinate typed: show it in decimal degrees, compute nothing.
  if (!longitudeGiven) {
    form.setText(EDIT20, "");
    form.setText(EDIT21, decimalDegreesText(phiDegrees));
    emptyFields(form, {EDIT22, EDIT23, EDIT24, EDIT25, EDIT26, EDIT27, EDIT28, EDIT29, EDIT30});
    return;
  }
  if (!latitudeGiven) {
    form.setText(EDIT20, decimalDegreesText(lambda));
    form.setText(EDIT21, "");
    emptyFields(form, {EDIT22, EDIT23, EDIT24, EDIT25, EDIT26, EDIT27, EDIT28, EDIT29, EDIT30});
    return;
  }
  form.setText(EDIT20, decimalDegreesText(lambda));
  form.setText(EDIT21, decimalDegreesText(phiDegrees));

  projectToGrid(form, lambda, phiDegrees);
}

}  // namespace velqora
