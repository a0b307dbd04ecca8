// convertFile, as the windows will call it: on a worker thread, the program's bytes,
// and no output at all when it cannot be done or is cancelled.
#include "converter/file_conversion.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <future>
#include <string>
#include <vector>

#include "converter/core_conversion.h"
#include "tests/converter/program_run.h"

namespace velqora::convert::testing {
namespace {

// WGS 84 and UTM zone 33N, as a window holding them makes the conversion.
PointConversion utm33() {
  const auto ellipsoid = ellipsoidForConversion(ellipsoidOf({6378.137, 0, 298.257223563, 0}), true);
  GridDefinition grid;
  grid.projection = TRANSVERSE_MERCATOR;
  grid.originLongitude = {15, 0, 0};
  grid.xShift = 500;
  grid.scaleFactor = 0.9996;
  return coreConversion(*ellipsoid, grid, {});
}

struct Progress final : ProgressSink {
  explicit Progress(bool cancel) : cancel(cancel) {}
  bool progress(std::uint64_t bytesRead, std::uint64_t totalBytes) override {
    last = {bytesRead, totalBytes};
    return !cancel;
  }
  bool cancel;
  std::pair<std::uint64_t, std::uint64_t> last;
};

TEST(ConvertFile, GivesTheProgramsBytesOrLeavesTheOutputAsItWas) {
  const ScratchFolder folder;
  std::string sample =
      "\xEF\xBB\xBF"
      "lon,lat\r\n# Vienna, then six mistakes\r\n16.3725,48.2083\r\n";
  for (int i = 0; i < 6; ++i) sample += "x,48\r\n";
  const std::string input = folder.write("in.txt", sample);
  const std::string programOutput = folder.path() + "/program.txt";
  const ProgramRun program = runProgram(
      {convertProgram(), "--data", bundledData(), "--ellipsoid", "WGS 84", "--grid-system",
       "UTM north zones 31-60 (WGS 84)", "--grid-group", "WGS 84 / UTM zone 33N", input, "-o", programOutput},
      "");
  ASSERT_EQ(program.status, 1) << program.err;
  const std::string converted = fileContents(programOutput);

  struct Case {
    std::string input, output, before;  // before: the output's contents, empty: no such file
    bool cancel;
    std::string after, failure;  // after: empty for no file; failure: a part of it
  };
  const std::string same = folder.write("same.txt", sample);
  const std::vector<Case> cases = {
      {input, "new.txt", "", false, converted, ""},
      {input, "old.txt", "old\n", false, converted, ""},
      {input, "cancelled.txt", "", true, "", "cancelled"},
      {input, "kept.txt", "kept\n", true, "kept\n", "cancelled"},
      {same, "same.txt", sample, false, sample, "the output is the same file as the input"},
      {folder.path() + "/none.txt", "none-out.txt", "", false, "", "none.txt: cannot be opened"},
  };
  const PointConversion conversion = utm33();
  for (const Case& c : cases) {
    const std::string output = folder.path() + "/" + c.output;
    if (!c.before.empty()) folder.write(c.output, c.before);
    Progress progress(c.cancel);
    // On a worker thread, as a window's "Convert a file" runs it.
    const FileConversionSummary summary = std::async(std::launch::async, [&] {
                                            return convertFile({c.input, output, {}, {}, {}}, conversion, progress);
                                          }).get();
    EXPECT_NE(summary.failure.find(c.failure), std::string::npos) << c.output << ": " << summary.failure;
    EXPECT_EQ(summary.failure.empty(), c.failure.empty()) << c.output;
    EXPECT_EQ(summary.cancelled, c.cancel) << c.output;
    EXPECT_EQ(std::filesystem::exists(output), !c.after.empty()) << c.output;
    EXPECT_EQ(fileContents(output), c.after) << c.output;
    if (c.failure.empty()) {
      EXPECT_EQ(summary.converted, 1u);
      EXPECT_EQ(summary.failed, 6u);
      EXPECT_EQ(summary.reports, (std::vector<std::string>{
                                     "in.txt:1: read as a header line", "in.txt:4: field 1 is not a number: x",
                                     "in.txt:5: field 1 is not a number: x", "in.txt:6: field 1 is not a number: x",
                                     "in.txt:7: field 1 is not a number: x"}));
      EXPECT_EQ(progress.last, std::make_pair(std::uint64_t{sample.size()}, std::uint64_t{sample.size()}));
    }
  }
  for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
    EXPECT_FALSE(entry.path().filename().string().starts_with(".velqora-convert-")) << entry.path();
}

}  // namespace
}  // namespace velqora::convert::testing
