#pragma once

// The converter's streams: input files and standard input as byte sources, the output
// file or standard output as a byte sink, all binary, so that every line goes out with
// the bytes it came with.

#include <cstdint>
#include <cstdio>
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

// Opens a file by its UTF-8 name (UTF-16 on Windows). Throws std::runtime_error with
// the name and the system's reason.
[[nodiscard]] FileHandle openFile(const std::string& name, const char* mode);

// Standard input and output without text-mode translation.
void useBinaryMode(std::FILE* stream);

// The size of a regular file, or nothing for a pipe, terminal or device.
[[nodiscard]] std::optional<std::uint64_t> regularFileSize(std::FILE* stream);

[[nodiscard]] bool isTerminal(std::FILE* stream);

class FileSource final : public ByteSource {
 public:
  FileSource(std::FILE* stream, std::string name) : stream_(stream), name_(std::move(name)) {}
  std::size_t read(char* buffer, std::size_t size) override;

 private:
  std::FILE* stream_;
  std::string name_;
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
