#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace velqora::convert {

// Where converted lines go. write() throws std::runtime_error when they cannot be written.
class ByteSink {
public:
  virtual ~ByteSink() = default;
  virtual void write(std::string_view bytes) = 0;
};

// Lines are gathered into one large block and written a block at a time.
class BufferedOutput {
public:
  static constexpr std::size_t BLOCK = std::size_t{1} << 20;

  explicit BufferedOutput(ByteSink& sink) : sink_(sink) { pending_.reserve(BLOCK + 4096); }

  // Appended to, then lineDone() once per line.
  std::string& text() { return pending_; }
  void lineDone() {
    if (pending_.size() >= BLOCK) flush();
  }
  void flush() {
    if (!pending_.empty()) sink_.write(pending_);
    pending_.clear();
  }

private:
  ByteSink& sink_;
  std::string pending_;
};

}  // namespace velqora::convert
