#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "datafiles/tables.h"
#include "window/records.h"

namespace velqora::testing {

// A fresh directory under the system's temporary directory, removed with its files.
class ScratchDir {
 public:
  ScratchDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "velqora-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    path_ = pattern;
  }
  ~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  [[nodiscard]] const std::filesystem::path& path() const { return path_; }

  // Writes the lines with the carriage return and line feed line ends the data files use;
  // returns the file's full name.
  std::string write(const std::string& name, const std::vector<std::string>& lines) const {
    const std::filesystem::path file = path_ / name;
    std::ofstream out(file, std::ios::binary);
    for (const std::string& line : lines) out << line << "\r\n";
    return file.string();
  }

 private:
  std::filesystem::path path_;
};

// Runs in a directory and goes back to the previous working directory at the end.
class WorkingDirectory {
 public:
  explicit WorkingDirectory(const std::filesystem::path& dir) : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(dir);
  }
  ~WorkingDirectory() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
  }
  WorkingDirectory(const WorkingDirectory&) = delete;
  WorkingDirectory& operator=(const WorkingDirectory&) = delete;

 private:
  std::filesystem::path previous_;
};

// The global tables and records back to their start-up state.
inline void resetGlobals() {
  PRJKEY = {};
  PRJCOUNT = 0;
  GRIDSYS = {};
  EARTHTAB = {};
  GRPTAB = {};
  GRPCOUNT = 0;
  GRID = {};
  PRJKIND = 0;
  EARTH = {};
}

}  // namespace velqora::testing
