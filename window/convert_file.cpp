#include "window/convert_file.h"

#include <exception>
#include <utility>

#include "converter/core_conversion.h"
#include "converter/file_conversion.h"
#include "geodesy/ellipsoid_completion.h"
#include "geodesy/grid.h"
#include "window/conversion_steps.h"
#include "window/form.h"
#include "window/records.h"

namespace velqora {

std::optional<FileConversionGrid> fileConversionGrid(Form& form) {
  if (!commandPreamble(form)) return std::nullopt;
  FileConversionGrid settled{ellipsoidOf(EARTH), currentGrid()};
  // Refused now rather than on every line of the file.
  if (const auto grid = Grid::make(settled.ellipsoid, settled.definition); !grid) {
    form.showMessage(refusalMessage(grid.reason()));
    return std::nullopt;
  }
  return settled;
}

convert::FileConversionSummary convertFileWith(const FileConversionGrid& grid, const FileConversionChoices& choices,
                                               convert::ProgressSink& progress) {
  const convert::Direction direction{.inverse = choices.direction == FileDirection::inverse,
                                     .sexagesimal = choices.direction == FileDirection::sexagesimal,
                                     .derived = choices.derived,
                                     .toleranceMetres = std::nullopt};
  convert::FileConversionRequest request;
  request.input = choices.input;
  request.output = choices.output;
  return convert::convertFile(request, convert::coreConversion(grid.ellipsoid, grid.definition, direction), progress);
}

// What the worker reports; read by the window's thread.
class FileConversionRun::Progress final : public convert::ProgressSink {
 public:
  explicit Progress(FileConversionRun& run) : run_(run) {}
  bool progress(std::uint64_t bytesRead, std::uint64_t totalBytes) override {
    run_.totalBytes_.store(totalBytes);
    run_.bytesRead_.store(bytesRead);
    return !run_.cancelled_.load();
  }

 private:
  FileConversionRun& run_;
};

FileConversionRun::FileConversionRun(const FileConversionGrid& grid, FileConversionChoices choices)
    : grid_(grid), choices_(std::move(choices)), summary_(std::make_unique<convert::FileConversionSummary>()) {}

FileConversionRun::~FileConversionRun() = default;

void FileConversionRun::work() {
  Progress progress(*this);
  try {
    *summary_ = convertFileWith(grid_, choices_, progress);
  } catch (const std::exception& e) {
    // convertFile reports its own failures; only memory can run out before it starts.
    summary_->failure = e.what();
  }
  finished_.store(true, std::memory_order_release);
}

std::optional<double> FileConversionRun::progress() const {
  const std::uint64_t total = totalBytes_.load();
  if (total == 0) return std::nullopt;
  const std::uint64_t read = bytesRead_.load();
  return read >= total ? 1.0 : static_cast<double>(read) / static_cast<double>(total);
}

namespace {

std::string lines(std::uint64_t count) { return std::to_string(count) + (count == 1 ? " line" : " lines"); }

}  // namespace

std::vector<std::string> summaryLines(const convert::FileConversionSummary& summary,
                                      const FileConversionChoices& choices) {
  // The output is written whole or not at all: a run that did not end well left it as it was.
  const std::string nothing = "Nothing was written to " + choices.output + ".";
  if (summary.cancelled) return {"The conversion was cancelled. " + nothing};
  if (!summary.failure.empty()) return {"The file could not be converted: " + summary.failure + ".", nothing};
  std::vector<std::string> out = {
      lines(summary.converted) + " converted, " + std::to_string(summary.failed) + " not converted.",
      "Written to " + choices.output + "."};
  out.insert(out.end(), summary.reports.begin(), summary.reports.end());
  return out;
}

std::string summaryText(const convert::FileConversionSummary& summary, const FileConversionChoices& choices) {
  std::string text;
  for (const std::string& line : summaryLines(summary, choices)) text += (text.empty() ? "" : "\n") + line;
  return text;
}

bool wholeSuccess(const convert::FileConversionSummary& summary) {
  return summary.failure.empty() && summary.failed == 0;
}

std::optional<FileDirection> directionNamed(std::string_view word) {
  if (word == "decimal") return FileDirection::decimal;
  if (word == "sexagesimal") return FileDirection::sexagesimal;
  if (word == "inverse") return FileDirection::inverse;
  return std::nullopt;
}

}  // namespace velqora
