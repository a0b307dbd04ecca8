#pragma once

// The converter's streams: input files and standard input as byte sources, the output
// file or standard output as a byte sink, all binary, so that every line goes out with
// the bytes it came with.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "converter/line_reader.h"
#include "converter/output.h"

namespace velqora::convert {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// File names are UTF-8 in the program (UTF-16 to Windows).
[[nodiscard]] std::filesystem::path pathOf(const std::string& utf8);
[[nodiscard]] std::string utf8Of(const std::filesystem::path& path);

// Opens a file by its UTF-8 name. Throws std::runtime_error with `shownName` (by
// default the name) and the system's reason.
[[nodiscard]] FileHandle openFile(const std::string& name, const char* mode, const std::string& shownName = {});

// Whether two names lead to one file (links followed, hard links included); false
// when either does not exist.
[[nodiscard]] bool sameFile(const std::string& a, const std::string& b);

// Standard input and output without text-mode translation.
void useBinaryMode(std::FILE* stream);

// The size of a regular file, or nothing for a pipe, terminal or device.
[[nodiscard]] std::optional<std::uint64_t> regularFileSize(std::FILE* stream);

[[nodiscard]] bool isTerminal(std::FILE* stream);

// A stream's bytes; from a terminal a typed line at a time, so that each is answered
// before the next is typed.
class FileSource final : public ByteSource {
 public:
  FileSource(std::FILE* stream, std::string name)
      : stream_(stream), name_(std::move(name)), typed_(isTerminal(stream)) {}
  std::size_t read(char* buffer, std::size_t size) override;

 private:
  std::FILE* stream_;
  std::string name_;
  bool typed_;
};

class FileSink final : public ByteSink {
 public:
  FileSink(std::FILE* stream, std::string name) : stream_(stream), name_(std::move(name)) {}
  void write(std::string_view bytes) override;
  // Flushes the stream; throws when the bytes could not be written.
  void close();

 private:
  std::FILE* stream_;
  std::string name_;
};

}  // namespace velqora::convert
