// The structure common to the four data files: records that start with a "#" line,
// comment lines between them, and the "#-" line that ends the list.
#include "datafiles/list_reader.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

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
  char buffer[65536];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) bytes.append(buffer, got);
  if (std::ferror(file.get())) {
    // A directory opens but cannot be read.
    failOpening(fileName, std::string("the file cannot be read (") + std::strerror(errno) + ")");
  }
  return bytes;
}

void readList(DataReader& reader, int limit, int& count,
              const std::function<void(DataReader& reader, int entry)>& readBody) {
  const std::string noEndLine = "the file ends before its end line \"#-\"";
  while (true) {
    const int lineNumber = reader.lineNumber();
    const std::string line = reader.readLine(noEndLine);
    if (line.compare(0, 2, "#-") == 0) return;
    if (line.compare(0, 1, "#") != 0) continue;  // a comment line
    if (count >= limit) {
      throw LoadFailure{LoadError{reader.fileName(), lineNumber,
                                  "more than " + std::to_string(limit) +
                                      " records; the list holds at most " + std::to_string(limit)}};
    }
    readBody(reader, count);
    ++count;
  }
}

std::string missingValue(int number, int of) {
  return "the file ends inside a record: value " + std::to_string(number) + " of " + std::to_string(of) +
         " is missing";
}

}  // namespace velqora
