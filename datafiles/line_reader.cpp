// Reading the lines of a data file. The files come from an editor that may write
// carriage return alone or carriage return plus line feed; a line feed on its own
// belongs to the text, and a line may hold at most 32767 characters.
#include <utility>

#include "datafiles/data_reader.h"

namespace velqora {

namespace {
constexpr char NUL = '\0';
constexpr char CTRL_Z = '\x1a';
}  // namespace

DataReader::DataReader(std::string_view bytes, std::string fileName) : fileName_(std::move(fileName)) {
  // An old end-of-file mark as the last byte is not data.
  if (!bytes.empty() && bytes.back() == CTRL_Z) bytes.remove_suffix(1);
  data_.reserve(bytes.size());
  for (const char c : bytes) {
    if (c != NUL) data_.push_back(c);
  }
}

void DataReader::fail(const std::string& cause) const {
  throw LoadFailure{LoadError{fileName_, line_, cause}};
}

char DataReader::take() {
  if (++column_ > MAX_LINE_LENGTH) {
    fail("the line is longer than " + std::to_string(MAX_LINE_LENGTH) + " characters");
  }
  return data_[pos_++];
}

void DataReader::takeLineEnd() {
  if (atEnd()) return;
  ++pos_;  // the carriage return
  if (!atEnd() && data_[pos_] == '\n') ++pos_;
  column_ = 0;
  ++line_;
}

std::string DataReader::readLine(const std::string& whatThenIsMissing) {
  if (atEnd()) fail(whatThenIsMissing);
  std::string text;
  while (!atLineEnd()) text.push_back(take());
  takeLineEnd();
  return text;
}

}  // namespace velqora
