#include "window/replay_script.h"

#include <charconv>
#include <istream>
#include <ostream>

#include "window/convert_file.h"
#include "window/find_dialog.h"
#include "window/grid_catalogue.h"
#include "window/layout.h"

namespace velqora {

namespace {

bool isBlank(std::string_view line) { return line.find_first_not_of(" \t") == std::string_view::npos; }

// The text up to the next space, and what follows that one space.
std::string_view takeWord(std::string_view& rest) {
  const std::size_t space = rest.find(' ');
  const std::string_view word = rest.substr(0, space);
  rest = space == std::string_view::npos ? std::string_view{} : rest.substr(space + 1);
  return word;
}

const Control* controlOfKind(std::string_view name, ControlKind kind) {
  const Control* c = findControl(name);
  return c != nullptr && c->kind == kind ? c : nullptr;
}

}  // namespace

std::string oneLine(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      out += ' ';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (text[i] == '\n') {
      out += ' ';
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string fatalLine(const std::string& report) { return "FATAL " + oneLine(report); }

std::string ReplayScript::run(std::string_view line) {
  std::string_view rest = line;
  const std::string_view action = takeWord(rest);
  if (action == "type") return type(rest, action.size() < line.size());
  // Blanks at the end of the other actions' lines are not seen; they do not count.
  rest = rest.substr(0, rest.find_last_not_of(" \t") + 1);
  const bool hadArguments = !rest.empty();
  if (action == "pick") return pick(rest);
  if (action == "press") return press(rest);
  if (action == "find-grid") return findGrid(rest);
  if (action == "convert-file") return convertFile(rest, false);
  if (action == "convert-file-cancel") return convertFile(rest, true);
  if (action == "title") {
    if (hadArguments) return "title takes no arguments";
    out_ << "TITLE " << window_.windowTitle() << '\n';
    out_.flush();
    return {};
  }
  if (action == "show") {
    if (hadArguments) return "show takes no arguments";
    show();
    return {};
  }
  if (action == "messages") {
    if (hadArguments) return "messages takes no arguments";
    if (messages_.empty()) out_ << "NO MESSAGE\n";
    printMessages();
    out_.flush();
    return {};
  }
  return "unknown action \"" + std::string(action) + "\"";
}

int ReplayScript::runAll(std::istream& in) {
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (isBlank(line) || line.front() == '#') continue;
    const std::string why = run(line);
    if (!why.empty()) {
      out_ << "ERROR line " << number << ": " << why << '\n';
      out_.flush();
      return 2;
    }
  }
  return 0;
}

std::string ReplayScript::type(std::string_view rest, bool hadArguments) {
  if (!hadArguments) return "type needs a field name";
  const std::string_view name = takeWord(rest);
  const Control* c = controlOfKind(name, ControlKind::Field);
  if (c == nullptr) return "no field named \"" + std::string(name) + "\"";
  window_.typeAsUser(static_cast<Field>(c->number), std::string(rest));
  return {};
}

std::string ReplayScript::pick(std::string_view rest) {
  const std::string_view name = takeWord(rest);
  const Control* c = controlOfKind(name, ControlKind::List);
  if (c == nullptr) return "no list named \"" + std::string(name) + "\"";
  int position = 0;
  const auto [end, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), position);
  if (rest.empty() || ec != std::errc{} || end != rest.data() + rest.size())
    return "pick needs a list name and a position, got \"" + std::string(rest) + "\"";
  const auto list = static_cast<List>(c->number);
  const int count = window_.entryCount(list);
  if (position < 0 || position >= count)
    return std::string(name) + " has no position " + std::to_string(position) + " (it holds " + std::to_string(count) +
           " entries)";
  window_.pickAsUser(list, position);
  return {};
}

std::string ReplayScript::press(std::string_view rest) {
  const Control* c = controlOfKind(rest, ControlKind::Button);
  if (c == nullptr) return "no button named \"" + std::string(rest) + "\"";
  window_.pressAsUser(c->number);
  return {};
}

std::string ReplayScript::findGrid(std::string_view rest) {
  int code = 0;
  const auto [end, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), code);
  if (rest.empty() || ec != std::errc{} || end != rest.data() + rest.size())
    return "find-grid needs an EPSG code, got \"" + std::string(rest) + "\"";
  const GridCatalogue* catalogue = window_.openGridCatalogue();
  if (catalogue == nullptr) return {};  // the message says why; the window goes on
  GridFinder finder(*catalogue);
  finder.setQuery(rest);
  const auto row = finder.rowOfCode(code);
  if (!row) return "the catalogue holds no grid EPSG:" + std::string(rest);
  window_.pickGridAsUser(finder.entry(*row));
  return {};
}

std::string ReplayScript::convertFile(std::string_view rest, bool cancel) {
  FileConversionChoices choices;
  choices.input = takeWord(rest);
  choices.output = takeWord(rest);
  const std::string_view directionWord = takeWord(rest);
  const std::string_view derivedWord = takeWord(rest);
  const auto direction = directionNamed(directionWord);
  if (choices.input.empty() || choices.output.empty() || !direction || !rest.empty() ||
      (!derivedWord.empty() && derivedWord != "derived"))
    return "convert-file needs IN OUT decimal|sexagesimal|inverse [derived]";
  choices.direction = *direction;
  choices.derived = !derivedWord.empty();
  const auto grid = fileConversionGrid(window_.form());
  if (!grid) return {};  // the message says why
  FileConversionRun run(*grid, choices);
  if (cancel) run.cancel();
  run.work();
  for (const std::string& line : summaryLines(run.summary(), choices)) out_ << "SUMMARY " << line << '\n';
  out_.flush();
  return {};
}

void ReplayScript::printMessages() {
  for (const std::string& message : messages_) out_ << "ALERT " << oneLine(message) << '\n';
  messages_.clear();
}

void ReplayScript::show() {
  printMessages();
  for (int f = 1; f <= FIELD_COUNT; ++f) out_ << "EDIT" << f << ' ' << window_.fieldText(static_cast<Field>(f)) << '\n';
  for (int l = 1; l <= LIST_COUNT; ++l) {
    const auto list = static_cast<List>(l);
    out_ << "COMBO" << l << ' ' << window_.selectedPosition(list) << ' ' << window_.entryCount(list) << '\n';
  }
  out_.flush();
}

}  // namespace velqora
