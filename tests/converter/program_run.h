#pragma once

// Runs velqora-convert (or any program) on an input and reads back what it wrote.

#include <string>
#include <vector>

namespace velqora::convert::testing {

struct ProgramRun {
  int status = -1;  // exit status; -1 when it could not run or was killed
  std::string out;
  std::string err;
  long peakKilobytes = 0;  // its largest resident set
};

// The program with its arguments (args[0] is the program), `input` on standard input,
// in the working directory `folder` (empty: the current one). With `fileSizeLimit`,
// writing a file beyond that many bytes fails as on a full disk.
ProgramRun runProgram(const std::vector<std::string>& args, const std::string& input, const std::string& folder = {},
                      unsigned long fileSizeLimit = 0);

// velqora-convert with the bundled lists (--data) and the arguments.
ProgramRun runConvert(std::vector<std::string> args, const std::string& input);

std::string convertProgram();

// A file's bytes; "" when it cannot be read.
std::string fileContents(const std::string& file);
std::string bundledData();

// A fresh folder under the system's temporary one, removed with its files.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  [[nodiscard]] const std::string& path() const { return path_; }
  std::string write(const std::string& name, const std::string& bytes) const;  // the file's full name

 private:
  std::string path_;
};

}  // namespace velqora::convert::testing
