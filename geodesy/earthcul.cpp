#include <cmath>

#include "geodesy/display.h"
#include "geodesy/ellipsoid.h"
#include "window/form.h"

namespace velqora {

namespace {

// a > b > 0, 1/f > 1, 1/e > 1, all finite: the values of a real, flattened ellipsoid.
bool realEllipsoid(const std::array<double, 4>& e) {
  for (double v : e)
    if (!std::isfinite(v)) return false;
  return e[1] > 0 && e[0] > e[1] && e[2] > 1 && e[3] > 1;
}

}  // namespace

void EARTHCUL(Form& form, int& status) {
  status = 1;
  // The first pair of given values (both greater than 0) fixes the ellipsoid. Its
  // two derived values are formed in order, the second from the first where the
  // formula needs it, on a copy: a pair that fixes no real ellipsoid is refused
  // before EARTH or any field changes.
  std::array<double, 4> e = EARTH;
  double& a = e[0];
  double& b = e[1];
  double& rf = e[2];  // inverse flattening
  double& re = e[3];  // inverse eccentricity
  Field first{};
  Field second{};
  if (a > 0 && b > 0) {
    rf = a / (a - b);
    re = a / std::sqrt(a * a - b * b);
    first = EDIT3;
    second = EDIT4;
  } else if (a > 0 && rf > 0) {
    b = a - a / rf;
    re = rf / std::sqrt(2 * rf - 1);
    first = EDIT2;
    second = EDIT4;
  } else if (a > 0 && re > 0) {
    rf = re / (re - std::sqrt(re * re - 1));
    b = a * std::sqrt(re * re - 1) / re;
    first = EDIT2;
    second = EDIT3;
  } else if (b > 0 && rf > 0) {
    a = b * rf / (rf - 1);
    re = rf / std::sqrt(2 * rf - 1);
    first = EDIT1;
    second = EDIT4;
  } else if (b > 0 && re > 0) {
    rf = re / (re - std::sqrt(re * re - 1));
    a = b * re / std::sqrt(re * re - 1);
    first = EDIT1;
    second = EDIT3;
  } else {
    form.showMessage(!(a > 0) && !(b > 0) ? "Please set a Radius." : "Please set two data of a Ellipsoid.");
    status = 0;
    return;
  }

  if (!realEllipsoid(e)) {
    form.showMessage("The ellipsoid data are inconsistent.");
    status = 0;
    return;
  }
  EARTH = e;
  // EDIT1..EDIT4 hold a, b, 1/f, 1/e in that order.
  form.setText(first, unsignedText(EARTH[first - EDIT1], 12));
  form.setText(second, unsignedText(EARTH[second - EDIT1], 12));
}

}  // namespace velqora
