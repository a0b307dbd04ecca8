// Rounding m 2^e to the nearest double, for the exponential and the power function,
// whose results reach the subnormal range and overflow.

#include "geodesy/elementary_kernels.h"

namespace velqora::elementary {

std::optional<double> roundScaledIfSure(DD m, double err, int e) {
  // m into [1, 2): then m 2^e is subnormal exactly when e < -1022.
  if (m.hi >= 2) {
    m = {m.hi / 2, m.lo / 2};
    err /= 2;
    ++e;
  } else if (m.hi < 1) {
    m = {m.hi * 2, m.lo * 2};
    err *= 2;
    --e;
  }
  if (e >= -1022) {
    const std::optional<double> r = roundIfSure(m, err);
    if (!r) return r;
    // Two steps near the top, so that 2^e itself stays finite; an overflow gives inf.
    if (e > 1000) return *r * powerOfTwo(e - 1000) * 0x1p1000;
    return *r * powerOfTwo(e);
  }
  if (e < -1080) return 0.0;  // below half the least subnormal
  // Subnormal: 1 + m 2^(e+1022) rounds to the grid of 2^-52 exactly as m 2^e rounds to
  // the subnormal grid of 2^-1074; subtracting 1 and scaling by 2^-1022 are then exact.
  const double s = powerOfTwo(e + 1022);
  const DD v{m.hi * s, m.lo * s};
  const DD w = dd::fastTwoSum(1.0, v.hi);
  const std::optional<double> r = roundIfSure({w.hi, w.lo + v.lo}, err * s);
  if (!r) return r;
  return (*r - 1) * 0x1p-1022;
}

}  // namespace velqora::elementary
