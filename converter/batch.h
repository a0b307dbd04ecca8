#pragma once

// The conversion of point files line by line: each data line goes out as it came, then
// the delimiter and its results (or one "ERROR: reason" field); blank lines and '#'
// lines pass unchanged; a first line whose coordinates are no numbers is a header and
// gets the result columns' names.

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
};

struct BatchCounts {
  std::uint64_t points = 0;  // data lines, converted or not
  std::uint64_t failed = 0;
};

class Batch {
public:
  // `report` takes each "FILE:LINE: reason" line for standard error; `tick` is called
  // every few thousand lines with the bytes read so far and the points done.
  using Report = std::function<void(const std::string& line)>;
  using Tick = std::function<void(std::uint64_t bytes, std::uint64_t points)>;

  Batch(const PointConversion& conversion, BatchOptions options, BufferedOutput& out, Report report);

  // Converts one input, named `name` in reports. Returns the report of a fault that
  // stops the run (a named column the header lacks), or nothing.
  std::optional<std::string> run(LineReader& lines, const std::string& name, const Tick& tick = {});

  [[nodiscard]] const BatchCounts& counts() const { return counts_; }

private:
  struct FileState;
  std::optional<std::string> takeFirstDataLine(FileState& file, std::string_view text);
  void convertLine(FileState& file, const Line& line);
  void writeResults(const Line& line, Delimiter delimiter, const std::vector<std::string>& texts);
  void fail(FileState& file, const Line& line, Delimiter delimiter, const std::string& reason);

  const PointConversion& conversion_;
  BatchOptions options_;
  BufferedOutput& out_;
  Report report_;
  BatchCounts counts_;
  FieldSplitter splitter_;
  std::vector<std::string_view> coordinates_;
};

}  // namespace velqora::convert
