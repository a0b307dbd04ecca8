#include "tests/e2e/replay_run.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>
#include <string_view>

extern char** environ;

namespace velqora::e2e {

std::string replayTool() { return VELQORA_REPLAY; }
std::string bundledData() { return std::string(VELQORA_SOURCE_DIR) + "/data"; }

double Screen::number(int field) const { return std::strtod(edit.at(static_cast<std::size_t>(field)).c_str(), nullptr); }

namespace {

bool startsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

// Splits the output into screens; every screen ends with its COMBO4 line.
void readScreens(ReplayRun& run) {
  std::istringstream lines(run.output);
  std::string line;
  Screen screen;
  int nextEdit = 1;
  int nextCombo = 1;
  while (std::getline(lines, line)) {
    const auto bad = [&] {
      if (run.unparsed.empty()) run.unparsed = line;
    };
    if (startsWith(line, "ALERT ") && nextEdit == 1) {
      screen.alerts.push_back(line.substr(6));
    } else if (nextEdit <= 38) {
      const std::string name = "EDIT" + std::to_string(nextEdit) + ' ';
      if (!startsWith(line, name)) return bad();
      screen.edit[static_cast<std::size_t>(nextEdit++)] = line.substr(name.size());
    } else {
      const std::string name = "COMBO" + std::to_string(nextCombo) + ' ';
      if (!startsWith(line, name)) return bad();
      std::istringstream values(line.substr(name.size()));
      Screen::ListState& list = screen.combo[static_cast<std::size_t>(nextCombo++)];
      if (!(values >> list.selected >> list.count)) return bad();
      if (nextCombo == 5) {
        run.screens.push_back(screen);
        screen = Screen{};
        nextEdit = 1;
        nextCombo = 1;
      }
    }
  }
  if (nextEdit != 1 || !screen.alerts.empty()) run.unparsed = "<output ends inside a screen>";
}

}  // namespace

ReplayRun replay(const std::string& folder, const std::string& script) {
  ReplayRun run;
  // A tool that stops early (FATAL, ERROR) must fail the test, not kill it with SIGPIPE.
  signal(SIGPIPE, SIG_IGN);
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
#ifdef VELQORA_LSAN_OPTIONS
  setenv("LSAN_OPTIONS", VELQORA_LSAN_OPTIONS, 0);
#endif
  int in[2];
  int out[2];
  if (pipe(in) != 0) return run;
  if (pipe(out) != 0) {
    close(in[0]);
    close(in[1]);
    return run;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addclose(&actions, in[1]);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  std::string tool = replayTool();
  std::string where = folder;
  std::array<char*, 3> argv{tool.data(), where.data(), nullptr};
  pid_t child = 0;
  const int spawned = posix_spawn(&child, tool.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(in[0]);
  close(out[1]);
  if (spawned != 0) {
    close(in[1]);
    close(out[0]);
    return run;
  }
  // The scripts are far smaller than a pipe holds, so writing all before reading cannot block.
  for (std::size_t done = 0; done < script.size();) {
    const ssize_t n = write(in[1], script.data() + done, script.size() - done);
    if (n <= 0) break;  // the tool stopped reading (it exits on an ERROR line)
    done += static_cast<std::size_t>(n);
  }
  close(in[1]);
  std::array<char, 65536> buffer{};
  for (ssize_t n; (n = read(out[0], buffer.data(), buffer.size())) > 0;)
    run.output.append(buffer.data(), static_cast<std::size_t>(n));
  close(out[0]);
  int status = 0;
  if (waitpid(child, &status, 0) == child && WIFEXITED(status)) run.status = WEXITSTATUS(status);
  readScreens(run);
  return run;
}

}  // namespace velqora::e2e
