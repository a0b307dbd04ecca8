#pragma once

// The reference ellipsoid as values: completed from any two of its four values with
// EARTHCUL's arithmetic and checks, and the texts the window shows for them.
//
//   completeEllipsoid(given)            the four values, or why not (EARTHCUL)
//   ellipsoidForConversion(values, ..)  the ellipsoid a conversion runs on, settled
//                                       as the window's commands settle it
//   ellipsoidValueText(v)               a completed value's text ("6356.75231414")

#include <array>
#include <string>

#include "geodesy/ellipsoid.h"
#include "geodesy/outcome.h"

namespace velqora {

// The four values by position: the order of EARTH and of the fields EDIT1 to EDIT4.
enum class EllipsoidValue : int { a = 0, b = 1, inverseFlattening = 2, inverseEccentricity = 3 };

[[nodiscard]] std::array<double, 4> valuesOf(const Ellipsoid& e);
[[nodiscard]] Ellipsoid ellipsoidOf(const std::array<double, 4>& values);
[[nodiscard]] double valueOf(const Ellipsoid& e, EllipsoidValue which);

enum class EllipsoidRefusal {
  noRadius,      // neither radius given: "Please set a Radius."
  radiusAlone,   // a radius without a second value: "Please set two data of a Ellipsoid."
  inconsistent,  // the values fix no real, flattened ellipsoid: "The ellipsoid data are inconsistent."
};

// The window's message for a refusal.
[[nodiscard]] const char* refusalMessage(EllipsoidRefusal reason);

struct CompletedEllipsoid {
  Ellipsoid ellipsoid;
  // The two values derived from the pair that was used, in the order they were
  // formed (and their fields written); every other value is as given.
  std::array<EllipsoidValue, 2> derived;
};

// EARTHCUL's arithmetic: the first of the pairs (a, b), (a, 1/f), (a, 1/e), (b, 1/f),
// (b, 1/e) whose two values are both greater than 0 fixes the other two; values
// given beyond the pair are overwritten. Refused when no pair is given or the result
// is no real, flattened ellipsoid (a > b > 0, 1/f > 1, 1/e > 1, all finite).
[[nodiscard]] Outcome<CompletedEllipsoid, EllipsoidRefusal> completeEllipsoid(const Ellipsoid& given);

// What the projections and the grid-to-geographic start values need of an ellipsoid
// taken as typed: a > 0, b > 0, 1/e > 1, all four finite (a < b passes: only a and
// 1/e enter the projections).
[[nodiscard]] bool usableForConversion(const Ellipsoid& e);

// The ellipsoid a conversion runs on, as the window's commands settle it: when a value
// is missing (its field empty; pass 0 for it) the four are completed; when all four are
// given they are taken as they stand, without completion. Either way they must be
// usable for a conversion.
[[nodiscard]] Outcome<Ellipsoid, EllipsoidRefusal> ellipsoidForConversion(const Ellipsoid& values, bool valueMissing);

// A completed value as the window shows it: 12 cut digits without the sign.
[[nodiscard]] std::string ellipsoidValueText(double value);

}  // namespace velqora
