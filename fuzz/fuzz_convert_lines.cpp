// libFuzzer target for velqora-convert's line handling: the line reader (line ends,
// byte-order mark), delimiter detection, field splitting, number texts, header and
// pass-through lines and the batch loop, over a stand-in conversion. The first byte
// picks the delimiter option, the columns, the block size and the chunk's lines, the
// second the header option and the chunk's bytes; the rest is the point file. Besides
// the sanitizers' checks it traps when a promise breaks: one output line per input
// line, each starting with the input line and ending with its line end, a byte-order
// mark written back first only when the input had one, coordinates handed on only when
// they are numbers, one "FILE:LINE: reason" report per line that failed, and no line
// lost: every data line a point or the header, and a first line taken as a header
// unasked only when none of its coordinates starts like a number.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "converter/batch.h"
#include "converter/line_reader.h"

namespace {

using namespace velqora::convert;

void require(bool condition) {
  if (!condition) __builtin_trap();
}

class StringSink final : public ByteSink {
public:
  void write(std::string_view bytes) override { text += bytes; }
  std::string text;
};

// Three coordinates, the middle one may be empty; the first one "9" lies outside.
PointConversion standIn() {
  PointConversion c;
  c.coordinateCount = 3;
  c.mayBeEmpty = {1};
  c.resultNames = {"a", "b c"};
  c.convert = [](std::span<const std::string_view> t) {
    require(t.size() == 3);
    require(isWholeNumberText(t[0]) && isWholeNumberText(t[2]) && (t[1].empty() || isWholeNumberText(t[1])));
    PointResult r;
    if (t[0] == "9") {
      r.refusal = "outside, \"quoted\"";
    } else {
      r.texts = {std::string(t[0]), "x y"};
    }
    return r;
  };
  return c;
}

// The coordinate fields of a first data line as the batch finds them, or nothing
// when one is missing.
std::optional<std::vector<std::string>> coordinateFields(std::string_view line, const BatchOptions& options,
                                                         std::size_t count) {
  FieldSplitter splitter;
  const auto& fields = splitter.split(line, options.delimiter.value_or(detectDelimiter(line)));
  std::vector<std::string> chosen;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t c = options.columns.empty() ? i : options.columns[i].number - 1;
    if (c >= fields.size()) return std::nullopt;
    chosen.emplace_back(fields[c]);
  }
  return chosen;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::uint8_t choice = data[0];
  const std::uint8_t more = data[1];
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 2, size - 2);

  BatchOptions options;
  constexpr const char* delimiters[] = {"", ",", ";", "tab", "space"};
  if (choice % 5 != 0) options.delimiter = delimiterNamed(delimiters[choice % 5]);
  if (choice & 0x08) options.columns = parseColumns((choice & 0x10) ? "3,x,1" : "2,1,4");
  const std::size_t block = (choice & 0x20) ? 16 : 4096;
  options.chunkLines = (choice & 0x40) ? 3 : 8192;
  if (more % 3 != 0) options.header = more % 3 == 1;
  if (more & 0x04) options.chunkBytes = 24;
  const bool named = (choice & 0x18) == 0x18;

  const PointConversion conversion = standIn();
  StringSink sink;
  BufferedOutput out(sink, 4096);
  std::size_t failures = 0;
  std::size_t headerNotes = 0;
  Batch batch(conversion, options, out, [&](const std::string& line) {
    require(line.rfind("fuzz.txt:", 0) == 0);
    // "fuzz.txt:N: read as a header line", or a failure's reason (which may quote a field).
    const std::string_view rest = std::string_view(line).substr(line.find_first_not_of("0123456789", 9));
    ++(rest == ": read as a header line" ? headerNotes : failures);
  });
  MemorySource source(bytes, 1 + choice % 61);
  LineReader reader(source, block);
  const auto fault = batch.run(reader, "fuzz.txt");
  out.flush();
  if (fault) {
    require(fault->rfind("fuzz.txt:", 0) == 0);
    return 0;
  }
  require(!batch.cancelled());
  require(reader.bytesRead() == bytes.size());
  require(batch.counts().failed <= batch.counts().points);
  require(failures == batch.counts().failed);
  require(headerNotes <= 1 && (headerNotes == 0 || (!options.header && !named)));

  // Every input line comes out once, as it came, at the start of its output line, and
  // with its own line end.
  MemorySource again(bytes);
  LineReader lines(again, block);
  std::string_view output = sink.text;
  if (lines.byteOrderMark()) {
    require(output.starts_with(UTF8_BYTE_ORDER_MARK));
    output.remove_prefix(UTF8_BYTE_ORDER_MARK.size());
  }
  std::uint64_t dataLines = 0;
  std::optional<std::string> firstDataLine;
  bool continuing = false;
  const auto lineEnd = [&](std::string_view end) {
    const std::size_t at = output.find_first_of("\r\n");
    require(at != std::string_view::npos && output.substr(at, end.size()) == end);
    output.remove_prefix(at + end.size());
  };
  while (const auto line = lines.next()) {
    require(output.substr(0, line->text.size()) == line->text);
    output.remove_prefix(line->text.size());
    if (!line->complete) {
      if (!continuing) ++dataLines;
      continuing = true;
      continue;
    }
    if (continuing) {
      continuing = false;
    } else if (!isPassThrough(line->text)) {
      ++dataLines;
      if (!firstDataLine) firstDataLine = std::string(line->text);
    }
    lineEnd(line->end.empty() ? std::string_view("\n") : line->end);
  }
  if (continuing) lineEnd("\n");
  require(output.empty());

  // Nothing lost: each data line is a point or the header. A header unasked is a line
  // of names; any other first line is a point.
  const bool header = firstDataLine && (options.header.value_or(named) || headerNotes == 1);
  require(batch.counts().points + (header ? 1 : 0) == dataLines);
  if (firstDataLine && !options.header && !named) {
    const auto fields = coordinateFields(*firstDataLine, options, conversion.coordinateCount);
    const bool names = fields && std::none_of(fields->begin(), fields->end(),
                                              [](const std::string& f) { return startsLikeNumber(f); });
    require(names == (headerNotes == 1));
  }
  return 0;
}
