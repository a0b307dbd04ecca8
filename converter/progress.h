#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

namespace velqora::convert {

// One line on standard error while a large file is converted: percent done and points
// per second, redrawn at most ten times a second and erased at the end. Messages go
// through it so that none is written over the line.
class ProgressLine {
 public:
  // Shown only when `enabled` (standard error a terminal, the input a regular file over
  // a megabyte); `totalBytes` is the input's size.
  ProgressLine(std::FILE* terminal, bool enabled, std::uint64_t totalBytes);
  ~ProgressLine() { erase(); }
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;

  void update(std::uint64_t bytesDone, std::uint64_t points);
  void message(const std::string& line);
  void erase();

 private:
  using Clock = std::chrono::steady_clock;
  std::FILE* terminal_;
  bool enabled_;
  std::uint64_t totalBytes_;
  Clock::time_point start_ = Clock::now();
  Clock::time_point shown_{};
  std::size_t width_ = 0;  // characters of the line on the screen
};

// The line's text, e.g. " 42% 1234567 points/s".
[[nodiscard]] std::string progressText(std::uint64_t bytesDone, std::uint64_t totalBytes, double pointsPerSecond);

}  // namespace velqora::convert
