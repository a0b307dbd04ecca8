#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "datafiles/loaders.h"

namespace velqora {

// Thrown inside the readers and turned into the loader's LoadError result; it never
// leaves the datafiles code.
struct LoadFailure {
  LoadError error;
};

// The longest line a data file may hold, in characters.
inline constexpr std::size_t MAX_LINE_LENGTH = 32767;

// A cursor over the bytes of one data file, shared by line reads and field reads:
// each read goes on from where the previous one stopped. A carriage return, or a
// carriage return plus line feed, ends a line; a lone line feed is an ordinary
// character. NUL bytes are dropped and a Ctrl-Z as the very last byte ends the data.
class DataReader {
 public:
  DataReader(std::string_view bytes, std::string fileName);

  [[nodiscard]] bool atEnd() const { return pos_ == data_.size(); }
  // The 1-based number of the line the cursor stands on.
  [[nodiscard]] int lineNumber() const { return line_; }
  [[nodiscard]] const std::string& fileName() const { return fileName_; }

  // The rest of the current line, unchanged, and the cursor moves past its line end.
  // At the end of the data it fails with whatThenIsMissing as the cause.
  std::string readLine(const std::string& whatThenIsMissing);

  // One comma-, colon- or line-end-separated value (see field_reader.cpp). At the
  // end of the data it fails with whatThenIsMissing as the cause.
  std::string readField(const std::string& whatThenIsMissing);

  [[noreturn]] void fail(const std::string& cause) const;

 private:
  // True at a carriage return or at the end of the data.
  [[nodiscard]] bool atLineEnd() const { return atEnd() || data_[pos_] == '\r'; }
  [[nodiscard]] char peek() const { return data_[pos_]; }
  // Consumes one character of the current line, counting the line's length.
  char take();
  // Consumes a carriage return and a line feed right after it, if present.
  void takeLineEnd();

  std::string data_;  // the file's bytes without NULs and without a final Ctrl-Z
  std::string fileName_;
  std::size_t pos_ = 0;
  std::size_t column_ = 0;  // characters of the current line consumed so far
  int line_ = 1;
};

}  // namespace velqora
