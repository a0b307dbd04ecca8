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
  static constexpr std::size_t DEFAULT_BLOCK = std::size_t{1} << 20;

  explicit BufferedOutput(ByteSink& sink, std::size_t block = DEFAULT_BLOCK) : sink_(sink), block_(block) {
    pending_.reserve(block + 4096);
  }

  // Appended to, then lineDone() once per line.
  std::string& text() { return pending_; }
  void lineDone() {
    if (pending_.size() >= block_) flush();
  }
  void flush() {
    if (!pending_.empty()) sink_.write(pending_);
    written_ = written_ || !pending_.empty();
    pending_.clear();
  }
  // Nothing has gone out yet.
  [[nodiscard]] bool untouched() const { return !written_ && pending_.empty(); }

 private:
  ByteSink& sink_;
  std::size_t block_;
  std::string pending_;
  bool written_ = false;
};

}  // namespace velqora::convert
