#pragma once

#include "datafiles/grid_group.h"

namespace velqora {

class Form;

// The texts of the origin, shift, scale and standard-parallel fields.
[[nodiscard]] GridFieldTexts gridFieldTexts(const Form& form);

// A picked grid (a grid group, or a grid of the EPSG catalogue) into those fields, and
// its projection code selected in COMBO4, in the order picking a grid group writes
// them: the origin, shifts and scale, the projection, then the standard parallels.
void writeGridFields(Form& form, const GridFieldTexts& texts, int projection);

// Reads those fields and the selected position of COMBO4 into GRID and PRJKIND with
// readGridTexts (datafiles/grid_group.h); on the first bad field shows its message
// and sets status to 0, leaving the record written as far as the reading got.
void GRIDDGET(Form& form, int& status);

}  // namespace velqora
