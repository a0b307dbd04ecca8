// libFuzzer target for the window's handlers. Each input is a sequence of user actions,
// played on an in-memory form after start-up on the bundled lists: typing a text into
// a field, picking an entry of a list (its change handler runs, as on a user's pick),
// pressing a button. Besides the sanitizers' checks it aborts, after any action, when
//   - a handler failed (threw) inside runGuarded;
//   - a handler wrote a field it never fills, or a command left a field with a text
//     that the display procedures cannot make ("nan", a stray sign, a third minute digit);
//   - the origin fields or the projection changed without a grid group being picked
//     or the user typing into them;
//   - a list other than the grid groups changed, or an unknown message was shown.
//
// Input format, read byte by byte (missing bytes read as 0), at most MAX_ACTIONS
// actions:
//   op % 16 in 0..5   type: field = 1 + next % 38, then a text (see readText)
//   op % 16 == 6..9   pick COMBO1, COMBO2, COMBO3, COMBO4 at position next % entries
//   op % 16 == 10..15 press BUTTON1, 2, 2, 3, 3, 4
// VELQORA_FUZZ_DATA names another data folder; VELQORA_FUZZ_TRACE=1 prints each action.
#include <unistd.h>

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "datafiles/grid_group.h"
#include "datafiles/tables.h"
#include "window/conversion_steps.h"
#include "window/event_handlers.h"
#include "window/form.h"
#include "window/handlers.h"
#include "window/memory_form.h"

