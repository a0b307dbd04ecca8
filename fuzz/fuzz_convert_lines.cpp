// libFuzzer target for velqora-convert's line handling: the line reader, delimiter
// detection, field splitting, number texts, header and pass-through lines and the batch
// loop, over a stand-in conversion. The first byte picks the delimiter option, the
// columns, the block size and the chunk size; the rest is the point file. Besides the
// sanitizers' checks it traps when a promise breaks: one output line per input line,
// each starting with the input line, coordinates handed on only when they are numbers,
// and one "FILE:LINE: reason" report per line that failed.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

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
    require(isNumberText(t[0]) && isNumberText(t[2]) && (t[1].empty() || isNumberText(t[1])));
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t choice = data[0];
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

  BatchOptions options;
  constexpr const char* delimiters[] = {"", ",", ";", "tab", "space"};
  if (choice % 5 != 0) options.delimiter = delimiterNamed(delimiters[choice % 5]);
  if (choice & 0x08) options.columns = parseColumns((choice & 0x10) ? "3,x,1" : "2,1,4");
  const std::size_t block = (choice & 0x20) ? 16 : 4096;
  options.chunkLines = (choice & 0x40) ? 3 : 8192;

  const PointConversion conversion = standIn();
  StringSink sink;
  BufferedOutput out(sink, 4096);
  std::size_t reports = 0;
  Batch batch(conversion, options, out, [&](const std::string& line) {
    require(line.rfind("fuzz.txt:", 0) == 0);
    ++reports;
  });
  MemorySource source(bytes, 1 + choice % 61);
  LineReader reader(source, block);
  const auto fault = batch.run(reader, "fuzz.txt");
  out.flush();
  if (fault) {
    require(fault->rfind("fuzz.txt:", 0) == 0);
    return 0;
  }
  require(reader.bytesRead() == bytes.size());
  require(batch.counts().failed <= batch.counts().points);
  require(reports == batch.counts().failed);

  // Every input line comes out once, as it came, at the start of its output line.
  MemorySource again(bytes);
  LineReader lines(again, block);
  std::string_view output = sink.text;
  std::size_t inputLines = 0;
  bool continuing = false;
  while (const auto line = lines.next()) {
    require(output.substr(0, line->text.size()) == line->text);
    output.remove_prefix(line->text.size());
    if (!line->complete) {
      continuing = true;
      continue;
    }
    continuing = false;
    ++inputLines;
    const std::size_t end = output.find('\n');
    require(end != std::string_view::npos);
    output.remove_prefix(end + 1);
  }
  if (continuing) {
    ++inputLines;
    const std::size_t end = output.find('\n');
    require(end != std::string_view::npos);
    output.remove_prefix(end + 1);
  }
  require(output.empty());
  return 0;
}
