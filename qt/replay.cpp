// velqora-replay FOLDER < SCRIPT
//
// Starts the window on the offscreen platform with FOLDER as the working directory and
// carries out a script of user actions, one a line:
//   type NAME TEXT   empty field NAME and type TEXT (everything after the one space)
//   pick NAME K      pick position K of list NAME
//   press NAME       press button NAME
//   show             print the messages since the last show, every field and list
// Blank lines and lines starting with '#' are skipped. Messages are recorded, not shown.
// Exit status: 0 done, 1 the data files could not be loaded (FATAL), 2 a script line
// that cannot be carried out (ERROR).

#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstring>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include <QApplication>
#include <QComboBox>
#include <QPushButton>

#include "qt/application_font.h"
#include "qt/field_edit.h"
#include "qt/main_window.h"
#include "qt/user_input.h"
#include "window/handlers.h"
#include "window/layout.h"

namespace {

using velqora::Control;
using velqora::ControlKind;

// A message on one line: each line break (CR LF, LF or CR) becomes one space.
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

bool isBlank(std::string_view line) { return line.find_first_not_of(" \t") == std::string_view::npos; }

// The text up to the next space, and what follows that one space.
std::string_view takeWord(std::string_view& rest) {
  const std::size_t space = rest.find(' ');
  const std::string_view word = rest.substr(0, space);
  rest = space == std::string_view::npos ? std::string_view{} : rest.substr(space + 1);
  return word;
}

class Replay {
public:
  explicit Replay(velqora::MainWindow& window) : window_(window) {
    window_.setMessageSink([this](const std::string& message) { messages_.push_back(message); });
  }

  // Carries out one script line; returns the reason when it cannot.
  std::string run(std::string_view line) {
    std::string_view rest = line;
    const std::string_view action = takeWord(rest);
    if (action == "type") return type(rest, action.size() < line.size());
    // Blanks at the end of the other actions' lines are not seen; they do not count.
    rest = rest.substr(0, rest.find_last_not_of(" \t") + 1);
    const bool hadArguments = !rest.empty();
    if (action == "pick") return pick(rest);
    if (action == "press") return press(rest);
    if (action == "show") {
      if (hadArguments) return "show takes no arguments";
      show();
      return {};
    }
    return "unknown action \"" + std::string(action) + "\"";
  }

private:
  static const Control* controlOfKind(std::string_view name, ControlKind kind) {
    const Control* c = velqora::findControl(name);
    return c != nullptr && c->kind == kind ? c : nullptr;
  }

  std::string type(std::string_view rest, bool hadArguments) {
    if (!hadArguments) return "type needs a field name";
    const std::string_view name = takeWord(rest);
    const Control* c = controlOfKind(name, ControlKind::Field);
    if (c == nullptr) return "no field named \"" + std::string(name) + "\"";
    velqora::typeAsUser(*window_.field(static_cast<velqora::Field>(c->number)),
                        QString::fromUtf8(rest.data(), static_cast<qsizetype>(rest.size())));
    return {};
  }

  std::string pick(std::string_view rest) {
    const std::string_view name = takeWord(rest);
    const Control* c = controlOfKind(name, ControlKind::List);
    if (c == nullptr) return "no list named \"" + std::string(name) + "\"";
    int position = 0;
    const auto [end, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), position);
    if (rest.empty() || ec != std::errc{} || end != rest.data() + rest.size())
      return "pick needs a list name and a position, got \"" + std::string(rest) + "\"";
    QComboBox& list = *window_.list(static_cast<velqora::List>(c->number));
    if (position < 0 || position >= list.count())
      return std::string(name) + " has no position " + std::to_string(position) + " (it holds " +
             std::to_string(list.count()) + " entries)";
    velqora::pickAsUser(list, position);
    return {};
  }

  std::string press(std::string_view rest) {
    const Control* c = controlOfKind(rest, ControlKind::Button);
    if (c == nullptr) return "no button named \"" + std::string(rest) + "\"";
    velqora::pressAsUser(*window_.button(c->number));
    return {};
  }

  void show() {
    for (const std::string& message : messages_) std::cout << "ALERT " << oneLine(message) << '\n';
    messages_.clear();
    for (int f = 1; f <= velqora::FIELD_COUNT; ++f)
      std::cout << "EDIT" << f << ' ' << window_.field(static_cast<velqora::Field>(f))->text().toStdString()
                << '\n';
    for (int l = 1; l <= velqora::LIST_COUNT; ++l) {
      const QComboBox& list = *window_.list(static_cast<velqora::List>(l));
      std::cout << "COMBO" << l << ' ' << list.currentIndex() << ' ' << list.count() << '\n';
    }
    std::cout.flush();
  }

  velqora::MainWindow& window_;
  std::vector<std::string> messages_;
};

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::cerr << "usage: velqora-replay DATA-FOLDER < SCRIPT\n";
    return 2;
  }
  if (::chdir(argv[1]) != 0) {
    std::cout << "FATAL cannot enter the data folder " << argv[1] << ": " << std::strerror(errno) << '\n';
    return 1;
  }

  qputenv("QT_QPA_PLATFORM", "offscreen");
  int qtArgc = 1;  // the folder is ours, not an option for Qt
  QApplication app(qtArgc, argv);
  velqora::applyApplicationFont(app);

  velqora::MainWindow window;
  Replay replay(window);
  if (const auto error = velqora::startUp(window.form())) {
    std::cout << "FATAL " << oneLine(error->report()) << '\n';
    return 1;
  }
  window.show();

  std::string line;
  for (int number = 1; std::getline(std::cin, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (isBlank(line) || line.front() == '#') continue;
    const std::string why = replay.run(line);
    if (!why.empty()) {
      std::cout << "ERROR line " << number << ": " << why << '\n';
      return 2;
    }
  }
  return 0;
}
