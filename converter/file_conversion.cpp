#include "converter/file_conversion.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <memory>

#include "converter/files.h"
#include "converter/output_file.h"
#include "converter/parallel.h"

namespace velqora::convert {

namespace {

void convertInto(const ConversionJob& job, const PointConversion& conversion, ConversionEvents& events,
                 ConversionOutcome& outcome) {
  const bool toFile = !job.output.path.empty();
  if (toFile) {
    for (const NamedFile& input : job.inputs) {
      if (!input.path.empty() && sameFile(input.path, job.output.path)) {
        outcome.failure = job.output.name + ": the output is the same file as the input " + input.name;
        return;
      }
    }
  }
  // Points typed at a terminal are answered line by line.
  const bool typed = isTerminal(stdin) && std::any_of(job.inputs.begin(), job.inputs.end(),
                                                      [](const NamedFile& input) { return input.path.empty(); });
  std::unique_ptr<OutputFile> file;
  if (toFile) file = std::make_unique<OutputFile>(job.output.path, job.output.name);
  if (!toFile) useBinaryMode(stdout);
  FileSink standardOutput(stdout, "standard output");
  ByteSink& sink = toFile ? static_cast<ByteSink&>(*file) : standardOutput;
  BufferedOutput buffered(sink, typed ? 0 : BufferedOutput::DEFAULT_BLOCK);
  BatchOptions options = job.options;
  if (typed) options.chunkLines = 1;
  Batch batch(conversion, options, buffered, [&](const std::string& line) { events.report(line); });

  for (const NamedFile& input : job.inputs) {
    FileHandle opened;
    std::FILE* in = stdin;
    if (!input.path.empty()) {
      opened = openFile(input.path, "rb", input.name);
      in = opened.get();
    }
    useBinaryMode(in);
    events.inputStarted(input, regularFileSize(in).value_or(0));
    FileSource source(in, input.name);
    LineReader lines(source);
    const std::uint64_t pointsBefore = batch.counts().points;
    const std::optional<std::string> fault = batch.run(
        lines, input.name,
        [&](std::uint64_t bytes, std::uint64_t points) { return events.progress(bytes, points - pointsBefore); });
    events.inputEnded();
    outcome.counts = batch.counts();
    if (batch.cancelled()) {
      outcome.cancelled = true;
      outcome.failure = "the conversion was cancelled";
      return;
    }
    if (fault) {
      // Standard output keeps the lines before the fault; a file is left as it was.
      if (!toFile) {
        buffered.flush();
        standardOutput.close();
      }
      outcome.failure = *fault;
      return;
    }
  }
  buffered.flush();
  if (toFile) {
    file->commit();
  } else {
    standardOutput.close();
  }
}

}  // namespace

ConversionOutcome runConversion(const ConversionJob& job, const PointConversion& conversion, ConversionEvents& events) {
  ConversionOutcome outcome;
  try {
    convertInto(job, conversion, events, outcome);
  } catch (const std::exception& e) {
    outcome.failure = e.what();
  }
  return outcome;
}

FileConversionSummary convertFile(const FileConversionRequest& request, const PointConversion& conversion,
                                  ProgressSink& progress) {
  struct Events final : ConversionEvents {
    explicit Events(ProgressSink& sink) : sink(sink) {}
    void report(const std::string& line) override {
      if (reports.size() < FileConversionSummary::SHOWN_REPORTS) reports.push_back(line);
    }
    void inputStarted(const NamedFile& /*input*/, std::uint64_t size) override { totalBytes = size; }
    bool progress(std::uint64_t bytesRead, std::uint64_t /*points*/) override {
      return sink.progress(bytesRead, totalBytes);
    }
    ProgressSink& sink;
    std::uint64_t totalBytes = 0;
    std::vector<std::string> reports;
  } events(progress);

  ConversionJob job;
  job.inputs.push_back({utf8Of(pathOf(request.input).filename()), request.input});
  job.output = {request.output, request.output};
  job.options.delimiter = request.delimiter;
  job.options.columns = request.columns;
  job.options.header = request.header;
  job.options.threads = availableThreads();
  // An empty name would be standard input or output.
  const ConversionOutcome outcome =
      request.input.empty() || request.output.empty()
          ? ConversionOutcome{{},
                              "no " + std::string(request.input.empty() ? "input" : "output") + " file named",
                              false}
          : runConversion(job, conversion, events);

  FileConversionSummary summary;
  summary.converted = outcome.counts.points - outcome.counts.failed;
  summary.failed = outcome.counts.failed;
  summary.reports = std::move(events.reports);
  summary.failure = outcome.failure;
  summary.cancelled = outcome.cancelled;
  return summary;
}

}  // namespace velqora::convert
