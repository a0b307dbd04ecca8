// Reading the values of a data-file record as fields. A field ends at a comma, a
// colon, a line end or the end of the data, so the values of one record may stand
// on one line or be spread over several. Only the space character is skipped.
#include "datafiles/data_reader.h"

namespace velqora {

namespace {

bool endsField(char c) { return c == ',' || c == ':'; }

void trimTrailingSpaces(std::string& text) {
  const auto last = text.find_last_not_of(' ');
  text.erase(last == std::string::npos ? 0 : last + 1);
}

}  // namespace

std::string DataReader::readField(const std::string& whatThenIsMissing) {
  if (atEnd()) fail(whatThenIsMissing);
  while (!atLineEnd() && peek() == ' ') take();

  std::string value;
  if (!atLineEnd() && peek() == '"') {
    take();
    while (!atLineEnd() && peek() != '"') value.push_back(take());
    if (atLineEnd()) {
      // An unclosed quote: the line end still ends the value.
      trimTrailingSpaces(value);
      takeLineEnd();
      return value;
    }
    take();  // the closing quote
    while (!atLineEnd() && peek() == ' ') take();
    if (!atLineEnd() && !endsField(peek())) {
      fail("there is text after the closing double quote of a value");
    }
  } else {
    while (!atLineEnd() && !endsField(peek())) value.push_back(take());
    trimTrailingSpaces(value);
  }

  if (atLineEnd()) {
    takeLineEnd();
  } else {
    take();  // the comma or colon
  }
  return value;
}

}  // namespace velqora
