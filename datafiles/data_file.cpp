// Reading a data file into memory. The files are small lists kept by hand; reading
// them whole lets the same parsers serve files and in-memory bytes.
#include "datafiles/data_file.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "datafiles/data_reader.h"

namespace velqora {

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

[[noreturn]] void failOpening(const std::string& fileName, const std::string& cause) {
  throw LoadFailure{LoadError{fileName, 0, cause}};
}

}  // namespace

std::string readDataFile(const std::string& fileName) {
  errno = 0;
  const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(fileName.c_str(), "rb"));
  if (!file) {
    if (errno == ENOENT) failOpening(fileName, "the file does not exist");
    failOpening(fileName, std::string("the file cannot be opened (") + std::strerror(errno) + ")");
  }
  std::string bytes;
  std::array<char, 65536> buffer{};
  std::size_t got = 0;
  while ((got = std::fread(buffer.data(), 1, buffer.size(), file.get())) > 0) bytes.append(buffer.data(), got);
  if (std::ferror(file.get())) {
    // For example a directory: it opens, but reading it fails.
    failOpening(fileName, std::string("the file cannot be read (") + std::strerror(errno) + ")");
  }
  return bytes;
}

}  // namespace velqora
