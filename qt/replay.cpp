// velqora-replay FOLDER < SCRIPT
//
// Starts the window on the offscreen platform with FOLDER as the working directory and
// carries out a script of user actions (window/replay_script.h gives the format).
// Messages are recorded, not shown.
// Exit status: 0 done, 1 the data files could not be loaded (FATAL), 2 a script line
// that cannot be carried out (ERROR).

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <string>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QPushButton>

#include "qt/application_font.h"
#include "qt/field_edit.h"
#include "qt/main_window.h"
#include "qt/user_input.h"
#include "window/handlers.h"
#include "window/replay_script.h"

namespace {

// The replay actions on the Qt window's widgets, through the user's own events.
class QtReplayWindow final : public velqora::ReplayWindow {
public:
  explicit QtReplayWindow(velqora::MainWindow& window) : window_(window) {}

  void typeAsUser(velqora::Field field, const std::string& text) override {
    velqora::typeAsUser(*window_.field(field), QString::fromStdString(text));
  }
  void pickAsUser(velqora::List list, int position) override { velqora::pickAsUser(*window_.list(list), position); }
  void pressAsUser(int button) override { velqora::pressAsUser(*window_.button(button)); }
  [[nodiscard]] std::string fieldText(velqora::Field field) const override {
    return window_.field(field)->text().toStdString();
  }
  [[nodiscard]] int selectedPosition(velqora::List list) const override { return window_.list(list)->currentIndex(); }
  [[nodiscard]] int entryCount(velqora::List list) const override { return window_.list(list)->count(); }
  const velqora::GridCatalogue* openGridCatalogue() override { return window_.openGridCatalogue(); }
  void pickGridAsUser(const velqora::CatalogueEntry& entry) override { window_.pickGrid(entry); }
  [[nodiscard]] std::string windowTitle() const override { return window_.windowTitle().toStdString(); }
  [[nodiscard]] velqora::Form& form() override { return window_.form(); }

private:
  velqora::MainWindow& window_;
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
  QtReplayWindow target(window);
  velqora::ReplayScript script(target, std::cout);
  window.setMessageSink([&script](const std::string& message) { script.recordMessage(message); });
  if (const auto failure = velqora::startUp(window.form())) {
    const std::string folder = QDir::toNativeSeparators(QDir::currentPath()).toStdString();
    std::cout << velqora::fatalLine(velqora::startUpFailureMessage(*failure, folder, false)) << '\n';
    return 1;
  }
  window.show();
  return script.runAll(std::cin);
}
