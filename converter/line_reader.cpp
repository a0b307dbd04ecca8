#include "converter/line_reader.h"

#include <algorithm>
#include <cstring>

namespace velqora::convert {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Blanks around a field; a tab only when it does not separate fields.
bool isBlank(char c, Delimiter delimiter) { return c == ' ' || (c == '\t' && delimiter != Delimiter::tab); }

std::string_view trimmed(std::string_view text, Delimiter delimiter) {
  while (!text.empty() && isBlank(text.front(), delimiter)) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back(), delimiter)) text.remove_suffix(1);
  return text;
}

}  // namespace

std::size_t MemorySource::read(char* buffer, std::size_t size) {
  const std::size_t n = std::min({size, chunk_, bytes_.size()});
  std::memcpy(buffer, bytes_.data(), n);
  bytes_.remove_prefix(n);
  return n;
}

LineReader::LineReader(ByteSource& source, std::size_t block)
    : source_(source), block_(std::max(block, UTF8_BYTE_ORDER_MARK.size() + 1)) {}

bool LineReader::refill() {
  if (atEnd_) return false;
  if (begin_ > 0) {
    std::memmove(block_.data(), block_.data() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  if (end_ == block_.size()) return false;
  const std::size_t got = source_.read(block_.data() + end_, block_.size() - end_);
  if (got == 0) atEnd_ = true;
  end_ += got;
  return got > 0;
}

bool LineReader::byteOrderMark() {
  if (!byteOrderMark_) {
    // Read only while the bytes could still be the mark, so that a short line typed at
    // a terminal is answered before the next one comes.
    const auto couldBeMark = [&] {
      const std::string_view have(block_.data() + begin_, end_ - begin_);
      return have.size() < UTF8_BYTE_ORDER_MARK.size() && UTF8_BYTE_ORDER_MARK.starts_with(have);
    };
    while (couldBeMark() && refill()) {
    }
    byteOrderMark_ = std::string_view(block_.data() + begin_, end_ - begin_).starts_with(UTF8_BYTE_ORDER_MARK);
    if (*byteOrderMark_) {
      begin_ += UTF8_BYTE_ORDER_MARK.size();
      consumed_ += UTF8_BYTE_ORDER_MARK.size();
    }
  }
  return *byteOrderMark_;
}

Line LineReader::handOut(std::size_t textLength, std::size_t endLength, bool complete) {
  const char* start = block_.data() + begin_;
  const Line line{{start, textLength}, {start + textLength, endLength}, complete};
  begin_ += textLength + endLength;
  consumed_ += textLength + endLength;
  return line;
}

std::optional<Line> LineReader::next() {
  (void)byteOrderMark();
  std::size_t searched = begin_;  // the bytes before this hold no line end
  for (;;) {
    const char* start = block_.data() + begin_;
    const char* from = block_.data() + searched;
    const char* to = block_.data() + end_;
    const auto* feed = static_cast<const char*>(std::memchr(from, '\n', static_cast<std::size_t>(to - from)));
    const auto* ret =
        static_cast<const char*>(std::memchr(from, '\r', static_cast<std::size_t>((feed ? feed : to) - from)));
    const char* stop = ret != nullptr ? ret : feed;
    // A carriage return that is the last byte read may be the first of CR LF.
    if (stop != nullptr && (stop + 1 < to || *stop == '\n' || atEnd_)) {
      const std::size_t endLength = *stop == '\r' && stop + 1 < to && stop[1] == '\n' ? 2 : 1;
      return handOut(static_cast<std::size_t>(stop - start), endLength, true);
    }
    const std::size_t pending = end_ - begin_;
    const std::size_t known = stop != nullptr ? static_cast<std::size_t>(stop - start) : pending;
    const bool more = refill();
    searched = begin_ + known;  // refill moved the pending bytes to the block's start
    if (more || (stop != nullptr && atEnd_)) continue;
    if (pending == 0) return std::nullopt;
    // The data end without a line end, or one line fills the block: hand out what
    // there is (up to a carriage return that ends the block, whose line feed may follow).
    return handOut(known, 0, atEnd_ && stop == nullptr);
  }
}

std::optional<Delimiter> delimiterNamed(std::string_view name) {
  if (name == "," || name == "comma") return Delimiter::comma;
  if (name == ";" || name == "semicolon") return Delimiter::semicolon;
  if (name == "\t" || name == "tab") return Delimiter::tab;
  if (name == " " || name == "space" || name == "blank" || name == "blanks") return Delimiter::blanks;
  return std::nullopt;
}

Delimiter detectDelimiter(std::string_view line) {
  bool quoted = false;
  bool semicolon = false;
  bool comma = false;
  for (char c : line) {
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if (c == '\t') return Delimiter::tab;
    semicolon = semicolon || c == ';';
    comma = comma || c == ',';
  }
  if (semicolon) return Delimiter::semicolon;
  if (comma) return Delimiter::comma;
  return Delimiter::blanks;
}

const std::vector<std::string_view>& FieldSplitter::split(std::string_view line, Delimiter delimiter) {
  fields_.clear();
  unquoted_.clear();
  // Unquoted texts never outgrow the line, so the views into this storage stay put.
  unquoted_.reserve(line.size());
  const char separator = static_cast<char>(delimiter);
  const bool blanks = delimiter == Delimiter::blanks;
  std::size_t i = 0;
  const auto skipBlanks = [&] {
    while (i < line.size() && isBlank(line[i], delimiter)) ++i;
  };
  if (blanks) {
    skipBlanks();
    if (i == line.size()) return fields_;
  }
  for (;;) {
    skipBlanks();
    if (i < line.size() && line[i] == '"') {
      // Quoted: up to the next lone quote; what follows it up to the delimiter is kept.
      const std::size_t from = unquoted_.size();
      for (++i; i < line.size(); ++i) {
        if (line[i] == '"') {
          if (i + 1 < line.size() && line[i + 1] == '"') {
            unquoted_ += '"';
            ++i;
            continue;
          }
          ++i;
          break;
        }
        unquoted_ += line[i];
      }
      const std::size_t rest = i;
      while (i < line.size() && line[i] != separator && !(blanks && isBlank(line[i], delimiter))) ++i;
      unquoted_ += trimmed(line.substr(rest, i - rest), delimiter);
      fields_.emplace_back(unquoted_.data() + from, unquoted_.size() - from);
    } else {
      const std::size_t from = i;
      while (i < line.size() && line[i] != separator && !(blanks && isBlank(line[i], delimiter))) ++i;
      fields_.push_back(trimmed(line.substr(from, i - from), delimiter));
    }
    if (blanks) {
      skipBlanks();
      if (i == line.size()) return fields_;
      continue;
    }
    if (i == line.size()) return fields_;
    ++i;  // the delimiter
  }
}

bool isWholeNumberText(std::string_view text) {
  text = trimmed(text, Delimiter::blanks);
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < text.size() && isDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && isDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < text.size() && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t exponentDigits = 0;
    while (i < text.size() && isDigit(text[i])) ++i, ++exponentDigits;
    if (exponentDigits == 0) return false;
  }
  return i == text.size();
}

bool startsLikeNumber(std::string_view text) {
  text = trimmed(text, Delimiter::blanks);
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
  if (!text.empty() && text.front() == '.') text.remove_prefix(1);
  return !text.empty() && isDigit(text.front());
}

bool isPassThrough(std::string_view line) {
  if (!line.empty() && line.front() == '#') return true;
  // A spreadsheet writes its empty rows as delimiters alone (",,,"): no point either.
  return std::all_of(line.begin(), line.end(), [](char c) { return c == ' ' || c == '\t' || c == ',' || c == ';'; });
}

void appendField(std::string& out, std::string_view field, Delimiter delimiter) {
  const bool blanks = delimiter == Delimiter::blanks;
  const bool quote = std::any_of(field.begin(), field.end(), [&](char c) {
    return c == '"' || c == '\r' || c == '\n' || c == static_cast<char>(delimiter) || (blanks && c == '\t');
  });
  if (!quote) {
    out += field;
    return;
  }
  out += '"';
  for (char c : field) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

}  // namespace velqora::convert
