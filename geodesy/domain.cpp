#include "geodesy/domain.h"

#include "geodesy/constants.h"

namespace velqora {

bool latitudeInside(double phi) { return phi > -PI / 2 && phi < PI / 2; }

bool latitudeReachesAtMostAPole(double phi) { return std::fabs(phi) <= 90 / DEGPRAD; }

bool atAPole(double phi) { return std::fabs(phi) == 90 / DEGPRAD; }

}  // namespace velqora
