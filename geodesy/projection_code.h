#pragma once

namespace velqora {

// Projection codes: the 0-based positions in the projection list.
enum ProjectionCode : int {
  NO_PROJECTION = 0,
  TRANSVERSE_MERCATOR = 1,
  OBLIQUE_MERCATOR = 2,
  LAMBERT_TWO_PARALLELS = 3,
  LAMBERT_ONE_PARALLEL = 4,
  CASSINI_SOLDNER = 5,
  OBLIQUE_STEREOGRAPHIC = 6,
};

// A code of the list that selects a projection (1 to 6).
[[nodiscard]] constexpr bool selectsProjection(int code) {
  return code >= TRANSVERSE_MERCATOR && code <= OBLIQUE_STEREOGRAPHIC;
}

}  // namespace velqora