namespace {

using namespace velqora;

constexpr int MAX_ACTIONS = 32;
// A grid-to-geographic press can iterate 90001 times: about 10 ms in a release build,
// 0.2 s here under the sanitizers. Two per input keep the exec rate up; later
// presses are skipped.
constexpr int MAX_BUTTON4_PRESSES = 2;

// Who wrote a field last: the form's initial text, the user, a selection handler
// copying loaded texts, or a command showing a computed value.
enum class Writer : std::uint8_t { Start, User, Loaded, Command };

// ---- the shapes of computed texts ------------------------------------------------

enum class Kind { Decimal, Degrees, Minutes, Seconds };
struct Shape {
  Kind kind;
  bool sign;   // Decimal: the text starts with '+' or '-'
  int digits;  // Decimal: the digit count n of the display procedure
};

// What a command writes into each field it fills (an empty text is always allowed).
Shape shapeOf(Field field) {
  switch (field) {
    case EDIT1:
    case EDIT2:
    case EDIT3:
    case EDIT4:  // ellipsoid values completed
      return {Kind::Decimal, false, 12};
    case EDIT14:
    case EDIT15:
    case EDIT27:  // whole degrees
      return {Kind::Degrees, true, 0};
    case EDIT16:
    case EDIT17:
    case EDIT28:
      return {Kind::Minutes, false, 0};
    case EDIT18:
    case EDIT19:
    case EDIT29:
      return {Kind::Seconds, false, 0};
    case EDIT25:
    case EDIT26:  // residuals in metres
      return {Kind::Decimal, true, 5};
    case EDIT31:  // point scale factor
      return {Kind::Decimal, false, 12};
    case EDIT32:  // one arc-second in metres
      return {Kind::Decimal, false, 10};
    default:  // EDIT20-EDIT24, EDIT30: degrees, km, the convergence and its tangent
      return {Kind::Decimal, true, 11};
  }
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Digits from i on; returns their count and moves i past them.
std::size_t digitRun(std::string_view text, std::size_t& i) {
  const std::size_t start = i;
  while (i < text.size() && isDigit(text[i])) ++i;
  return i - start;
}

// A cut decimal: optional sign, "0" or digits without a leading zero, then optionally
// '.' and at least one digit; with a point, at most n digits in all (without one,
// zeros may fill the integer part beyond n).
bool isDecimalText(std::string_view text, bool sign, int n) {
  std::size_t i = 0;
  if (sign) {
    if (text.empty() || (text[0] != '+' && text[0] != '-')) return false;
    i = 1;
  }
  const std::size_t integerStart = i;
  const std::size_t integerDigits = digitRun(text, i);
  if (integerDigits == 0 || (integerDigits > 1 && text[integerStart] == '0')) return false;
  if (i == text.size()) return true;
  if (text[i] != '.') return false;
  ++i;
  const std::size_t fractionDigits = digitRun(text, i);
  return fractionDigits > 0 && i == text.size() && integerDigits + fractionDigits <= static_cast<std::size_t>(n);
}

bool hasShape(const std::string& text, const Shape& shape) {
  if (text.empty()) return true;
  switch (shape.kind) {
    case Kind::Decimal:
      return isDecimalText(text, shape.sign, shape.digits);
    case Kind::Degrees: {
      // The sign, then the whole degrees without leading zeros.
      if (text.size() < 2 || (text[0] != '+' && text[0] != '-')) return false;
      std::size_t i = 1;
      const std::size_t n = digitRun(text, i);
      return i == text.size() && (n == 1 || text[1] != '0');
    }
    case Kind::Minutes:
      return text.size() == 2 && text[0] >= '0' && text[0] <= '5' && isDigit(text[1]);
    case Kind::Seconds: {
      // Two integer digits below 60, then up to four cut decimals.
      if (text.size() < 2 || text[0] < '0' || text[0] > '5' || !isDigit(text[1])) return false;
      if (text.size() == 2) return true;
      std::size_t i = 3;
      const std::size_t n = digitRun(text, i);
      return text[2] == '.' && n >= 1 && n <= 4 && i == text.size();
    }
  }
  return false;
}

// ---- the form, recording who writes what -------------------------------------------

class RecordingForm final : public Form {
 public:
  RecordingForm() { writer.fill(Writer::Start); }

  [[nodiscard]] std::string text(Field field) const override { return inner.text(field); }
  void setText(Field field, const std::string& text) override {
    inner.setText(field, text);  // throws for a field that does not exist
    writer[static_cast<std::size_t>(field)] = actor;
    written.set(static_cast<std::size_t>(field));
  }
  void clearList(List list) override { inner.clearList(list); }
  void appendEntry(List list, const std::string& entry) override { inner.appendEntry(list, entry); }
  void selectPosition(List list, int position) override { inner.selectPosition(list, position); }
  [[nodiscard]] int selectedPosition(List list) const override { return inner.selectedPosition(list); }
  [[nodiscard]] int entryCount(List list) const override { return inner.entryCount(list); }
  void showMessage(const std::string& message) override { inner.showMessage(message); }

  MemoryForm inner;
  Writer actor = Writer::Start;
  std::array<Writer, FIELD_COUNT + 1> writer{};
  std::bitset<FIELD_COUNT + 1> written;  // during the current action
};

// ---- decoding --------------------------------------------------------------------

class Bytes {
 public:
  Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::uint8_t next() { return at_ < size_ ? data_[at_++] : 0; }
  [[nodiscard]] bool done() const { return at_ >= size_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

// Whole texts worth trying as they are: signs alone, the double range's edges,
// angles at the poles and the date line, values of the bundled lists.
constexpr std::array<std::string_view, 64> WORDS = {"-0",
                                                    "+0",
                                                    "0",
                                                    "-",
                                                    "--",
                                                    "+",
                                                    ".",
                                                    "-.",
                                                    "+.",
                                                    " ",
                                                    "  ",
                                                    "E",
                                                    "e5",
                                                    "1E",
                                                    "1E309",
                                                    "-1E309",
                                                    "1e-400",
                                                    "-1e-400",
                                                    "4.9E-324",
                                                    "-5e-324",
                                                    "2.2250738585072014E-308",
                                                    "1.7976931348623157E308",
                                                    "1.7976931348623159E308",
                                                    "-1.7976931348623157D308",
                                                    "1e308",
                                                    "90",
                                                    "-90",
                                                    "89.99999999999",
                                                    "-89.9999999",
                                                    "90.0000000001",
                                                    "180",
                                                    "-180",
                                                    "360",
                                                    "720",
                                                    "1000",
                                                    "-1000",
                                                    "999.99999",
                                                    "1E15",
                                                    "-1E15",
                                                    "6378.137",
                                                    "6356.752314",
                                                    "298.257222101",
                                                    "0.9996",
                                                    "1",
                                                    "-1",
                                                    "0.5",
                                                    "1D3",
                                                    "1d-3",
                                                    "nan",
                                                    "inf",
                                                    "-inf",
                                                    "0x1p3",
                                                    " -35",
                                                    "\t1",
                                                    "9.8",
                                                    "99",
                                                    "59",
                                                    "60",
                                                    "59.99999",
                                                    "3600",
                                                    "-0.000001",
                                                    "1e-308",
                                                    "0.0000001",
                                                    "+.5"};

constexpr std::array<int, 16> LARGE_EXPONENTS = {300, 305, 307, 308, 309, 310, 320,  322,
                                                 323, 324, 325, 330, 400, 999, 1000, 99999};

std::string digits(Bytes& in, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += static_cast<char>('0' + in.next() % 10);
  return text;
}

// A text to type, mostly shaped like a number: blanks, a sign, digits, a point,
// an exponent (E or D, now and then far beyond the double range), something after it.
std::string readText(Bytes& in) {
  const std::uint8_t mode = in.next();
  switch (mode % 8) {
    case 0:
      return {};
    case 1: {
      std::string text;
      const int length = in.next() % 32;
      for (int i = 0; i < length; ++i) text += static_cast<char>(in.next());
      return text;
    }
    case 2:
      return std::string(WORDS[in.next() % WORDS.size()]);
    default:
      break;
  }
  const std::uint8_t flags = in.next();
  std::string text;
  if ((flags & 3) == 3) text += (flags & 0x80) ? "  " : " ";
  switch ((flags >> 2) & 3) {
    case 1:
      text += '-';
      break;
    case 2:
      text += '+';
      break;
    default:
      break;
  }
  if (!(flags & 0x80) || !(flags & 0x10)) text += digits(in, in.next() % 13);
  if (flags & 0x10) text += '.' + digits(in, in.next() % 13);
  if (flags & 0x20) {
    text += "EeDd"[in.next() % 4];
    const std::uint8_t sign = in.next() % 3;
    if (sign == 1) text += '+';
    if (sign == 2) text += '-';
    const std::uint8_t e = in.next();
    text += std::to_string(e < 192 ? e % 100 : LARGE_EXPONENTS[e % LARGE_EXPONENTS.size()]);
  }
  if (flags & 0x40) {
    constexpr std::array<std::string_view, 8> TAILS = {" ", " 5", "x", "-", ".5", "E", "e+", "0"};
    text += TAILS[in.next() % TAILS.size()];
  }
  return text;
}

enum class ActionKind { Type, Pick, Press };
struct Action {
  ActionKind kind = ActionKind::Type;
  int number = 0;    // the field, the list or the button
  int position = 0;  // the picked entry
  std::string text;  // the typed text
  bool skipped = false;
};

std::string quoted(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (b < 0x20 || b >= 0x7f) {
      std::array<char, 8> hex{};
      std::snprintf(hex.data(), hex.size(), "\\x%02x", b);
      out += hex.data();
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string describe(const Action& a) {
  switch (a.kind) {
    case ActionKind::Type:
      return "type EDIT" + std::to_string(a.number) + " " + quoted(a.text);
    case ActionKind::Pick:
      return "pick COMBO" + std::to_string(a.number) + " " + std::to_string(a.position);
    case ActionKind::Press:
      return "press BUTTON" + std::to_string(a.number) + (a.skipped ? " (skipped)" : "");
  }
  return {};
}

// ---- the checks ------------------------------------------------------------------

// The fields each handler may write (a command's preamble may complete the ellipsoid).
std::bitset<FIELD_COUNT + 1> fieldSet(std::initializer_list<std::pair<int, int>> ranges) {
  std::bitset<FIELD_COUNT + 1> set;
  for (const auto& [first, last] : ranges)
    for (int f = first; f <= last; ++f) set.set(static_cast<std::size_t>(f));
  return set;
}

std::bitset<FIELD_COUNT + 1> writableBy(const Action& a) {
  if (a.kind == ActionKind::Type) return fieldSet({{a.number, a.number}});
  if (a.kind == ActionKind::Pick) {
    if (a.number == COMBO1) return fieldSet({{1, 4}});
    if (a.number == COMBO2) return fieldSet({{5, 13}, {33, 38}});
    return {};
  }
  switch (a.number) {
    case 1:
      return fieldSet({{1, 4}});
    case 2:
      return fieldSet({{1, 4}, {14, 19}, {22, 32}});  // never the typed EDIT20, EDIT21
    case 3:
      return fieldSet({{1, 4}, {20, 32}});  // never the typed EDIT14-EDIT19
    default:
      return fieldSet({{1, 4}, {14, 21}, {24, 32}});  // never the typed EDIT22, EDIT23
  }
}

constexpr std::array<std::string_view, 9> COMMAND_MESSAGES = {
    "Please set correct data.",
    "Please set a correct data.",
    "Please set a Radius.",
    "Please set two data of a Ellipsoid.",
    "Please set a point data.",
    "The ellipsoid data are inconsistent.",
    "Please select a projection.",
    "The grid data are not valid for this projection.",
    "The point is outside the area that the projection can convert."};

constexpr std::array<Field, 15> ORIGIN_FIELDS = {EDIT5,  EDIT6,  EDIT7,  EDIT8,  EDIT9,  EDIT10, EDIT11, EDIT12,
                                                 EDIT13, EDIT33, EDIT34, EDIT35, EDIT36, EDIT37, EDIT38};

struct OriginState {
  std::array<std::string, ORIGIN_FIELDS.size()> texts;
  int projection = -1;
};

OriginState originState(const Form& form) {
  OriginState s;
  for (std::size_t i = 0; i < ORIGIN_FIELDS.size(); ++i) s.texts[i] = form.text(ORIGIN_FIELDS[i]);
  s.projection = form.selectedPosition(COMBO4);
  return s;
}

struct Run {
  std::vector<Action> actions;

  [[noreturn]] void fail(const std::string& problem) const {
    std::fprintf(stderr, "fuzz_window_actions: %s\nThe actions, the last one failing:\n", problem.c_str());
    for (std::size_t i = 0; i < actions.size(); ++i)
      std::fprintf(stderr, "  %2zu %s\n", i + 1, describe(actions[i]).c_str());
    std::abort();
  }
  void require(bool condition, const std::string& problem) const {
    if (!condition) fail(problem);
  }
};

std::string fieldName(int f) { return "EDIT" + std::to_string(f); }

// ---- setting up --------------------------------------------------------------------

bool tracing = false;
std::filesystem::path dataCopy;

void removeDataCopy() {
  std::error_code ignored;
  if (!dataCopy.empty()) std::filesystem::remove_all(dataCopy, ignored);
}

// Every input starts from the same state: no value left from an earlier input.
void resetGlobals() {
  EARTH = {};
  GRID = {};
  PRJKIND = 0;
  POINT = {};
  PRJKEY = {};
  PRJCOUNT = 0;
  GRIDSYS = {};
  EARTHTAB = {};
  GRPTAB = {};
  GRPCOUNT = 0;
}

[[noreturn]] void setupFailed(const std::string& problem) {
  std::fprintf(stderr, "fuzz_window_actions: %s\n", problem.c_str());
  std::exit(1);
}

std::filesystem::path dataSource(const char* program) {
  if (const char* given = std::getenv("VELQORA_FUZZ_DATA"); given != nullptr && *given != '\0') return given;
  const std::filesystem::path compiledIn = VELQORA_DATA_DIR;
  if (std::filesystem::exists(compiledIn / "gridlist.txt")) return compiledIn;
  // The build folder moved with the sources: build-fuzz/ beside data/.
  return std::filesystem::absolute(program).parent_path().parent_path() / "data";
}

// The target runs inside the data copy, so the paths libFuzzer is given (inputs,
// corpus folders, where to leave a crashing input) are made absolute first.
void makePathsAbsolute(int* argc, char*** argv) {
  static std::vector<std::string> arguments;
  static std::vector<char*> pointers;
  constexpr std::array<std::string_view, 7> PATH_FLAGS = {
      "-artifact_prefix=", "-exact_artifact_path=", "-dict=", "-merge_control_file=", "-features_dir=",
      "-stop_file=",       "-mutation_graph_file="};
  const std::filesystem::path here = std::filesystem::current_path();
  bool artifactPrefixGiven = false;
  for (int i = 0; i < *argc; ++i) {
    std::string argument = (*argv)[i];
    if (i > 0 && !argument.empty() && argument[0] != '-') {
      argument = (here / argument).string();
    } else {
      for (const auto& flag : PATH_FLAGS) {
        if (argument.rfind(flag, 0) != 0) continue;
        const std::string value = argument.substr(flag.size());
        if (!value.empty() && value[0] != '/') argument = std::string(flag) + (here / value).string();
        artifactPrefixGiven = artifactPrefixGiven || flag == "-artifact_prefix=";
      }
    }
    arguments.push_back(argument);
  }
  if (!artifactPrefixGiven) arguments.push_back("-artifact_prefix=" + here.string() + "/");
  for (auto& argument : arguments) pointers.push_back(argument.data());
  pointers.push_back(nullptr);
  *argc = static_cast<int>(arguments.size());
  *argv = pointers.data();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  tracing = std::getenv("VELQORA_FUZZ_TRACE") != nullptr;
  const std::filesystem::path source = dataSource((*argv)[0]);
  makePathsAbsolute(argc, argv);

  // Read from a copy, so that no run can touch the folder it was given.
  std::string pattern = (std::filesystem::temp_directory_path() / "velqora-fuzz-data-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) setupFailed("cannot make a folder for the data copy");
  dataCopy = pattern;
  std::atexit(removeDataCopy);
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(source, error)) {
    if (entry.is_regular_file()) std::filesystem::copy_file(entry.path(), dataCopy / entry.path().filename(), error);
    if (error) break;
  }
  if (error) setupFailed("cannot copy the data folder " + source.string() + ": " + error.message());
  std::filesystem::current_path(dataCopy, error);
  if (error) setupFailed("cannot enter " + dataCopy.string());

  resetGlobals();
  RecordingForm form;
  if (const auto failure = startUp(form))
    setupFailed("start-up on " + source.string() + " failed: " + failure->report());
  // Each grid system's file should load; a folder given by hand may hold a broken one.
  for (int k = 1; k < form.entryCount(COMBO3); ++k) {
    form.selectPosition(COMBO3, k);
    const std::string failed = runGuarded(listChangeHandler(COMBO3), form);
    if (!failed.empty()) setupFailed(failed);
  }
  for (const auto& message : form.inner.messages)
    std::fprintf(stderr, "fuzz_window_actions: warning: %s\n", message.c_str());
  std::fprintf(stderr, "fuzz_window_actions: data from %s: %d ellipsoids, %d grid systems, %d projections\n",
               source.string().c_str(), form.entryCount(COMBO1), form.entryCount(COMBO3), form.entryCount(COMBO4));
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  resetGlobals();
  RecordingForm form;
  Run run;
  if (const auto failure = startUp(form)) run.fail("start-up failed: " + failure->report());
  const std::vector<std::string> ellipsoids = form.inner.entries(COMBO1);
  const std::vector<std::string> systems = form.inner.entries(COMBO3);
  const std::vector<std::string> projections = form.inner.entries(COMBO4);

  Bytes in(data, size);
  int button4Presses = 0;
  while (!in.done() && static_cast<int>(run.actions.size()) < MAX_ACTIONS) {
    const int op = in.next() % 16;
    Action a;
    if (op <= 5) {
      a.kind = ActionKind::Type;
      a.number = 1 + in.next() % FIELD_COUNT;
      a.text = readText(in);
    } else if (op <= 9) {
      a.kind = ActionKind::Pick;
      a.number = op - 5;
      a.position = in.next();  // taken modulo the entries below
    } else {
      a.kind = ActionKind::Press;
      constexpr std::array<int, 6> BUTTONS = {1, 2, 2, 3, 3, 4};
      a.number = BUTTONS[static_cast<std::size_t>(op - 10)];
      if (a.number == 4) a.skipped = ++button4Presses > MAX_BUTTON4_PRESSES;
    }

    const OriginState before = originState(form);
    const std::size_t messagesBefore = form.inner.messages.size();
    form.written.reset();
    std::string failed;
    switch (a.kind) {
      case ActionKind::Type:
        form.actor = Writer::User;
        form.setText(static_cast<Field>(a.number), a.text);
        break;
      case ActionKind::Pick: {
        const auto list = static_cast<List>(a.number);
        const int entries = form.entryCount(list);
        run.require(entries > 0, "COMBO" + std::to_string(a.number) + " holds no entry");
        a.position %= entries;
        form.actor = list == COMBO1 || list == COMBO2 ? Writer::Loaded : Writer::Command;
        form.selectPosition(list, a.position);
        failed = runGuarded(listChangeHandler(list), form);
        break;
      }
      case ActionKind::Press:
        form.actor = Writer::Command;
        if (!a.skipped) failed = runGuarded(buttonPressHandler(a.number), form);
        break;
    }
    run.actions.push_back(a);
    const std::string what = "after " + describe(a) + ": ";
    run.require(failed.empty(), what + failed);

    // Which fields changed hands, and what the commands left in them.
    const auto allowed = writableBy(a);
    for (int f = 1; f <= FIELD_COUNT; ++f) {
      const auto i = static_cast<std::size_t>(f);
      if (!form.written[i]) continue;
      run.require(allowed[i], what + fieldName(f) + " was written, which this action never fills");
      if (form.writer[i] != Writer::Command) continue;
      const std::string text = form.text(static_cast<Field>(f));
      run.require(hasShape(text, shapeOf(static_cast<Field>(f))),
                  what + fieldName(f) + " holds " + quoted(text) + ", which no display procedure makes there");
    }

    // The origin and the projection follow only a grid group, or the user.
    const OriginState after = originState(form);
    const bool groupPicked = a.kind == ActionKind::Pick && a.number == COMBO2;
    for (std::size_t k = 0; k < ORIGIN_FIELDS.size(); ++k) {
      const bool typedHere = a.kind == ActionKind::Type && a.number == ORIGIN_FIELDS[k];
      run.require(groupPicked || typedHere || after.texts[k] == before.texts[k],
                  what + fieldName(ORIGIN_FIELDS[k]) + " changed from " + quoted(before.texts[k]) + " to " +
                      quoted(after.texts[k]));
    }
    const bool projectionPicked = a.kind == ActionKind::Pick && a.number == COMBO4;
    run.require(groupPicked || projectionPicked || after.projection == before.projection,
                what + "the projection changed from " + std::to_string(before.projection) + " to " +
                    std::to_string(after.projection));

    // Only a grid system's pick rebuilds a list, and only the grid groups.
    run.require(form.inner.entries(COMBO1) == ellipsoids, what + "the ellipsoid list changed");
    run.require(form.inner.entries(COMBO3) == systems, what + "the grid-system list changed");
    run.require(form.inner.entries(COMBO4) == projections, what + "the projection list changed");
    run.require(form.entryCount(COMBO2) > 0, what + "the grid-group list is empty");
    for (const List list : {COMBO1, COMBO2, COMBO3, COMBO4}) {
      const int selected = form.selectedPosition(list);
      run.require(selected >= -1 && selected < form.entryCount(list),
                  what + "COMBO" + std::to_string(list) + " selects position " + std::to_string(selected));
    }

    for (std::size_t m = messagesBefore; m < form.inner.messages.size(); ++m) {
      const std::string& message = form.inner.messages[m];
      bool known = false;
      for (const auto& k : COMMAND_MESSAGES) known = known || message == k;
      // A text that is not a number, named in the message.
      const std::string_view head = "The text \"";
      const std::string_view tail = "\" is not a number.";
      known = known || (message.size() >= head.size() + tail.size() && message.compare(0, head.size(), head) == 0 &&
                        message.compare(message.size() - tail.size(), tail.size(), tail) == 0);
      // Picking a grid system may report its file.
      if (a.kind == ActionKind::Pick && a.number == COMBO3)
        known = message.find(", line ") != std::string::npos;
      else if (a.kind != ActionKind::Press)
        known = false;
      run.require(known, what + "unexpected message " + quoted(message));
    }

    if (tracing) {
      std::fprintf(stderr, "%2zu %s\n", run.actions.size(), describe(a).c_str());
      for (std::size_t m = messagesBefore; m < form.inner.messages.size(); ++m)
        std::fprintf(stderr, "     ALERT %s\n", form.inner.messages[m].c_str());
      for (int f = 1; f <= FIELD_COUNT; ++f) {
        if (form.written[static_cast<std::size_t>(f)] && a.kind != ActionKind::Type)
          std::fprintf(stderr, "     %s = %s\n", fieldName(f).c_str(),
                       quoted(form.text(static_cast<Field>(f))).c_str());
      }
    }
  }
  return 0;
}
