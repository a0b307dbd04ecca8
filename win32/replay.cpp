// velqora-replay.exe [--measure] DATA-FOLDER < SCRIPT
//
// Starts the window with DATA-FOLDER as the working directory and carries out a script
// of user actions (window/replay_script.h) on the real controls. Messages are recorded,
// not shown. The output has LF line ends, byte for byte as the Linux tool's.
// With --measure, after the script: "MEASURE dpi D client WxH outer WxH", one line per control
// with its box and its text's extent against the text's room (window/layout_fit.h),
// then "FIT OK" or a "FIT problem" line for each text that is clipped or control that
// overlaps another.
// Exit status: 0 done, 1 the data files could not be loaded (FATAL), 2 a script line
// that cannot be carried out (ERROR).

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <exception>
#include <iostream>
#include <string>
#include <string_view>

#include "win32/alert_box.h"
#include "win32/common_controls.h"
#include "win32/layout_measure.h"
#include "win32/main_window.h"
#include "win32/user_input.h"
#include "win32/wide_text.h"
#include "window/handlers.h"
#include "window/replay_script.h"

namespace {

// The actions of a script on the Win32 controls of the window.
class Win32ReplayWindow final : public velqora::ReplayWindow {
public:
  explicit Win32ReplayWindow(velqora::MainWindow& window) : window_(window) {}

  void typeAsUser(velqora::Field field, const std::string& text) override {
    velqora::typeAsUser(window_.field(field), velqora::toWide(text));
    velqora::processPendingMessages();
  }
  void pickAsUser(velqora::List list, int position) override {
    velqora::pickAsUser(window_.list(list), position);
    velqora::processPendingMessages();
  }
  void pressAsUser(int button) override {
    velqora::pressAsUser(window_.button(button));
    velqora::processPendingMessages();
  }
  [[nodiscard]] std::string fieldText(velqora::Field field) const override { return window_.form().text(field); }
  [[nodiscard]] int selectedPosition(velqora::List list) const override {
    return window_.form().selectedPosition(list);
  }
  [[nodiscard]] int entryCount(velqora::List list) const override { return window_.form().entryCount(list); }
  const velqora::GridCatalogue* openGridCatalogue() override { return window_.openGridCatalogue(); }
  void pickGridAsUser(const velqora::CatalogueEntry& entry) override {
    window_.pickGrid(entry);
    velqora::processPendingMessages();
  }
  [[nodiscard]] std::string windowTitle() const override { return window_.title(); }
  [[nodiscard]] velqora::Form& form() override { return window_.form(); }

private:
  velqora::MainWindow& window_;
};

// Windows' own words for an error code, on one line.
std::string systemMessage(DWORD error) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
      reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text = length > 0 ? std::wstring(buffer, length) : L"error " + std::to_wstring(error);
  LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ' || text.back() == L'.'))
    text.pop_back();
  return velqora::oneLine(velqora::toUtf8(text));
}

void printMeasurement(const velqora::MainWindow& window) {
  RECT client{};
  GetClientRect(window.handle(), &client);
  RECT outer{};
  GetWindowRect(window.handle(), &outer);
  std::cout << "MEASURE dpi " << window.dpi() << " client " << client.right << 'x' << client.bottom << " outer "
            << outer.right - outer.left << 'x' << outer.bottom - outer.top << '\n';
  const auto controls = velqora::measureLayout(window);
  for (const velqora::MeasuredControl& c : controls) std::cout << velqora::describe(c) << '\n';
  const auto problems = velqora::layoutProblems(controls, client.right, client.bottom);
  for (const std::string& problem : problems) std::cout << "FIT " << problem << '\n';
  if (problems.empty()) std::cout << "FIT OK\n";
}

}  // namespace

int wmain(int argc, wchar_t* argv[]) {
  // No CR before LF: the output is compared byte for byte with the Linux tool's.
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  const bool measure = argc == 3 && std::wstring_view(argv[1]) == L"--measure";
  if (argc != 2 && !measure) {
    std::cerr << "usage: velqora-replay.exe [--measure] DATA-FOLDER < SCRIPT\n";
    return 2;
  }
  const wchar_t* folder = argv[argc - 1];
  // The folder arrives in UTF-16, so any name Windows can hold works.
  if (!SetCurrentDirectoryW(folder)) {
    const DWORD error = GetLastError();
    std::cout << "FATAL cannot enter the data folder " << velqora::toUtf8(folder) << ": " << systemMessage(error)
              << '\n';
    return 1;
  }

  velqora::initCommonControls();
  try {
    velqora::MainWindow window(GetModuleHandleW(nullptr));
    Win32ReplayWindow target(window);
    velqora::ReplayScript script(target, std::cout);
    window.setMessageSink([&script](const std::string& message) { script.recordMessage(message); });
    if (const auto failure = velqora::startUp(window.form())) {
      std::cout << velqora::fatalLine(velqora::startUpFailureMessage(*failure, velqora::currentFolder(), true)) << '\n';
      return 1;
    }
    window.show(SW_SHOWNOACTIVATE);
    const int status = script.runAll(std::cin);
    if (status == 0 && measure) printMeasurement(window);
    return status;
  } catch (const std::exception& e) {
    std::cout << "FATAL " << velqora::oneLine(e.what()) << '\n';
    return 1;
  }
}
