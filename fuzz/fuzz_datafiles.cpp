// libFuzzer target for the data-file reader. The first byte picks the format, the
// rest is the file's content. Besides the sanitizers' checks, it traps when a loader
// breaks its promises: counts within the table limits, no grid group offered after a
// failure, a report that names the file, and display texts that are valid UTF-8.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "datafiles/parsers.h"
#include "datafiles/tables.h"
#include "datafiles/text_encoding.h"

namespace {

constexpr std::string_view FILE_NAME = "fuzz.txt";

void require(bool condition) {
  if (!condition) __builtin_trap();
}

// Shown text must be UTF-8 already, so showing it again changes nothing.
void checkShown(const std::string& bytes) {
  const std::string shown = velqora::displayText(bytes);
  require(velqora::displayText(shown) == shown);
}

void checkError(const std::optional<velqora::LoadError>& error) {
  if (!error) return;
  require(error->file == FILE_NAME);
  require(error->line >= 1);
  require(!error->cause.empty());
  require(error->report().rfind("fuzz.txt, line ", 0) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace velqora;
  if (size == 0) return 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::string name(FILE_NAME);
  int count = -1;
  switch (data[0] % 4) {
    case 0: {
      std::vector<std::string> names;
      const auto error = parseProjectionList(bytes, name, names);
      checkError(error);
      require(PRJCOUNT >= 0 && PRJCOUNT <= PRJ_ROWS);
      require(names.size() == static_cast<std::size_t>(PRJCOUNT));
      for (const auto& text : names) checkShown(text);
      for (int i = 0; i < PRJCOUNT; ++i) checkShown(PRJKEY[static_cast<std::size_t>(i)]);
      break;
    }
    case 1: {
      checkError(parseGridSystemList(bytes, name, count));
      require(count >= 0 && count <= GRIDSYS_ROWS);
      for (int i = 0; i < count; ++i) {
        for (const auto& text : GRIDSYS[static_cast<std::size_t>(i)]) checkShown(text);
      }
      break;
    }
    case 2: {
      checkError(parseEllipsoidList(bytes, name, count));
      require(count >= 0 && count <= EARTH_ROWS);
      for (int i = 0; i < count; ++i) {
        for (const auto& text : EARTHTAB[static_cast<std::size_t>(i)]) checkShown(text);
      }
      break;
    }
    default: {
      const auto error = parseGridGroupFile(bytes, name);
      checkError(error);
      require(GRPCOUNT >= 0 && GRPCOUNT <= GRP_ROWS);
      if (error) require(GRPCOUNT == 0);
      for (int i = 0; i < GRPCOUNT; ++i) {
        for (const auto& text : GRPTAB[static_cast<std::size_t>(i)]) {
          require(text.find('\0') == std::string::npos);
          checkShown(text);
        }
      }
      break;
    }
  }
  return 0;
}
