// velqora-convert: converts files of points, one a line, with the window's conversions
// and the window's texts. See `velqora-convert --help`.

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "converter/batch.h"
#include "converter/catalogue_choice.h"
#include "converter/conversion_setup.h"
#include "converter/data_folder.h"
#include "converter/file_conversion.h"
#include "converter/files.h"
#include "converter/parallel.h"
#include "converter/progress.h"
#include "datafiles/loaders.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

using namespace velqora::convert;

constexpr int EXIT_ALL_CONVERTED = 0;
constexpr int EXIT_SOME_FAILED = 1;
constexpr int EXIT_USAGE = 2;
constexpr std::uint64_t PROGRESS_MIN_BYTES = 1 << 20;
const std::string STANDARD_INPUT = "-";

struct CommandLine {
  Choices choices;
  std::string data;
  std::vector<std::string> files;
  std::optional<std::string> output;
  std::optional<std::string> delimiter;
  std::optional<std::string> columns;
  std::optional<std::string> epsg;
  std::optional<std::string> find;
  bool header = false;
  bool noHeader = false;
  bool list = false;
  bool dataGiven = false;  // --data on the command line, not the default
};

void addOptions(CLI::App& app, CommandLine& c) {
  app.get_formatter()->column_width(32);
  // "/data/points.txt" is a file name, not a Windows-style option.
  app.allow_windows_style_options(false);
  // An option given twice: the last one counts.
  app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  app.footer(
      "Each line holds one point: its coordinates are the first fields (or those --columns names),\n"
      "separated by commas, semicolons, tabs or blanks. A line goes out as it came, then the delimiter\n"
      "and the results, each the text the window shows. Blank lines, delimiters alone (,,,) and lines\n"
      "starting with '#' pass unchanged. A first line none of whose coordinates starts like a number is\n"
      "a header, gets the result names and is reported as FILE:LINE: read as a header line; any other\n"
      "first line is a point.\n"
      "A point that cannot be converted gets one field \"ERROR: reason\", and standard error FILE:LINE: reason.\n"
      "Lines end with LF, CR LF or CR. A UTF-8 byte-order mark before a file is passed over, and the\n"
      "output starts with one. -o FILE is written whole when the run ends, or not at all.\n"
      "NAME|N picks the entry of that exact name, else the one at 0-based position N (see --list).\n"
      "Exit status: 0 every point converted, 1 some not, 2 a usage error, lists or a file that cannot be\n"
      "read, or an output that cannot be written (-o FILE is then as it was).");
  app.add_option("FILE", c.files, "Point files, read in order; none or - for standard input")->type_name("");
  app.add_option("-o,--output", c.output, "Write to FILE, not to standard output")->type_name("FILE");
  app.add_option("--data", c.data,
                 "Folder of prj-list.txt, gridlist.txt, earth-sz.txt\n"
                 "(default: this folder if it holds them, else the installed lists)")
      ->type_name("DIR")
      ->capture_default_str();
  app.add_flag("--list", c.list, "List ellipsoids, projections, grid systems (and with --grid-system its grid groups)");

  Choices& k = c.choices;
  const std::string conversion = "Conversion (as picked or typed in the window)";
  app.add_option("--epsg", c.epsg,
                 "A grid of the EPSG catalogue and its ellipsoid, by EPSG code (instead of the four below)")
      ->type_name("CODE")
      ->group(conversion);
  app.add_option("--find", c.find, "List the catalogue's grids that every word matches (code, name, area), best first")
      ->type_name("WORDS");
  app.add_option("--ellipsoid", k.ellipsoid, "Ellipsoid by name in earth-sz.txt or 0-based position")
      ->type_name("NAME|N")
      ->group(conversion);
  app.add_option("--ellipsoid-values", k.ellipsoidValues, "Or typed: a, b (km), 1/f, 1/e; leave out unknown ones")
      ->type_name("A,B,F,E")
      ->group(conversion);
  app.add_option("--grid-system", k.gridSystem, "Grid system by name or position in gridlist.txt")
      ->type_name("NAME|N")
      ->group(conversion);
  app.add_option("--grid-group", k.gridGroup, "Its grid group by name or position")
      ->type_name("NAME|N")
      ->group(conversion);
  app.add_option("--projection", k.projection, "Typed over or instead: projection by key or position")
      ->type_name("KEY|N")
      ->group(conversion);
  app.add_option("--origin-longitude", k.originLongitude, "Origin longitude, east +; -0,30,0 is 0.5 degrees west")
      ->type_name("D[,M[,S]]")
      ->group(conversion);
  app.add_option("--origin-latitude", k.originLatitude, "Origin latitude, north +")
      ->type_name("D[,M[,S]]")
      ->group(conversion);
  app.add_option("--x-shift", k.xShift, "X shift (false easting), km")->type_name("KM")->group(conversion);
  app.add_option("--y-shift", k.yShift, "Y shift (false northing), km")->type_name("KM")->group(conversion);
  app.add_option("--scale-factor", k.scaleFactor, "Scale factor")->type_name("K")->group(conversion);
  app.add_option("--parallel1", k.parallel1, "First standard parallel (two-parallel Lambert)")
      ->type_name("D[,M[,S]]")
      ->group(conversion);
  app.add_option("--parallel2", k.parallel2, "Second standard parallel")->type_name("D[,M[,S]]")->group(conversion);

  const std::string points = "Points (default: longitude, latitude in degrees to X, Y in km)";
  app.add_flag("--inverse", k.inverse, "X, Y (km) to longitude, latitude and the X, Y errors (m)")->group(points);
  app.add_flag("--sexagesimal", k.sexagesimal, "Angles in three columns: degrees, arc-minutes, arc-seconds")
      ->group(points);
  app.add_flag("--derived", k.derived, "Add angle to true north (deg), tangent, scale factor, 1\" length (m)")
      ->group(points);
  app.add_option("--tolerance", k.toleranceMetres,
                 "With --inverse: iterate until the point is within this many metres (default 0.1, the window's);\n"
                 "a point the iteration bound stops short of it is an ERROR")
      ->type_name("METRES")
      ->group(points);
  app.add_option("--delimiter", c.delimiter, ", ; tab or space (default: detected in each file)")
      ->type_name("D")
      ->group(points);
  app.add_option("--columns", c.columns, "Coordinate columns by number or header name: 3,4 or lon,lat")
      ->type_name("LIST")
      ->group(points);
  app.add_flag("--header", c.header, "The first line is a header, whatever it holds")->group(points);
  app.add_flag("--no-header", c.noHeader, "The first line is a point, whatever it holds")->group(points);
}

