#include "geodesy/domain.h"

#include "geodesy/constants.h"
#include "geodesy/ellipsoid.h"

namespace velqora {

bool latitudeInside(double phi) { return phi > -PI / 2 && phi < PI / 2; }

bool ellipsoidCompleted() {
  return std::isfinite(EARTH[0]) && EARTH[0] > 0 && std::isfinite(EARTH[3]) && EARTH[3] > 1;
}

}  // namespace velqora
