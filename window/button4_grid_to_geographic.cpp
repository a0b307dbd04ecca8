// "By Rectangular Coordinate": grid X and Y back to longitude and latitude, by the
// iteration of geodesy/inverse_conversion.h on EARTH and the grid group.

#include <optional>
#include <string>

#include "geodesy/domain.h"
#include "geodesy/ellipsoid_completion.h"
#include "geodesy/inverse_conversion.h"
#include "geodesy/number_text.h"
#include "window/conversion_steps.h"
#include "window/handlers.h"

namespace velqora {

namespace {

// Reads X or Y; an empty field is told but read as 0 and the command goes on. Nothing
// after the message when the text is not a number.
std::optional<double> readCoordinate(Form& form, Field field) {
  const std::string text = form.text(field);
  if (refuseNotANumber(form, text)) return std::nullopt;
  if (text.empty()) form.showMessage("Please set a point data.");
  return Number(text);
}

}  // namespace

void BUTTON4_ON(Form& form) {
  if (!commandPreamble(form)) return;
  const auto x = readCoordinate(form, EDIT22);
  if (!x) return;
  const auto y = readCoordinate(form, EDIT23);
  if (!y) return;
  POINT[8] = *x;
  POINT[9] = *y;
  const double X = POINT[8];
  const double Y = POINT[9];
  if (!finite(X, Y)) return refuseConversion(form, ConversionRefusal::outsideArea, INVERSE_RESULTS);

  const auto grid = Grid::make(ellipsoidOf(EARTH), currentGrid());
  if (!grid) return refuseConversion(form, grid.reason(), INVERSE_RESULTS);
  const auto conversion = convertToGeographicWithDerivedValues(*grid, X, Y);
  if (!conversion) return refuseConversion(form, conversion.reason(), INVERSE_RESULTS);
  POINT[6] = conversion->point.longitude;
  POINT[7] = conversion->point.latitude;

  const InverseTexts texts = inverseTexts(*conversion);
  form.setText(EDIT25, texts.residuals.x);
  form.setText(EDIT26, texts.residuals.y);
  writeDerivedTexts(form, texts.derived);
  form.setText(EDIT20, texts.point.longitude);
  form.setText(EDIT21, texts.point.latitude);
  writeAngleTexts(form, texts.point.longitudeParts, EDIT14, EDIT16, EDIT18);
  writeAngleTexts(form, texts.point.latitudeParts, EDIT15, EDIT17, EDIT19);
}

}  // namespace velqora
