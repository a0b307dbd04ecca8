// Golden scenarios: each golden/NAME.script runs through the replay tool on the bundled
// data and must print golden/NAME.expected byte for byte. The expected files were made
// by the tool and checked by hand against PROJ and the projections' worked examples
// (each script's comment names the values). After a deliberate change of behaviour:
//   velqora-replay data < tests/e2e/golden/NAME.script > tests/e2e/golden/NAME.expected
// and read the difference before committing it.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/e2e/replay_run.h"

namespace velqora::e2e {
namespace {

namespace fs = std::filesystem;

fs::path goldenDir() { return fs::path(VELQORA_SOURCE_DIR) / "tests" / "e2e" / "golden"; }

std::vector<std::string> goldenNames(const std::string& extension) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(goldenDir()))
    if (entry.path().extension() == extension) names.push_back(entry.path().stem().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::string readFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

// Where two outputs part, in a form a reader can act on.
std::string firstDifference(const std::string& expected, const std::string& actual) {
  const auto want = lines(expected);
  const auto got = lines(actual);
  std::ostringstream out;
  std::size_t i = 0;
  while (i < want.size() && i < got.size() && want[i] == got[i]) ++i;
  out << "expected " << want.size() << " lines, got " << got.size() << "; first difference at line " << i + 1
      << ":\n";
  out << "- " << (i < want.size() ? want[i] : "<end of expected output>") << "\n";
  out << "+ " << (i < got.size() ? got[i] : "<end of output>") << "\n";
  std::size_t more = 0;
  for (std::size_t j = i + 1; j < std::min(want.size(), got.size()); ++j) more += want[j] != got[j] ? 1 : 0;
  out << more << " more differing lines after it";
  return out.str();
}

class Golden : public ::testing::TestWithParam<std::string> {};

TEST_P(Golden, ReplayPrintsTheExpectedOutput) {
  const fs::path script = goldenDir() / (GetParam() + ".script");
  const fs::path expected = goldenDir() / (GetParam() + ".expected");
  ASSERT_TRUE(fs::exists(expected)) << expected << " is missing";
  const ReplayRun run = replay(bundledData(), readFile(script));
  EXPECT_EQ(run.status, 0);
  const std::string want = readFile(expected);
  EXPECT_TRUE(run.output == want) << GetParam() << ": " << firstDifference(want, run.output);
}

INSTANTIATE_TEST_SUITE_P(E2e, Golden, ::testing::ValuesIn(goldenNames(".script")),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           std::string name = info.param;
                           std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
                           return name;
                         });

TEST(GoldenFiles, EveryExpectedOutputHasItsScript) {
  const auto scripts = goldenNames(".script");
  EXPECT_FALSE(scripts.empty());
  for (const std::string& name : goldenNames(".expected"))
    EXPECT_TRUE(std::binary_search(scripts.begin(), scripts.end(), name)) << name << ".expected has no script";
}

}  // namespace
}  // namespace velqora::e2e
