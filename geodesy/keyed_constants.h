#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

namespace velqora {

// The constants of a projection that depend only on the ellipsoid and the origin
// (and the standard parallels), kept from the last call. The grid-to-geographic
// command calls the same projection tens of thousands of times per click with the
// same ellipsoid and origin, so recomputing them each time is wasted work. The key
// is compared bit for bit, so the constants are exactly those that the steps would
// compute afresh and the results do not change by a single bit.
template <std::size_t N, class Constants>
class KeyedConstants {
public:
  // The constants for key, computed by make(key) only when the key differs from the
  // last one.
  template <class Make>
  const Constants& get(const std::array<double, N>& key, Make make) {
    if (!valid_ || !sameBits(key)) {
      constants_ = make(key);
      key_ = key;
      valid_ = true;
    }
    return constants_;
  }

private:
  bool sameBits(const std::array<double, N>& key) const {
    for (std::size_t i = 0; i < N; ++i)
      if (std::bit_cast<std::uint64_t>(key[i]) != std::bit_cast<std::uint64_t>(key_[i])) return false;
    return true;
  }

  std::array<double, N> key_{};
  Constants constants_{};
  bool valid_ = false;
};

}  // namespace velqora
