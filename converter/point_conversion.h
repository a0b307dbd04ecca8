#pragma once

// What the batch needs of a conversion: how many coordinate texts make a point, the
// names of the result columns, and for a point's texts either the result texts or the
// reason it cannot be converted. The texts are those the window would hold.

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velqora::convert {

struct PointResult {
  std::vector<std::string> texts;  // one per result column when converted
  std::string refusal;             // the reason, when the point is not converted

  [[nodiscard]] bool converted() const { return refusal.empty(); }
};

struct PointConversion {
  std::size_t coordinateCount = 2;
  // Coordinates (0-based among coordinateCount) that may be empty texts, read as 0 as
  // the window reads an empty field: the arc-minutes and arc-seconds of an angle.
  std::vector<std::size_t> mayBeEmpty;
  std::vector<std::string> resultNames;
  // Called with coordinateCount texts, each a number (or an empty text where allowed).
  std::function<PointResult(std::span<const std::string_view> coordinates)> convert;
  // True when convert may run on several threads at once.
  bool concurrent = false;
};

}  // namespace velqora::convert
