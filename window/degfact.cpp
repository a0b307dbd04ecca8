#include "window/degfact.h"

#include "geodesy/derived_values.h"
#include "geodesy/grid_record.h"
#include "window/conversion_steps.h"
#include "window/form.h"

namespace velqora {

Domain DEGFACT(Form& form, double dlam, double phi, double phi0, double phi1, double phi2) {
  const auto values = derivedValuesAt(currentGrid(), {dlam, phi, phi0, phi1, phi2});
  if (!values) return Domain::outside;
  writeDerivedTexts(form, derivedTexts(*values));
  return Domain::inside;
}

}  // namespace velqora
