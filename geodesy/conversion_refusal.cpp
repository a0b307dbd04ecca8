#include "geodesy/conversion_refusal.h"

namespace velqora {

const char* refusalMessage(ConversionRefusal reason) {
  switch (reason) {
    case ConversionRefusal::unusableEllipsoid:
      return "The ellipsoid data are inconsistent.";
    case ConversionRefusal::noProjection:
      return "Please select a projection.";
    case ConversionRefusal::invalidGrid:
      return "The grid data are not valid for this projection.";
    case ConversionRefusal::outsideArea:
      break;
  }
  return "The point is outside the area that the projection can convert.";
}

}  // namespace velqora
