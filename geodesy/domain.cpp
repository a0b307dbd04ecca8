#include "geodesy/domain.h"

#include "geodesy/constants.h"

namespace velqora {

bool latitudeInside(double phi) { return phi > -PI / 2 && phi < PI / 2; }

}  // namespace velqora
