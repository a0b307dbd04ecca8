#include "converter/output_file.h"

#include <fcntl.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <cwctype>
#include <random>
#include <stdexcept>
#ifdef _WIN32
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace velqora::convert {

namespace {

namespace fs = std::filesystem;

[[noreturn]] void failOn(const std::string& name, const std::string& what, int error) {
  throw std::runtime_error(name + ": " + what + " (" + std::strerror(error) + ")");
}

// Creates a file that must not exist yet, so that two runs never share one; nullptr
// with errno set when it cannot.
std::FILE* createNew(const fs::path& path) {
#ifdef _WIN32
  const int fd = _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
  if (fd < 0) return nullptr;
  std::FILE* file = _fdopen(fd, "wb");
  if (file == nullptr) _close(fd);
#else
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return nullptr;
  std::FILE* file = fdopen(fd, "wb");
  if (file == nullptr) ::close(fd);
#endif
  return file;
}

bool syncToDisk(std::FILE* file) {
#ifdef _WIN32
  return _commit(_fileno(file)) == 0;
#else
  return fsync(fileno(file)) == 0;
#endif
}

// Renames over an existing file on both systems (Windows' own rename refuses to).
bool replace(const fs::path& from, const fs::path& to) {
#ifdef _WIN32
  if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
  errno = GetLastError() == ERROR_ACCESS_DENIED ? EACCES : EIO;
  return false;
#else
  return std::rename(from.c_str(), to.c_str()) == 0;
#endif
}

// Windows' device names (NUL, CON, COM1, ...) name the device in any folder and with
// any extension, and its C library does not see them as files that exist.
bool isDeviceName([[maybe_unused]] const fs::path& path) {
#ifdef _WIN32
  std::wstring stem = path.filename().wstring();
  stem = stem.substr(0, stem.find(L'.'));
  for (wchar_t& c : stem) c = static_cast<wchar_t>(std::towupper(c));
  if (stem == L"NUL" || stem == L"CON" || stem == L"PRN" || stem == L"AUX") return true;
  return stem.size() == 4 && (stem.starts_with(L"COM") || stem.starts_with(L"LPT")) && stem[3] >= L'1' &&
         stem[3] <= L'9';
#else
  return false;
#endif
}

std::string hexText(unsigned value) {
  std::string text(8, '0');
  for (char& digit : text) {
    digit = "0123456789abcdef"[value >> 28];
    value <<= 4;
  }
  return text;
}

}  // namespace

OutputFile::OutputFile(const std::string& path, const std::string& shownName)
    : shownName_(shownName), target_(pathOf(path)) {
  std::error_code error;
  const fs::file_status status = fs::status(target_, error);
  const bool exists = fs::exists(status);
  if ((exists && !fs::is_regular_file(status)) || isDeviceName(target_)) {
    file_ = openFile(path, "wb", shownName);
    return;
  }
  if (exists) {
    // Opening to append changes nothing, and a file that may not be written (or that
    // another program holds) fails now rather than after the whole conversion.
    (void)openFile(path, "ab", shownName);
    // A link stays a link: the file it leads to is replaced.
    if (fs::is_symlink(fs::symlink_status(target_, error))) {
      const fs::path real = fs::canonical(target_, error);
      if (!error) target_ = real;
    }
  }
  fs::path folder = target_.parent_path();
  if (folder.empty()) folder = ".";
  std::random_device random;
  for (int attempt = 1; !file_; ++attempt) {
    temporary_ = folder / pathOf(".velqora-convert-" + hexText(random()) + ".tmp");
    file_.reset(createNew(temporary_));
    if (!file_ && (errno != EEXIST || attempt == 100)) {
      const int reason = errno;
      temporary_.clear();
      failOn(shownName, "cannot be created", reason);
    }
  }
  // The replaced file keeps its permissions; a new one gets the usual ones.
  if (exists) fs::permissions(temporary_, status.permissions(), error);
}

OutputFile::~OutputFile() {
  file_.reset();
  std::error_code ignored;
  if (!temporary_.empty()) fs::remove(temporary_, ignored);
}

void OutputFile::write(std::string_view bytes) {
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_.get()) != bytes.size())
    failOn(shownName_, "cannot be written", errno);
}

void OutputFile::commit() {
  std::FILE* file = file_.release();
  errno = 0;
  int error = 0;
  // On the disk before the rename, so that a crash leaves the old file or the new one.
  if (std::fflush(file) != 0 || std::ferror(file) != 0 || (!temporary_.empty() && !syncToDisk(file)))
    error = errno != 0 ? errno : EIO;
  if (std::fclose(file) != 0 && error == 0) error = errno != 0 ? errno : EIO;
  if (error != 0) failOn(shownName_, "cannot be written", error);
  if (temporary_.empty()) return;
  if (!replace(temporary_, target_)) failOn(shownName_, "cannot be replaced", errno);
  temporary_.clear();
}

}  // namespace velqora::convert
