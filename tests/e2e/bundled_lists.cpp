#include "tests/e2e/bundled_lists.h"

#include <fstream>
#include <sstream>

namespace velqora::e2e {

std::vector<Record> readRecords(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream whole;
  whole << file.rdbuf();
  const std::string text = whole.str();
  std::vector<Record> records;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(start, end - start);
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    if (line.rfind("#-", 0) == 0) break;
    if (line.rfind('#', 0) == 0)
      records.push_back({line.substr(1), {}});
    else if (!records.empty())
      records.back().lines.push_back(line);
  }
  return records;
}

}  // namespace velqora::e2e
