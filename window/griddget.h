#pragma once

#include "datafiles/grid_group.h"

namespace velqora {

class Form;

// The texts of the origin, shift, scale and standard-parallel fields.
[[nodiscard]] GridFieldTexts gridFieldTexts(const Form& form);

// Reads those fields and the selected position of COMBO4 into GRID and PRJKIND with
// readGridTexts (datafiles/grid_group.h); on the first bad field shows its message
// and sets status to 0, leaving the record written as far as the reading got.
void GRIDDGET(Form& form, int& status);

}  // namespace velqora
