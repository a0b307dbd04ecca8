#include "window/conversion_steps.h"

#include <string>

#include "geodesy/ellipsoid_completion.h"
#include "geodesy/forward_conversion.h"
#include "geodesy/number_text.h"
#include "window/earthcul.h"
#include "window/griddget.h"

namespace velqora {

bool commandPreamble(Form& form) {
  bool anyEmpty = false;
  if (!readEllipsoidFields(form, anyEmpty)) return false;
  // With a field empty the ellipsoid is completed and its two derived values stand
  // in their fields as cut texts, which the next command reads back.
  int status = 1;
  if (anyEmpty) {
    EARTHCUL(form, status);
    if (status == 0) return false;
  }
  if (!usableForConversion(ellipsoidOf(EARTH))) {
    form.showMessage(refusalMessage(EllipsoidRefusal::inconsistent));
    return false;
  }
  GRIDDGET(form, status);
  return status != 0;
}

bool refuseNotANumber(Form& form, const std::string& text, bool degrees) {
  if (degrees ? isDegreesText(text) : isNumberText(text)) return false;
  form.showMessage(notANumberMessage(text));
  return true;
}

void refuseConversion(Form& form, ConversionRefusal reason, std::initializer_list<Field> computed) {
  emptyFields(form, computed);
  form.showMessage(refusalMessage(reason));
}

void emptyFields(Form& form, std::initializer_list<Field> fields) {
  for (Field f : fields) form.setText(f, "");
}

void writeDerivedTexts(Form& form, const DerivedTexts& texts) {
  form.setText(EDIT30, texts.tangent);
  form.setText(EDIT24, texts.angle);
  writeAngleTexts(form, texts.angleParts, EDIT27, EDIT28, EDIT29);
  form.setText(EDIT31, texts.scaleFactor);
  form.setText(EDIT32, texts.arcSecondLength);
}

void writeAngleTexts(Form& form, const AngleTexts& texts, Field degrees, Field minutes, Field seconds) {
  form.setText(degrees, texts.degrees);
  form.setText(minutes, texts.minutes);
  form.setText(seconds, texts.seconds);
}

void projectToGrid(Form& form, double lambda, double phiDegrees) {
  const auto grid = Grid::make(ellipsoidOf(EARTH), currentGrid());
  if (!grid) return refuseConversion(form, grid.reason(), FORWARD_RESULTS);
  const auto conversion = convertToGridWithDerivedValues(*grid, lambda, phiDegrees);
  if (!conversion) return refuseConversion(form, conversion.reason(), FORWARD_RESULTS);
  POINT[8] = conversion->point.x;
  POINT[9] = conversion->point.y;
  const ForwardTexts texts = forwardTexts(*conversion);
  form.setText(EDIT22, texts.point.x);
  form.setText(EDIT23, texts.point.y);
  emptyFields(form, {EDIT25, EDIT26});
  writeDerivedTexts(form, texts.derived);
}

}  // namespace velqora
