#pragma once

namespace velqora {

class Form;

// Completes EARTH from the first usable pair of its values (completeEllipsoid,
// geodesy/ellipsoid_completion.h) and writes the two derived values into their
// fields as cut texts; shows the refusal's message and sets status to 0 when no pair
// is given or the pair fixes no real ellipsoid. EARTH then keeps what it held.
void EARTHCUL(Form& form, int& status);

// The ellipsoid fields EDIT1 to EDIT4 read into EARTH, an empty one as 0 ("not
// given"). A text that is not a number is refused with its message, EARTH untouched:
// false then. anyEmpty tells whether a field was empty.
[[nodiscard]] bool readEllipsoidFields(Form& form, bool& anyEmpty);

}  // namespace velqora
