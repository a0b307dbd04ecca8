#pragma once

// Exact arithmetic on the decimal values of the EPSG dataset. proj.db holds them as
// doubles; the shortest text that reads back to such a double is the decimal the
// dataset wrote, so that text, not the double, is what gets converted.

#include <gmpxx.h>

#include <string>
#include <string_view>

namespace velqora::epsg {

// The shortest decimal text, without an exponent, that reads back to the double
// ("6378137", "0.9996", "0.00001").
[[nodiscard]] std::string shortestText(double value);

// The exact value of a decimal text: an optional sign, digits, a point, digits.
[[nodiscard]] mpq_class decimalValue(std::string_view text);

// The exact value of the decimal that a dataset double stands for.
[[nodiscard]] inline mpq_class datasetValue(double value) { return decimalValue(shortestText(value)); }

// The double nearest to an exact value (ties to even).
[[nodiscard]] double nearestDouble(const mpq_class& value);

// The text of a value rounded to a number of decimals (ties away from zero), without
// trailing zeros or a trailing point.
[[nodiscard]] std::string roundedText(const mpq_class& value, int decimals);

}  // namespace velqora::epsg
