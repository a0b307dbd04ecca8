#include "window/earthcul.h"

#include "geodesy/ellipsoid_completion.h"
#include "geodesy/number_text.h"
#include "window/form.h"
#include "window/records.h"

namespace velqora {

void EARTHCUL(Form& form, int& status) {
  status = 1;
  const auto completed = completeEllipsoid(ellipsoidOf(EARTH));
  if (!completed) {
    form.showMessage(refusalMessage(completed.reason()));
    status = 0;
    return;
  }
  EARTH = valuesOf(completed->ellipsoid);
  // EDIT1..EDIT4 hold a, b, 1/f, 1/e in that order; the derived two are written in
  // the order they were formed.
  for (const EllipsoidValue derived : completed->derived) {
    const auto field = static_cast<Field>(EDIT1 + static_cast<int>(derived));
    form.setText(field, ellipsoidValueText(valueOf(completed->ellipsoid, derived)));
  }
}

bool readEllipsoidFields(Form& form, bool& anyEmpty) {
  const std::array<std::string, 4> texts = {form.text(EDIT1), form.text(EDIT2), form.text(EDIT3), form.text(EDIT4)};
  for (const std::string& text : texts) {
    if (!isNumberText(text)) {
      form.showMessage(notANumberMessage(text));
      return false;
    }
  }
  anyEmpty = false;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    anyEmpty = anyEmpty || texts[i].empty();
    EARTH[i] = Number(texts[i]);
  }
  return true;
}

}  // namespace velqora
