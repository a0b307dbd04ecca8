#pragma once

// File > "Convert a file…", toolkit-free: the grid and ellipsoid the window's fields
// hold, read as a conversion command reads them; the file converted by the batch
// converter's own code on a worker thread, so its bytes are those of velqora-convert
// with the same choices; and the lines of the summary box. The front ends add the
// dialogs: the choices, the progress bar with Cancel, the summary.

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "geodesy/ellipsoid.h"
#include "geodesy/grid_definition.h"

// converter/file_conversion.h; its headers stay out of the toolkits' sources, where
// Qt's keyword macros would meet the batch's names.
namespace velqora::convert {
struct FileConversionSummary;
class ProgressSink;
}  // namespace velqora::convert

namespace velqora {

class Form;

// The dialog's three directions, as velqora-convert's options: none, --sexagesimal,
// --inverse.
enum class FileDirection { decimal, sexagesimal, inverse };

struct FileConversionChoices {
  std::string input;  // UTF-8 names
  std::string output;
  FileDirection direction = FileDirection::decimal;
  bool derived = false;  // --derived
};

// The ellipsoid as the command settles it and the grid, both valid for a conversion.
struct FileConversionGrid {
  Ellipsoid ellipsoid;
  GridDefinition definition;
};

// The fields read as the conversion commands read them (commandPreamble: the ellipsoid,
// completed by EARTHCUL when a field is empty, then GRIDDGET), and the grid made from
// them. Nothing when a field is refused, or the grid is one no point can use or selects
// no projection: the window's message has then been shown.
[[nodiscard]] std::optional<FileConversionGrid> fileConversionGrid(Form& form);

// Converts the file as `velqora-convert [--sexagesimal|--inverse] [--derived] INPUT -o
// OUTPUT` does with that ellipsoid and grid: the output whole or not at all, never the
// input itself, nothing left of it after a cancel.
[[nodiscard]] convert::FileConversionSummary convertFileWith(const FileConversionGrid& grid,
                                                             const FileConversionChoices& choices,
                                                             convert::ProgressSink& progress);

// A file conversion that a worker thread carries out while a modal progress dialog on
// the window's thread polls progress() and finished(). The front end starts the thread
// (std::thread; a Win32 thread in the Windows program, whose mingw-w64 runtime has no
// std::thread), which calls work(), and joins it; the replay tools call work() on their
// own thread. cancel() stops the run at its next progress report; called before work(),
// at its first.
class FileConversionRun {
 public:
  FileConversionRun(const FileConversionGrid& grid, FileConversionChoices choices);
  ~FileConversionRun();
  FileConversionRun(const FileConversionRun&) = delete;
  FileConversionRun& operator=(const FileConversionRun&) = delete;

  // The worker's part: the whole conversion. Throws nothing.
  void work();

  void cancel() { cancelled_.store(true); }
  [[nodiscard]] bool finished() const { return finished_.load(std::memory_order_acquire); }

  // The share of the input read, 0 to 1; nothing while its size is unknown (not yet
  // opened, or no regular file).
  [[nodiscard]] std::optional<double> progress() const;

  // Once finished (and the worker joined).
  [[nodiscard]] const convert::FileConversionSummary& summary() const { return *summary_; }

  [[nodiscard]] const FileConversionChoices& choices() const { return choices_; }

 private:
  class Progress;

  FileConversionGrid grid_;
  FileConversionChoices choices_;
  std::atomic<std::uint64_t> bytesRead_{0};
  std::atomic<std::uint64_t> totalBytes_{0};
  std::atomic<bool> cancelled_{false};
  std::atomic<bool> finished_{false};
  std::unique_ptr<convert::FileConversionSummary> summary_;  // written by work() before finished_
};

// The summary box's lines: how many lines were converted and how many failed, where
// the output went, and the first "FILE:LINE: reason" reports; or why nothing was
// written.
[[nodiscard]] std::vector<std::string> summaryLines(const convert::FileConversionSummary& summary,
                                                    const FileConversionChoices& choices);
// The same lines as the box shows them, one under the other.
[[nodiscard]] std::string summaryText(const convert::FileConversionSummary& summary,
                                      const FileConversionChoices& choices);
// Whether the summary tells of a run that wrote its output with every line converted.
[[nodiscard]] bool wholeSuccess(const convert::FileConversionSummary& summary);

// A direction by the replay scripts' word for it: "decimal", "sexagesimal", "inverse".
[[nodiscard]] std::optional<FileDirection> directionNamed(std::string_view word);

}  // namespace velqora
