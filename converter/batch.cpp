#include "converter/batch.h"

#include <algorithm>
#include <utility>

#include "converter/parallel.h"

namespace velqora::convert {

namespace {

const std::string TOO_LONG = "the line is longer than 1 MiB";

// A line's own end, or a line feed for a last line that has none, so that the next
// file's first line does not run on.
std::string_view endOf(const Line& line) { return line.end.empty() ? std::string_view("\n") : line.end; }

void appendLine(std::string& out, std::string_view text, Delimiter delimiter, const std::vector<std::string>& fields,
                std::string_view end) {
  out += text;
  for (const std::string& field : fields) {
    out += static_cast<char>(delimiter);
    appendField(out, field, delimiter);
  }
  out += end;
}

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

  [[nodiscard]] std::string where(std::uint64_t line) const { return name + ':' + std::to_string(line) + ": "; }
};

// What one thread makes of its share of a chunk, put out in order afterwards.
struct Batch::Part {
  FieldSplitter splitter;
  std::vector<std::string_view> coordinates;
  std::string out;
  std::vector<std::string> reports;
  BatchCounts counts;
};

Batch::Batch(const PointConversion& conversion, BatchOptions options, BufferedOutput& out, Report report)
    : conversion_(conversion), options_(std::move(options)), out_(out), report_(std::move(report)) {
  options_.chunkLines = std::max<std::size_t>(options_.chunkLines, 1);
  parts_.resize(conversion.concurrent ? std::max(options_.threads, 1U) : 1);
}

Batch::~Batch() = default;

std::optional<std::string> Batch::run(LineReader& lines, const std::string& name, const Tick& tick) {
  FileState file(name);
  Part& direct = parts_.front();  // for the lines that do not go through a chunk
  const auto goOn = [&] {
    cancelled_ = tick && !tick(lines.bytesRead(), counts_.points);
    return !cancelled_;
  };
  // A spreadsheet reads the output as UTF-8 only when it starts with the mark.
  if (lines.byteOrderMark() && out_.untouched()) out_.text() += UTF8_BYTE_ORDER_MARK;
  while (const std::optional<Line> line = lines.next()) {
    if (file.inLongLine) {
      // The rest of a line too long to hold: it goes out as it came, then its ERROR.
      out_.text() += line->text;
      if (line->complete) {
        file.inLongLine = false;
        ++direct.counts.points;
        fail(file, direct, {}, line->end, file.lineNumber, file.longLineDelimiter, TOO_LONG);
        emit(direct);
      }
      out_.lineDone();
      if (!goOn()) return std::nullopt;
      continue;
    }
    ++file.lineNumber;
    if (!line->complete) {
      convertChunk(file);
      file.inLongLine = true;
      file.longLineDelimiter =
          file.seenData ? file.delimiter : options_.delimiter.value_or(detectDelimiter(line->text));
      out_.text() += line->text;
      out_.lineDone();
      if (!goOn()) return std::nullopt;
      continue;
    }
    if (!file.seenData && !isPassThrough(line->text)) {
      convertChunk(file);
      file.seenData = true;
      if (auto fault = takeFirstDataLine(file, line->text)) {
        out_.flush();
        return file.where(file.lineNumber) + *fault;
      }
      if (file.header) {
        appendLine(direct.out, line->text, file.delimiter, conversion_.resultNames, endOf(*line));
        emit(direct);
        continue;
      }
    }
    chunk_.push_back({chunkBytes_.size(), line->text.size(), endOf(*line).size(), file.lineNumber});
    chunkBytes_ += line->text;
    chunkBytes_ += endOf(*line);
    if (chunk_.size() == options_.chunkLines || chunkBytes_.size() >= options_.chunkBytes) {
      convertChunk(file);
      if (!goOn()) return std::nullopt;
    }
  }
  convertChunk(file);
  if (file.inLongLine) {
    ++direct.counts.points;
    fail(file, direct, {}, {}, file.lineNumber, file.longLineDelimiter, TOO_LONG);
    emit(direct);
  }
  (void)goOn();
  return std::nullopt;
}

// Fixes the file's delimiter and coordinate columns from its first data line and tells
// whether it is the header. Returns a fault when a named column is not there.
std::optional<std::string> Batch::takeFirstDataLine(FileState& file, std::string_view text) {
  file.delimiter = options_.delimiter.value_or(detectDelimiter(text));
  const std::vector<std::string_view>& fields = parts_.front().splitter.split(text, file.delimiter);
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
  if (options_.header || named) {
    file.header = options_.header.value_or(true);
    return std::nullopt;
  }
  // A mistyped point ("16.3725x") still starts like one; only a line of names is a header.
  file.header = std::all_of(file.columns.begin(), file.columns.end(),
                            [&](std::size_t c) { return c < fields.size() && !startsLikeNumber(fields[c]); });
  if (file.header) report_(file.where(file.lineNumber) + "read as a header line");
  return std::nullopt;
}

// Shares the chunk's lines out among the parts, converts them at once and puts them
// out in their order.
void Batch::convertChunk(const FileState& file) {
  const std::size_t n = chunk_.size();
  if (n == 0) return;
  const std::size_t parts = std::min(parts_.size(), n);
  runTogether(parts, [&](std::size_t p) {
    for (std::size_t i = n * p / parts; i < n * (p + 1) / parts; ++i) {
      const ChunkLine& line = chunk_[i];
      const char* text = chunkBytes_.data() + line.offset;
      convertLine(file, parts_[p], {text, line.textLength}, {text + line.textLength, line.endLength}, line.number);
    }
  });
  for (std::size_t p = 0; p < parts; ++p) emit(parts_[p]);
  chunk_.clear();
  chunkBytes_.clear();
}

void Batch::convertLine(const FileState& file, Part& part, std::string_view text, std::string_view end,
                        std::uint64_t number) const {
  if (isPassThrough(text)) {
    part.out += text;
    part.out += end;
    return;
  }
  ++part.counts.points;
  const std::vector<std::string_view>& fields = part.splitter.split(text, file.delimiter);
  part.coordinates.clear();
  for (std::size_t i = 0; i < file.columns.size(); ++i) {
    const std::size_t c = file.columns[i];
    if (c >= fields.size())
      return fail(file, part, text, end, number, file.delimiter, "field " + std::to_string(c + 1) + " is missing");
    const std::string_view field = fields[c];
    const bool emptyAllowed =
        std::find(conversion_.mayBeEmpty.begin(), conversion_.mayBeEmpty.end(), i) != conversion_.mayBeEmpty.end();
    if (!isWholeNumberText(field) && !(field.empty() && emptyAllowed))
      return fail(file, part, text, end, number, file.delimiter,
                  "field " + std::to_string(c + 1) + " is not a number: " + std::string(field));
    part.coordinates.push_back(field);
  }
  const PointResult result = conversion_.convert(part.coordinates);
  if (!result.converted()) return fail(file, part, text, end, number, file.delimiter, result.refusal);
  appendLine(part.out, text, file.delimiter, result.texts, end);
}

void Batch::fail(const FileState& file, Part& part, std::string_view text, std::string_view end, std::uint64_t number,
                 Delimiter delimiter, const std::string& reason) const {
  ++part.counts.failed;
  appendLine(part.out, text, delimiter, {"ERROR: " + reason}, end.empty() ? std::string_view("\n") : end);
  part.reports.push_back(file.where(number) + reason);
}

void Batch::emit(Part& part) {
  out_.text() += part.out;
  part.out.clear();
  out_.lineDone();
  for (const std::string& line : part.reports) report_(line);
  part.reports.clear();
  counts_.points += part.counts.points;
  counts_.failed += part.counts.failed;
  part.counts = {};
}

}  // namespace velqora::convert
