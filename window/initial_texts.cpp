#include "window/form.h"

namespace velqora {

std::string initialText(Field field) {
  switch (field) {
    case EDIT7:
    case EDIT8:
      return "00";
    case EDIT9:
    case EDIT10:
      return "00.00";
    case EDIT11:
    case EDIT12:
      return "+0";
    case EDIT13:
      return "1.000";
    default:
      return "";
  }
}

}  // namespace velqora
