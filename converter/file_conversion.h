#pragma once

// Converting whole files of points: the inputs read in order through the batch, the
// output written whole or not at all. velqora-convert runs its files through
// runConversion; a window's "Convert a file…" calls convertFile, from a worker thread
// if it likes, and gets the same bytes.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "converter/batch.h"
#include "converter/point_conversion.h"

namespace velqora::convert {

struct NamedFile {
  std::string name;  // in reports, as the user gave it
  std::string path;  // UTF-8; empty: standard input or output
};

struct ConversionJob {
  std::vector<NamedFile> inputs;
  NamedFile output;  // written whole or not at all; an empty path is standard output, written as it goes
  BatchOptions options;
};

// What a run tells its caller while it goes, on the thread that runs it.
class ConversionEvents {
 public:
  virtual ~ConversionEvents() = default;
  // A line for standard error: "FILE:LINE: reason" for a point not converted, or
  // "FILE:LINE: read as a header line".
  virtual void report(const std::string& line) = 0;
  // An input is opened; `size` is its bytes when known (a regular file), else 0.
  virtual void inputStarted(const NamedFile& /*input*/, std::uint64_t /*size*/) {}
  // Now and then: the bytes read of the input and its points done. Returns false to
  // cancel the run.
  virtual bool progress(std::uint64_t /*bytesRead*/, std::uint64_t /*points*/) { return true; }
  virtual void inputEnded() {}
};

struct ConversionOutcome {
  BatchCounts counts;
  // Why the run could not be done (an input that cannot be read, an output that cannot
  // be written or that is an input, a named column missing, a cancel); empty when it
  // was. An output file is then as it was before.
  std::string failure;
  bool cancelled = false;
};

// Converts the job's inputs into its output. Throws nothing: every failure is in the
// outcome. Standard input typed at a terminal is answered line by line.
[[nodiscard]] ConversionOutcome runConversion(const ConversionJob& job, const PointConversion& conversion,
                                              ConversionEvents& events);

// A file converted as `velqora-convert INPUT -o OUTPUT` converts it, with the
// delimiter, columns and header found as the converter finds them unless given.
struct FileConversionRequest {
  std::string input;  // UTF-8 names
  std::string output;
  std::optional<Delimiter> delimiter;
  std::vector<Column> columns;
  std::optional<bool> header;
};

// Told of the progress of convertFile, on its thread.
class ProgressSink {
 public:
  virtual ~ProgressSink() = default;
  // The bytes read of the input's `totalBytes` (0 when unknown). Returns false to
  // cancel: the run stops, and the output is as it was before.
  virtual bool progress(std::uint64_t bytesRead, std::uint64_t totalBytes) = 0;
};

struct FileConversionSummary {
  static constexpr std::size_t SHOWN_REPORTS = 5;

  std::uint64_t converted = 0;  // data lines converted
  std::uint64_t failed = 0;     // data lines answered with an ERROR field
  // The first SHOWN_REPORTS lines of standard error, "FILE:LINE: reason", FILE being
  // the input's file name.
  std::vector<std::string> reports;
  std::string failure;  // as ConversionOutcome's: empty when the output was written
  bool cancelled = false;
};

[[nodiscard]] FileConversionSummary convertFile(const FileConversionRequest& request, const PointConversion& conversion,
                                                ProgressSink& progress);

}  // namespace velqora::convert
