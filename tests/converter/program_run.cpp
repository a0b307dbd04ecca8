#include "tests/converter/program_run.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

extern char** environ;

namespace velqora::convert::testing {

std::string fileContents(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream all;
  all << in.rdbuf();
  return all.str();
}

std::string convertProgram() { return VELQORA_CONVERT; }
std::string bundledData() { return std::string(VELQORA_SOURCE_DIR) + "/data"; }

ScratchFolder::ScratchFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "velqora-convert-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) std::abort();
  path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string ScratchFolder::write(const std::string& name, const std::string& bytes) const {
  const std::string file = path_ + "/" + name;
  std::ofstream(file, std::ios::binary) << bytes;
  return file;
}

ProgramRun runProgram(const std::vector<std::string>& args, const std::string& input, const std::string& folder,
                      unsigned long fileSizeLimit) {
  ProgramRun run;
  const ScratchFolder scratch;
  const std::string in = scratch.write("stdin", input);
  const std::string out = scratch.path() + "/stdout";
  const std::string err = scratch.path() + "/stderr";
  // Files, not pipes: nothing can block however much the program writes.
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, in.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  std::vector<std::string> argv = args;
  std::vector<char*> pointers;
  for (std::string& a : argv) pointers.push_back(a.data());
  pointers.push_back(nullptr);
  const std::filesystem::path previous = std::filesystem::current_path();
  if (!folder.empty()) std::filesystem::current_path(folder);
  // The child inherits the limit, and with SIGXFSZ ignored a write beyond it fails
  // with EFBIG instead of ending the program.
  rlimit limit{};
  getrlimit(RLIMIT_FSIZE, &limit);
  const rlimit previousLimit = limit;
  if (fileSizeLimit > 0) {
    limit.rlim_cur = fileSizeLimit;
    std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  pid_t child = 0;
  const int spawned = posix_spawn(&child, argv[0].c_str(), &actions, nullptr, pointers.data(), environ);
  if (fileSizeLimit > 0) {
    setrlimit(RLIMIT_FSIZE, &previousLimit);
    std::signal(SIGXFSZ, SIG_DFL);
  }
  if (!folder.empty()) std::filesystem::current_path(previous);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return run;
  int status = 0;
  rusage usage{};
  if (wait4(child, &status, 0, &usage) == child && WIFEXITED(status)) run.status = WEXITSTATUS(status);
  run.peakKilobytes = usage.ru_maxrss;
  run.out = fileContents(out);
  run.err = fileContents(err);
  return run;
}

ProgramRun runConvert(std::vector<std::string> args, const std::string& input) {
  args.insert(args.begin(), {convertProgram(), "--data", bundledData()});
  return runProgram(args, input);
}

}  // namespace velqora::convert::testing
