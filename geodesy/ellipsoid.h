#pragma once

#include <array>

namespace velqora {

// The reference ellipsoid the projections read: a (km), b (km), inverse flattening,
// inverse eccentricity. The window's commands fill it from the fields (EARTHCUL,
// window/earthcul.h, completes it); before that a value not greater than 0 stands
// for "not given". Each thread has its own, as it has its own projection constants, so
// that the batch converter can convert on several threads at once.
inline thread_local std::array<double, 4> EARTH{};

// Puts an ellipsoid into EARTH for as long as it lives and the previous one back
// afterwards: how the value functions hand their ellipsoid to the projections.
class EllipsoidInUse {
public:
  explicit EllipsoidInUse(const std::array<double, 4>& values) : previous_(EARTH) { EARTH = values; }
  ~EllipsoidInUse() { EARTH = previous_; }
  EllipsoidInUse(const EllipsoidInUse&) = delete;
  EllipsoidInUse& operator=(const EllipsoidInUse&) = delete;

private:
  std::array<double, 4> previous_;
};

}  // namespace velqora