// The arguments of the command line as UTF-8.
std::vector<std::string> arguments([[maybe_unused]] int argc, [[maybe_unused]] char** argv) {
  std::vector<std::string> args;
#ifdef _WIN32
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  for (int i = 0; wide != nullptr && i < count; ++i) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size > 0 ? size - 1 : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, text.data(), size, nullptr, nullptr);
    args.push_back(text);
  }
  LocalFree(wide);
#else
  args.assign(argv, argv + argc);
#endif
  return args;
}

void report(const std::string& line) { std::fprintf(stderr, "velqora-convert: %s\n", line.c_str()); }

BatchOptions batchOptions(const CommandLine& c, std::size_t coordinateCount) {
  BatchOptions options;
  if (c.delimiter) {
    options.delimiter = delimiterNamed(*c.delimiter);
    if (!options.delimiter) throw UsageError("--delimiter: \"" + *c.delimiter + "\" is none of , ; tab space");
  }
  if (c.columns) {
    options.columns = parseColumns(*c.columns);
    if (options.columns.size() != coordinateCount)
      throw UsageError("--columns: " + std::to_string(coordinateCount) + " columns are needed, \"" + *c.columns +
                       "\" names " + std::to_string(options.columns.size()));
  }
  if (c.header && c.noHeader) throw UsageError("--header and --no-header: one or the other");
  if (c.header) options.header = true;
  if (c.noHeader) {
    options.header = false;
    if (std::any_of(options.columns.begin(), options.columns.end(), [](const Column& k) { return k.number == 0; }))
      throw UsageError("--no-header: --columns must then give numbers, there are no names to find");
  }
  options.threads = availableThreads();
  return options;
}

// Reports on standard error, below a progress line while a large file is converted.
class TerminalEvents final : public ConversionEvents {
 public:
  void report(const std::string& line) override {
    if (progress_) {
      progress_->message(line);
    } else {
      std::fprintf(stderr, "%s\n", line.c_str());
    }
  }
  void inputStarted(const NamedFile& /*input*/, std::uint64_t size) override {
    progress_.emplace(stderr, terminal_ && size > PROGRESS_MIN_BYTES, size);
  }
  bool progress(std::uint64_t bytesRead, std::uint64_t points) override {
    if (progress_) progress_->update(bytesRead, points);
    return true;
  }
  void inputEnded() override { progress_.reset(); }

 private:
  bool terminal_ = isTerminal(stderr);
  std::optional<ProgressLine> progress_;
};

