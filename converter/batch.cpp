#include "converter/batch.h"

#include <algorithm>
#include <utility>

namespace velqora::convert {

namespace {

constexpr std::uint64_t TICK_LINES = 4096;

// A line's own end, or a line feed for a last line that has none, so that the next
// file's first line does not run on.
std::string_view endOf(const Line& line) { return line.end.empty() ? std::string_view("\n") : line.end; }

}  // namespace

std::vector<Column> parseColumns(const std::string& text) {
  std::vector<Column> columns;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = std::min(text.find(',', start), text.size());
    const std::string item = text.substr(start, comma - start);
    Column column;
    if (!item.empty() && std::all_of(item.begin(), item.end(), [](char c) { return c >= '0' && c <= '9'; }) &&
        item.size() < 10) {
      column.number = std::stoul(item);
      if (column.number == 0) column.name = item;  // no column 0: taken as a name, and not found
    } else {
      column.name = item;
    }
    columns.push_back(column);
    if (comma == text.size()) return columns;
    start = comma + 1;
  }
}

struct Batch::FileState {
  explicit FileState(const std::string& fileName) : name(fileName) {}

  const std::string& name;
  std::uint64_t lineNumber = 0;
  bool seenData = false;
  bool header = false;  // the first data line names the columns
  Delimiter delimiter = Delimiter::blanks;
  std::vector<std::size_t> columns;  // 0-based field of each coordinate
  bool inLongLine = false;
  Delimiter longLineDelimiter = Delimiter::blanks;

  [[nodiscard]] std::string where() const { return name + ':' + std::to_string(lineNumber) + ": "; }
};

Batch::Batch(const PointConversion& conversion, BatchOptions options, BufferedOutput& out, Report report)
    : conversion_(conversion), options_(std::move(options)), out_(out), report_(std::move(report)) {}

std::optional<std::string> Batch::run(LineReader& lines, const std::string& name, const Tick& tick) {
  FileState file(name);
  std::uint64_t sinceTick = 0;
  while (const std::optional<Line> line = lines.next()) {
    if (file.inLongLine) {
      // The rest of a line too long to hold: it goes out as it came, then its ERROR.
      out_.text() += line->text;
      if (line->complete) {
        file.inLongLine = false;
        ++counts_.points;
        fail(file, Line{{}, line->end, true}, file.longLineDelimiter, "the line is longer than 1 MiB");
      }
      out_.lineDone();
      continue;
    }
    ++file.lineNumber;
    if (!line->complete) {
      file.inLongLine = true;
      file.longLineDelimiter = file.seenData ? file.delimiter : options_.delimiter.value_or(detectDelimiter(line->text));
      out_.text() += line->text;
      out_.lineDone();
      continue;
    }
    if (isPassThrough(line->text)) {
      out_.text() += line->text;
      out_.text() += endOf(*line);
      out_.lineDone();
      continue;
    }
    if (!file.seenData) {
      file.seenData = true;
      if (auto fault = takeFirstDataLine(file, line->text)) {
        out_.flush();
        return file.where() + *fault;
      }
      if (file.header) {
        writeResults(*line, file.delimiter, conversion_.resultNames);
        continue;
      }
    }
    convertLine(file, *line);
    if (tick && ++sinceTick == TICK_LINES) {
      sinceTick = 0;
      tick(lines.bytesRead(), counts_.points);
    }
  }
  if (file.inLongLine) {
    ++counts_.points;
    fail(file, Line{}, file.longLineDelimiter, "the line is longer than 1 MiB");
  }
  if (tick) tick(lines.bytesRead(), counts_.points);
  return std::nullopt;
}

// Fixes the file's delimiter and coordinate columns from its first data line and tells
// whether it is the header. Returns a fault when a named column is not there.
std::optional<std::string> Batch::takeFirstDataLine(FileState& file, std::string_view text) {
  file.delimiter = options_.delimiter.value_or(detectDelimiter(text));
  const std::vector<std::string_view>& fields = splitter_.split(text, file.delimiter);
  file.columns.clear();
  bool named = false;
  for (std::size_t i = 0; i < conversion_.coordinateCount; ++i) {
    if (options_.columns.empty()) {
      file.columns.push_back(i);
      continue;
    }
    const Column& column = options_.columns[i];
    if (column.number > 0) {
      file.columns.push_back(column.number - 1);
      continue;
    }
    named = true;
    const auto found = std::find(fields.begin(), fields.end(), column.name);
    if (found == fields.end()) return "the header line has no column \"" + column.name + "\"";
    file.columns.push_back(static_cast<std::size_t>(found - fields.begin()));
  }
  file.header = named || std::none_of(file.columns.begin(), file.columns.end(), [&](std::size_t c) {
                  return c < fields.size() && isNumberText(fields[c]);
                });
  return std::nullopt;
}

void Batch::convertLine(FileState& file, const Line& line) {
  ++counts_.points;
  const std::vector<std::string_view>& fields = splitter_.split(line.text, file.delimiter);
  coordinates_.clear();
  for (std::size_t i = 0; i < file.columns.size(); ++i) {
    const std::size_t c = file.columns[i];
    if (c >= fields.size()) return fail(file, line, file.delimiter, "field " + std::to_string(c + 1) + " is missing");
    const std::string_view text = fields[c];
    const bool emptyAllowed = std::find(conversion_.mayBeEmpty.begin(), conversion_.mayBeEmpty.end(), i) !=
                              conversion_.mayBeEmpty.end();
    if (!isNumberText(text) && !(text.empty() && emptyAllowed))
      return fail(file, line, file.delimiter, "field " + std::to_string(c + 1) + " is not a number: " + std::string(text));
    coordinates_.push_back(text);
  }
  const PointResult result = conversion_.convert(coordinates_);
  if (!result.converted()) return fail(file, line, file.delimiter, result.refusal);
  writeResults(line, file.delimiter, result.texts);
}

void Batch::writeResults(const Line& line, Delimiter delimiter, const std::vector<std::string>& texts) {
  std::string& out = out_.text();
  out += line.text;
  for (const std::string& text : texts) {
    out += static_cast<char>(delimiter);
    appendField(out, text, delimiter);
  }
  out += endOf(line);
  out_.lineDone();
}

void Batch::fail(FileState& file, const Line& line, Delimiter delimiter, const std::string& reason) {
  ++counts_.failed;
  writeResults(line, delimiter, {"ERROR: " + reason});
  report_(file.where() + reason);
}

}  // namespace velqora::convert
