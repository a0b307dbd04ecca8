#pragma once

// The EPSG units of measure the catalogue converts from, exactly.

#include <gmpxx.h>

#include <optional>

namespace velqora::epsg {

// Metres in one unit of an EPSG length unit, as the dataset defines it (the US survey
// foot is 1200/3937 m, Clarke's foot 0.3047972654 m...); nullopt for a unit not listed.
[[nodiscard]] std::optional<mpq_class> metresPerUnit(int uomCode);

// Degrees of an angle given as a dataset value in an EPSG angle unit: degrees, grads,
// arc-minutes, arc-seconds, or sexagesimal DMS (DDD.MMSSsss, decoded from its decimal
// digits); nullopt for another unit or a DMS value whose minutes or seconds exceed 59.
[[nodiscard]] std::optional<mpq_class> degreesOf(double value, int uomCode);

// Whether a scale factor in the unit is the plain ratio (unity, coefficient).
[[nodiscard]] constexpr bool plainRatio(int uomCode) { return uomCode == 9201 || uomCode == 9203; }

}  // namespace velqora::epsg
