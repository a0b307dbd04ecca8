#pragma once

// The output file of a conversion, written whole or not at all: the bytes go to a
// temporary file in the output's folder, which takes the output's name only when the
// run has ended well. A run that fails or is cancelled leaves the file as it was. An
// output that is no regular file (a device such as /dev/null or NUL, a pipe) is
// written as the bytes come: there is nothing there to keep.

#include <filesystem>
#include <string>
#include <string_view>

#include "converter/files.h"
#include "converter/output.h"

namespace velqora::convert {

class OutputFile final : public ByteSink {
 public:
  // `path` is the output's UTF-8 name, `shownName` its name in reports. Throws
  // std::runtime_error when the output cannot be written (a folder that is not there,
  // a file that may not be written, or one another program holds open on Windows).
  OutputFile(const std::string& path, const std::string& shownName);
  // Without commit(), removes the temporary file.
  ~OutputFile() override;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  void write(std::string_view bytes) override;

  // Writes out what is left, on to the disk, and puts the file in the output's place.
  // Throws std::runtime_error when that fails; the output is then as it was.
  void commit();

 private:
  std::string shownName_;
  std::filesystem::path target_;     // the file replaced: the output, or the file a link leads to
  std::filesystem::path temporary_;  // empty when the output is written directly
  FileHandle file_;
};

}  // namespace velqora::convert
