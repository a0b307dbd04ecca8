#include "converter/progress.h"

#include <algorithm>

namespace velqora::convert {

std::string progressText(std::uint64_t bytesDone, std::uint64_t totalBytes, double pointsPerSecond) {
  const std::uint64_t percent = totalBytes == 0 ? 100 : std::min<std::uint64_t>(bytesDone * 100 / totalBytes, 100);
  const auto rate = static_cast<std::uint64_t>(std::max(pointsPerSecond, 0.0));
  return std::to_string(percent) + "% " + std::to_string(rate) + " points/s";
}

ProgressLine::ProgressLine(std::FILE* terminal, bool enabled, std::uint64_t totalBytes)
    : terminal_(terminal), enabled_(enabled), totalBytes_(totalBytes) {}

void ProgressLine::update(std::uint64_t bytesDone, std::uint64_t points) {
  if (!enabled_) return;
  const Clock::time_point now = Clock::now();
  if (width_ > 0 && now - shown_ < std::chrono::milliseconds(100)) return;
  shown_ = now;
  const double seconds = std::chrono::duration<double>(now - start_).count();
  const std::string text =
      progressText(bytesDone, totalBytes_, seconds > 0 ? static_cast<double>(points) / seconds : 0);
  // Carriage return and blanks, not terminal escapes, so that a Windows console erases too.
  std::string line = "\r" + text;
  if (text.size() < width_) line.append(width_ - text.size(), ' ');
  width_ = std::max(width_, text.size());
  std::fputs(line.c_str(), terminal_);
  std::fflush(terminal_);
}

void ProgressLine::message(const std::string& line) {
  erase();
  std::fputs((line + '\n').c_str(), terminal_);
}

void ProgressLine::erase() {
  if (width_ == 0) return;
  std::fputs(('\r' + std::string(width_, ' ') + '\r').c_str(), terminal_);
  std::fflush(terminal_);
  width_ = 0;
}

}  // namespace velqora::convert
