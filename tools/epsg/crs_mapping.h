#pragma once

// An EPSG projected CRS as a catalogue entry: which of the six projections draws it
// exactly, and its parameters as the texts the window's fields take.

#include <gmpxx.h>
#include <proj.h>

#include <array>
#include <string>
#include <variant>

#include "datafiles/epsg_catalogue.h"
#include "tools/epsg/proj_db.h"

namespace velqora::epsg {

// Why a CRS is not in the catalogue, for the generator's summary: "method Hotine
// Oblique Mercator (variant A) (EPSG:9812)", "ellipsoid is a sphere"...
struct Skip {
  std::string reason;
};

// The exact values behind an entry's angle and length texts: degrees from Greenwich
// and kilometres.
struct ExactValues {
  mpq_class longitude, latitude, firstParallel, secondParallel;  // the parallels for LCC2 only
  mpq_class xShift, yShift;
};

struct MappedCrs {
  CatalogueEntry entry;  // its series error not yet known
  ExactValues exact;
};

[[nodiscard]] std::variant<MappedCrs, Skip> catalogueEntryOf(PJ_CONTEXT* context, const ProjDatabase& db,
                                                             const std::string& code);

// An angle in degrees as degree, arc-minute and arc-second texts: the sign of the whole
// angle on the degrees ("-0" for a western or southern angle below one degree), the
// arc-seconds with the fewest decimals that keep them within 5e-10 of the exact value.
[[nodiscard]] std::array<std::string, 3> sexagesimalTexts(const mpq_class& degrees);

}  // namespace velqora::epsg
