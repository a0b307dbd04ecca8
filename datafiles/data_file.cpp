// Reading a data file into memory. The files are small lists kept by hand; reading
// them whole lets the same parsers serve files and in-memory bytes.
#include "datafiles/data_file.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "datafiles/data_reader.h"
#include "datafiles/text_encoding.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace velqora {

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

#ifdef _WIN32
// Windows opens files by UTF-16 names. A name from a list file is UTF-8, or else in
// the Windows code page the list was written in.
std::FILE* openForReading(const std::string& name) {
  const UINT codePage = isValidUtf8(name) ? CP_UTF8 : CP_ACP;
  const int size = static_cast<int>(name.size());
  const int wide = MultiByteToWideChar(codePage, 0, name.data(), size, nullptr, 0);
  if (size > 0 && wide == 0) {
    errno = ENOENT;
    return nullptr;
  }
  std::wstring wideName(static_cast<std::size_t>(wide), L'\0');
  MultiByteToWideChar(codePage, 0, name.data(), size, wideName.data(), wide);
  return _wfopen(wideName.c_str(), L"rb");
}
#else
// The name's bytes as they are; a name in the Windows code page, from a list written
// there, also finds the file under the UTF-8 name a Linux copy of it gets.
std::FILE* openForReading(const std::string& name) {
  std::FILE* file = std::fopen(name.c_str(), "rb");
  if (file == nullptr && errno == ENOENT && !isValidUtf8(name)) {
    file = std::fopen(displayText(name).c_str(), "rb");
    if (file == nullptr) errno = ENOENT;
  }
  return file;
}
#endif

[[noreturn]] void failOpening(const std::string& fileName, const std::string& cause) {
  throw LoadFailure{LoadError{fileName, 0, cause}};
}

}  // namespace

std::string readDataFile(const std::string& fileName) {
  errno = 0;
  const std::unique_ptr<std::FILE, FileCloser> file(openForReading(fileName));
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
