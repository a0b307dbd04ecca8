#include "converter/batch.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace velqora::convert {
namespace {

class StringSink final : public ByteSink {
 public:
  void write(std::string_view bytes) override { text += bytes; }
  std::string text;
};

// Joins the two coordinate texts; the longitude 999 lies outside the area.
PointConversion fakeConversion() {
  PointConversion c;
  c.concurrent = true;
  c.resultNames = {"joined", "y"};
  c.convert = [](std::span<const std::string_view> t) {
    PointResult r;
    if (t[0] == "999") {
      r.refusal = "outside the area";
    } else {
      r.texts = {std::string(t[0]) + "/" + std::string(t[1]), "Y"};
    }
    return r;
  };
  return c;
}

struct Outcome {
  std::string output;
  std::string reports;
  std::uint64_t points = 0;
  std::uint64_t failed = 0;
  std::string fault;
};

Outcome convert(const std::string& input, const BatchOptions& options, std::size_t block = LineReader::DEFAULT_BLOCK) {
  Outcome run;
  StringSink sink;
  BufferedOutput out(sink);
  const PointConversion conversion = fakeConversion();
  Batch batch(conversion, options, out, [&](const std::string& line) { run.reports += line + '\n'; });
  MemorySource source(input, 7);
  LineReader lines(source, block);
  run.fault = batch.run(lines, "in.txt").value_or("");
  out.flush();
  run.output = sink.text;
  run.points = batch.counts().points;
  run.failed = batch.counts().failed;
  return run;
}

TEST(Batch, LinesGoOutAsTheyCameWithTheirResults) {
  struct Case {
    std::string input;
    std::string delimiter, columns, header;  // empty: detected, the first fields, recognised
    std::string output, reports;
    std::uint64_t points, failed;
  };
  const std::vector<Case> cases = {
      // Header, comment and blank line; CRLF kept; a last line without its end gets one.
      {"# points\r\nlon,lat\r\n\r\n1,2\r\n3 , 4", "", "", "",
       "# points\r\nlon,lat,joined,y\r\n\r\n1,2,1/2,Y\r\n3 , 4,3/4,Y\n", "in.txt:2: read as a header line\n", 2, 0},
      {"  1   2 rest\n\t5\t6\n", "", "", "", "  1   2 rest 1/2 Y\n\t5\t6 5/6 Y\n", "", 2, 0},
      {"1;2;x,y\n", "", "", "", "1;2;x,y;1/2;Y\n", "", 1, 0},
      {"1\t2\n", "", "", "", "1\t2\t1/2\tY\n", "", 1, 0},
      {"\"a,b\",1,2\n", "", "2,3", "", "\"a,b\",1,2,1/2,Y\n", "", 1, 0},
      {"name;lat;lon\nP;2;1\n", "", "lon,lat", "", "name;lat;lon;joined;y\nP;2;1;1/2;Y\n", "", 1, 0},
      {"1,2\n3\n", ",", "", "", "1,2,1/2,Y\n3,ERROR: field 2 is missing\n", "in.txt:2: field 2 is missing\n", 2, 1},
      // A first line with one number is data, not a header.
      {"lon,2\n999,1\n1,\n", "", "", "",
       "lon,2,ERROR: field 1 is not a number: lon\n999,1,ERROR: outside the area\n1,,ERROR: field 2 is not a number: "
       "\n",
       "in.txt:1: field 1 is not a number: lon\nin.txt:2: outside the area\nin.txt:3: field 2 is not a number: \n", 3,
       3},
      {"x y\n999 1\n", "", "", "", "x y joined y\n999 1 \"ERROR: outside the area\"\n",
       "in.txt:1: read as a header line\nin.txt:2: outside the area\n", 1, 1},
      // Mistyped numbers on the first line are a point that fails, not a header.
      {"16.3725x,48.2O83\n1,2\n", "", "", "", "16.3725x,48.2O83,ERROR: field 1 is not a number: 16.3725x\n1,2,1/2,Y\n",
       "in.txt:1: field 1 is not a number: 16.3725x\n", 2, 1},
      {"lon\n", "", "", "", "lon \"ERROR: field 1 is not a number: lon\"\n", "in.txt:1: field 1 is not a number: lon\n",
       1, 1},
      {"1,2\n3,4\n", "", "", "yes", "1,2,joined,y\n3,4,3/4,Y\n", "", 1, 0},
      {"lon,lat\n", "", "", "no", "lon,lat,ERROR: field 1 is not a number: lon\n",
       "in.txt:1: field 1 is not a number: lon\n", 1, 1},
      // A byte-order mark is no part of the first name and goes out once, first; lone CRs end lines.
      {"\xEF\xBB\xBFlon,lat\r1,2\r3,4\r", "", "lon,lat", "", "\xEF\xBB\xBFlon,lat,joined,y\r1,2,1/2,Y\r3,4,3/4,Y\r", "",
       2, 0},
  };
  // One line at a time, and chunks of two lines shared out among three threads.
  for (const auto& [chunk, threads] : {std::pair<std::size_t, unsigned>{8192, 1}, {2, 3}}) {
    for (const Case& c : cases) {
      BatchOptions options;
      if (!c.delimiter.empty()) options.delimiter = delimiterNamed(c.delimiter);
      if (!c.columns.empty()) options.columns = parseColumns(c.columns);
      if (!c.header.empty()) options.header = c.header == "yes";
      options.chunkLines = chunk;
      options.threads = threads;
      const Outcome run = convert(c.input, options);
      EXPECT_EQ(run.output, c.output) << c.input;
      EXPECT_EQ(run.reports, c.reports) << c.input;
      EXPECT_EQ(run.points, c.points) << c.input;
      EXPECT_EQ(run.failed, c.failed) << c.input;
      EXPECT_EQ(run.fault, "") << c.input;
    }
  }
}

// A chunk ends at its line count or its byte count, whichever comes first; a tick
// that answers false stops the run there.
TEST(Batch, ChunksBoundedByLinesAndBytesAndACancelStopsThere) {
  struct Case {
    std::size_t lines, bytes;
    std::uint64_t pointsDone;
  };
  for (const Case& c : std::vector<Case>{{2, 1 << 20, 2}, {8192, 8, 2}, {8192, 1 << 20, 5}}) {
    BatchOptions options;
    options.chunkLines = c.lines;
    options.chunkBytes = c.bytes;
    StringSink sink;
    BufferedOutput out(sink);
    const PointConversion conversion = fakeConversion();
    Batch batch(conversion, options, out, [](const std::string&) {});
    MemorySource source("1,2\n1,2\n1,2\n1,2\n1,2\n");
    LineReader lines(source);
    EXPECT_FALSE(batch.run(lines, "in.txt", [](std::uint64_t, std::uint64_t) { return false; }));
    EXPECT_TRUE(batch.cancelled());
    EXPECT_EQ(batch.counts().points, c.pointsDone) << c.lines << ' ' << c.bytes;
  }
}

TEST(Batch, NamedColumnMissingFromTheHeaderStopsTheRun) {
  BatchOptions options;
  options.columns = parseColumns("lon,latitude");
  const Outcome run = convert("# x\nlon,lat\n1,2\n", options);
  EXPECT_EQ(run.fault, "in.txt:2: the header line has no column \"latitude\"");
  EXPECT_EQ(run.points, 0u);
}

TEST(Batch, LineLongerThanTheBlockPassesWithItsError) {
  const std::string longLine(40, '7');
  BatchOptions options;
  options.threads = 2;
  const Outcome run = convert("1,2\n" + longLine + "\n3,4\n" + longLine, options, 16);
  EXPECT_EQ(run.output, "1,2,1/2,Y\n" + longLine + ",ERROR: the line is longer than 1 MiB\n3,4,3/4,Y\n" + longLine +
                            ",ERROR: the line is longer than 1 MiB\n");
  EXPECT_EQ(run.reports, "in.txt:2: the line is longer than 1 MiB\nin.txt:4: the line is longer than 1 MiB\n");
  EXPECT_EQ(run.failed, 2u);
}

}  // namespace
}  // namespace velqora::convert