int run(const CommandLine& c) {
  // Input and output names are taken relative to the folder the program starts in; the
  // lists, and the grid-group files they name, relative to the data folder.
  ConversionJob job;
  for (const std::string& name : c.files.empty() ? std::vector<std::string>{STANDARD_INPUT} : c.files) {
    if (name == STANDARD_INPUT) {
      job.inputs.push_back({"<stdin>", ""});
      continue;
    }
    job.inputs.push_back({name, utf8Of(std::filesystem::absolute(pathOf(name)))});
    (void)openFile(name, "rb");
  }
  if (c.output) job.output = {*c.output, utf8Of(std::filesystem::absolute(pathOf(*c.output)))};

  // The EPSG catalogue: beside the lists, or the installed one.
  const std::string catalogue =
      utf8Of(std::filesystem::absolute(pathOf(catalogueFileFor(c.data))).lexically_normal());
  if (c.find) {
    const std::string text = catalogueListing(catalogue, *c.find);
    std::fwrite(text.data(), 1, text.size(), stdout);
    if (text.empty()) report("--find: no grid of " + catalogue + " matches \"" + *c.find + "\"");
    return text.empty() ? EXIT_SOME_FAILED : EXIT_ALL_CONVERTED;
  }
  Choices choices = c.choices;
  if (c.epsg) choices.catalogueEntry = catalogueEntryOfCode(catalogue, *c.epsg);

  // Without --data and without lists here or installed, say where they were looked for.
  if (!c.dataGiven && c.data == "." && !std::filesystem::is_regular_file(velqora::PRJ_LIST_FILE)) {
    const std::string installed = installedDataFolder();
    throw UsageError(std::string(velqora::PRJ_LIST_FILE) + ": the file does not exist, neither in this folder (" +
                     utf8Of(std::filesystem::current_path()) + ")" +
                     (installed.empty() ? "" : " nor among the installed lists (" + installed + ")") +
                     "; give the lists' folder with --data DIR");
  }
  std::error_code entered;
  std::filesystem::current_path(pathOf(c.data), entered);
  if (entered) throw UsageError("--data: cannot enter the folder " + c.data + " (" + entered.message() + ")");
  const Lists lists = loadLists(c.data);

  if (c.list) {
    const std::string text = listing(lists, c.choices);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return EXIT_ALL_CONVERTED;
  }
  const PointConversion conversion = makeConversion(lists, choices);
  job.options = batchOptions(c, conversion.coordinateCount);

  // Nothing is written before everything above has been checked.
  TerminalEvents events;
  const ConversionOutcome outcome = runConversion(job, conversion, events);
  if (!outcome.failure.empty()) {
    std::fflush(stdout);
    report(outcome.failure);
    return EXIT_USAGE;
  }
  return outcome.counts.failed == 0 ? EXIT_ALL_CONVERTED : EXIT_SOME_FAILED;
}

#ifdef _WIN32
// The console's output code page, put back when the program ends, Ctrl+C included.
UINT consoleOutputCodePage = 0;

BOOL WINAPI restoreCodePageOnBreak(DWORD /*event*/) {
  SetConsoleOutputCP(consoleOutputCodePage);
  return FALSE;  // and on to the default handling, which ends the program
}

struct Utf8Console {
  Utf8Console() {
    consoleOutputCodePage = GetConsoleOutputCP();
    if (consoleOutputCodePage == 0) return;  // no console
    SetConsoleCtrlHandler(restoreCodePageOnBreak, TRUE);
    SetConsoleOutputCP(CP_UTF8);
  }
  ~Utf8Console() {
    if (consoleOutputCodePage != 0) SetConsoleOutputCP(consoleOutputCodePage);
  }
  Utf8Console(const Utf8Console&) = delete;
  Utf8Console& operator=(const Utf8Console&) = delete;
};
#endif

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  // The names and texts of the lists go out as UTF-8; a console shows them so too.
  const Utf8Console console;
#endif
  CLI::App app(
      "velqora-convert: converts points between longitude and latitude and map grid X and Y,\n"
      "as the Velqora window does, a file at a time.",
      "velqora-convert");
  app.set_version_flag("--version", std::string("velqora-convert ") + VELQORA_VERSION);
  CommandLine c;
  c.data = defaultDataFolder();
  addOptions(app, c);
  const std::vector<std::string> args = arguments(argc, argv);
  std::vector<const char*> pointers;
  for (const std::string& a : args) pointers.push_back(a.c_str());
  try {
    app.parse(static_cast<int>(pointers.size()), pointers.data());
    c.dataGiven = app.count("--data") > 0;
  } catch (const CLI::ParseError& e) {
    const int status = app.exit(e);
    return status == 0 ? 0 : EXIT_USAGE;
  }
  try {
    return run(c);
  } catch (const std::exception& e) {
    std::fflush(stdout);
    report(e.what());
    return EXIT_USAGE;
  }
}
