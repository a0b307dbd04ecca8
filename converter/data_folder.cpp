#include "converter/data_folder.h"

#include <filesystem>
#include <string>
#include <system_error>

#include "converter/files.h"
#include "datafiles/loaders.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace velqora::convert {

namespace {

namespace fs = std::filesystem;

// The folder of the installed lists, relative to the program's own file.
fs::path installedLists() {
#ifdef _WIN32
  std::wstring name(32768, L'\0');
  const DWORD length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
  if (length == 0 || length >= name.size()) return {};
  name.resize(length);
  return fs::path(name).parent_path();
#else
  std::error_code error;
  const fs::path program = fs::read_symlink("/proc/self/exe", error);
  if (error) return {};
  return (program.parent_path() / VELQORA_INSTALLED_DATA).lexically_normal();
#endif
}

bool holdsLists(const fs::path& folder) {
  std::error_code error;
  return fs::is_regular_file(folder / PRJ_LIST_FILE, error);
}

}  // namespace

std::string installedDataFolder() {
  const fs::path installed = installedLists();
  return installed.empty() ? std::string() : utf8Of(installed);
}

std::string defaultDataFolder() {
  if (holdsLists(".")) return ".";
  const fs::path installed = installedLists();
  return !installed.empty() && holdsLists(installed) ? utf8Of(installed) : ".";
}

}  // namespace velqora::convert
