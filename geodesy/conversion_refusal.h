#pragma once

namespace velqora {

// Why a conversion gives no coordinates.
enum class ConversionRefusal {
  unusableEllipsoid,  // not usableForConversion (ellipsoid_completion.h)
  noProjection,       // the grid's code selects no projection
  invalidGrid,        // the grid's own values define no projection, whatever the point:
                      // an origin latitude at or beyond a pole, a one-parallel Lambert
                      // origin on the equator, two-parallel Lambert parallels that are
                      // opposite (phi1 = -phi2)...
  outsideArea,        // this point lies outside what the projection can convert (a
                      // pole, the antipode, a value that is no number...)
};

// The window's message for a refusal.
[[nodiscard]] const char* refusalMessage(ConversionRefusal reason);

}  // namespace velqora
