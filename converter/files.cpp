#include "converter/files.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace velqora::convert {

namespace {

[[noreturn]] void failOn(const std::string& name, const std::string& what) {
  throw std::runtime_error(name + ": " + what + " (" + std::strerror(errno) + ")");
}

}  // namespace

std::filesystem::path pathOf(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string utf8Of(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return {text.begin(), text.end()};
}

FileHandle openFile(const std::string& name, const char* mode, const std::string& shownName) {
#ifdef _WIN32
  const auto wide = [](const std::string& text) {
    const int size = static_cast<int>(text.size());
    std::wstring result(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0)),
                        L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, result.data(), static_cast<int>(result.size()));
    return result;
  };
  FileHandle file(_wfopen(wide(name).c_str(), wide(mode).c_str()));
#else
  FileHandle file(std::fopen(name.c_str(), mode));
#endif
  if (!file) failOn(shownName.empty() ? name : shownName, mode[0] == 'r' ? "cannot be opened" : "cannot be created");
  return file;
}

bool sameFile(const std::string& a, const std::string& b) {
  std::error_code unknown;
  return std::filesystem::equivalent(pathOf(a), pathOf(b), unknown) && !unknown;
}

void useBinaryMode([[maybe_unused]] std::FILE* stream) {
#ifdef _WIN32
  _setmode(_fileno(stream), _O_BINARY);
#endif
}

std::optional<std::uint64_t> regularFileSize(std::FILE* stream) {
#ifdef _WIN32
  struct _stat64 info {};
  if (_fstat64(_fileno(stream), &info) != 0 || (info.st_mode & _S_IFMT) != _S_IFREG) return std::nullopt;
#else
  struct stat info {};
  if (fstat(fileno(stream), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
#endif
  return static_cast<std::uint64_t>(info.st_size);
}

bool isTerminal(std::FILE* stream) {
#ifdef _WIN32
  return _isatty(_fileno(stream)) != 0;
#else
  return isatty(fileno(stream)) != 0;
#endif
}

std::size_t FileSource::read(char* buffer, std::size_t size) {
  std::size_t got = 0;
  if (typed_) {
    // fread would wait for the whole block.
    for (int c = 0; got < size && c != '\n' && (c = std::getc(stream_)) != EOF;) buffer[got++] = static_cast<char>(c);
  } else {
    got = std::fread(buffer, 1, size, stream_);
  }
  if (got == 0 && std::ferror(stream_)) failOn(name_, "cannot be read");
  return got;
}

void FileSink::write(std::string_view bytes) {
  if (std::fwrite(bytes.data(), 1, bytes.size(), stream_) != bytes.size()) failOn(name_, "cannot be written");
}

void FileSink::close() {
  if (std::fflush(stream_) != 0 || std::ferror(stream_)) failOn(name_, "cannot be written");
}

}  // namespace velqora::convert
