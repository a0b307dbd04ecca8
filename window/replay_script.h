#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "window/form.h"

namespace velqora {

struct CatalogueEntry;
class GridCatalogue;

// The replay tools drive a real window from a script, one user action a line:
//   type NAME TEXT   empty field NAME and type TEXT (everything after the one space)
//   pick NAME K      pick position K of list NAME, as the user would
//   press NAME       press button NAME
//   show             print the messages since the last show, every field and list
//   messages         print only the messages since the last show or messages ("NO MESSAGE"
//                    when there was none)
//   find-grid CODE   Grid > Find a grid…: type CODE into the search field and pick the grid
//                    of that EPSG code from the list
//   title            print "TITLE " and the window's title
//   convert-file IN OUT decimal|sexagesimal|inverse [derived]
//                    File > Convert a file… with those choices, without its dialogs: the
//                    fields read as the command reads them, the file converted as the
//                    worker thread converts it (here on the script's thread), and each
//                    line of the summary box printed after "SUMMARY " (a refusal is a
//                    message, as a command's). The names hold no blanks; relative ones
//                    are in the data folder.
//   convert-file-cancel IN OUT ...   the same, cancelled at the first progress report
// Blank lines and lines starting with '#' are skipped. The script reader and the
// printer live here, so every front end's tool reads and prints alike; each front end
// only carries the actions out on its own toolkit's controls.
class ReplayWindow {
 public:
  virtual ~ReplayWindow() = default;
  virtual void typeAsUser(Field field, const std::string& text) = 0;  // UTF-8
  virtual void pickAsUser(List list, int position) = 0;
  virtual void pressAsUser(int button) = 0;                            // 1 to 4
  [[nodiscard]] virtual std::string fieldText(Field field) const = 0;  // UTF-8
  [[nodiscard]] virtual int selectedPosition(List list) const = 0;
  [[nodiscard]] virtual int entryCount(List list) const = 0;
  // The catalogue as Find a grid… opens it (read on the first Find; what fails goes to
  // the "ALERT" box); nullptr when it cannot be read.
  virtual const GridCatalogue* openGridCatalogue() = 0;
  // The Find dialog's pick of that grid.
  virtual void pickGridAsUser(const CatalogueEntry& entry) = 0;
  [[nodiscard]] virtual std::string windowTitle() const = 0;  // UTF-8
  // The window's form, as its menu commands use it.
  [[nodiscard]] virtual Form& form() = 0;
};

class ReplayScript {
 public:
  ReplayScript(ReplayWindow& window, std::ostream& out) : window_(window), out_(out) {}

  // The front end's message sink: messages are recorded, not shown.
  void recordMessage(const std::string& message) { messages_.push_back(message); }

  // Carries out one script line; returns why it cannot, or "" when done.
  std::string run(std::string_view line);

  // Carries out a whole script. Returns the exit status: 0 done, 2 after printing
  // "ERROR line N: why" for a line that cannot be carried out.
  int runAll(std::istream& in);

 private:
  std::string type(std::string_view rest, bool hadArguments);
  std::string pick(std::string_view rest);
  std::string press(std::string_view rest);
  std::string findGrid(std::string_view rest);
  std::string convertFile(std::string_view rest, bool cancel);
  void show();
  void printMessages();

  ReplayWindow& window_;
  std::ostream& out_;
  std::vector<std::string> messages_;
};

// A message on one line: each line break (CR LF, LF or CR) becomes one space.
[[nodiscard]] std::string oneLine(const std::string& text);

// What a replay tool prints when the data files fail to load; its exit status is then 1.
[[nodiscard]] std::string fatalLine(const std::string& report);

}  // namespace velqora
