#pragma once

// The conversion of point files line by line: each data line goes out as it came, then
// the delimiter and its results (or one "ERROR: reason" field); blank lines and '#'
// lines pass unchanged; a first line none of whose coordinates starts like a number is
// a header and gets the result columns' names.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "converter/line_reader.h"
#include "converter/output.h"
#include "converter/point_conversion.h"

namespace velqora::convert {

// A coordinate column chosen by --columns: by its 1-based number, or by its name in the
// header line.
struct Column {
  std::size_t number = 0;  // 0 when named
  std::string name;
};

// "3,4" or "lon,lat": numbers and names separated by commas.
[[nodiscard]] std::vector<Column> parseColumns(const std::string& text);

struct BatchOptions {
  std::optional<Delimiter> delimiter;  // detected on each file's first data line when absent
  std::vector<Column> columns;         // empty: the first fields
  // Whether each file's first data line is a header; when absent, it is when the columns
  // are named or none of its coordinate fields starts like a number.
  std::optional<bool> header;
  // Lines are converted a chunk at a time, the chunk shared out among this many threads
  // (the conversion must allow calls at once); the output keeps the input's order. One
  // line a chunk answers each line before the next is read. The byte bound keeps
  // memory small whatever the lines' length.
  std::size_t chunkLines = 8192;
  std::size_t chunkBytes = std::size_t{2} << 20;
  unsigned threads = 1;
};

struct BatchCounts {
  std::uint64_t points = 0;  // data lines, converted or not
  std::uint64_t failed = 0;
};

class Batch {
 public:
  // `report` takes each line for standard error: "FILE:LINE: reason" for a point not
  // converted, "FILE:LINE: read as a header line" for a header recognised. `tick` is
  // called every chunk with the bytes read so far and the points done, and returns
  // false to cancel the run.
  using Report = std::function<void(const std::string& line)>;
  using Tick = std::function<bool(std::uint64_t bytes, std::uint64_t points)>;

  Batch(const PointConversion& conversion, BatchOptions options, BufferedOutput& out, Report report);
  ~Batch();
  Batch(const Batch&) = delete;
  Batch& operator=(const Batch&) = delete;

  // Converts one input, named `name` in reports. A byte-order mark that starts it goes
  // out once, when nothing has gone out before. Returns the report of a fault that
  // stops the run (a named column the header lacks), or nothing; after a cancel,
  // nothing and cancelled() is true.
  std::optional<std::string> run(LineReader& lines, const std::string& name, const Tick& tick = {});

  [[nodiscard]] const BatchCounts& counts() const { return counts_; }
  [[nodiscard]] bool cancelled() const { return cancelled_; }

 private:
  struct FileState;
  struct Part;
  struct ChunkLine {
    std::size_t offset = 0, textLength = 0, endLength = 0;
    std::uint64_t number = 0;
  };

  std::optional<std::string> takeFirstDataLine(FileState& file, std::string_view text);
  void convertChunk(const FileState& file);
  void convertLine(const FileState& file, Part& part, std::string_view text, std::string_view end,
                   std::uint64_t number) const;
  void fail(const FileState& file, Part& part, std::string_view text, std::string_view end, std::uint64_t number,
            Delimiter delimiter, const std::string& reason) const;
  void emit(Part& part);

  const PointConversion& conversion_;
  BatchOptions options_;
  BufferedOutput& out_;
  Report report_;
  BatchCounts counts_;
  bool cancelled_ = false;
  std::string chunkBytes_;
  std::vector<ChunkLine> chunk_;
  std::vector<Part> parts_;
};

}  // namespace velqora::convert
