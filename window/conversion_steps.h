#pragma once

#include <initializer_list>

#include "geodesy/conversion_refusal.h"
#include "geodesy/derived_values.h"
#include "geodesy/display.h"
#include "window/form.h"
#include "window/records.h"

namespace velqora {

// The start of every conversion: the ellipsoid fields into EARTH (completed by
// EARTHCUL when one is empty, refused when they describe no usable ellipsoid),
// then GRIDDGET. False when the command must end; a message has been shown.
[[nodiscard]] bool commandPreamble(Form& form);

// True after showing the message when a text the command reads as a number is not
// one (isNumberText; with degrees, isDegreesText): the command then ends and writes
// no field.
[[nodiscard]] bool refuseNotANumber(Form& form, const std::string& text, bool degrees = false);

// The answer to a conversion refused for the given reason: the fields of computed
// values emptied first, so that no stale number stands beside the message while it
// is open, then the reason's message.
void refuseConversion(Form& form, ConversionRefusal reason, std::initializer_list<Field> computed);

void emptyFields(Form& form, std::initializer_list<Field> fields);

// The derived values' texts into EDIT30, EDIT24, EDIT27-EDIT29, EDIT31, EDIT32.
void writeDerivedTexts(Form& form, const DerivedTexts& texts);

// An angle's degrees, arc-minutes and arc-seconds texts into their three fields.
void writeAngleTexts(Form& form, const AngleTexts& texts, Field degrees, Field minutes, Field seconds);

// The end of both forward commands, once the typed point is echoed: the conversion
// of the point on EARTH and the grid group GRID/PRJKIND, X and Y and the derived
// values shown, or the refusal.
void projectToGrid(Form& form, double lambda, double phiDegrees);

// The fields each command fills with computed values.
inline constexpr std::initializer_list<Field> FORWARD_RESULTS = {EDIT22, EDIT23, EDIT24, EDIT25, EDIT26, EDIT27,
                                                                 EDIT28, EDIT29, EDIT30, EDIT31, EDIT32};
inline constexpr std::initializer_list<Field> INVERSE_RESULTS = {EDIT14, EDIT15, EDIT16, EDIT17, EDIT18, EDIT19,
                                                                 EDIT20, EDIT21, EDIT24, EDIT25, EDIT26, EDIT27,
                                                                 EDIT28, EDIT29, EDIT30, EDIT31, EDIT32};

}  // namespace velqora
