// velqora-convert as a program: exit status, what goes to standard output and standard
// error, the lists, and the choices of ellipsoid and grid.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/converter/program_run.h"

namespace velqora::convert::testing {
namespace {

const std::vector<std::string> UTM33 = {"--ellipsoid",   "WGS 84",
                                        "--grid-system", "UTM north zones 31-60 (WGS 84)",
                                        "--grid-group",  "WGS 84 / UTM zone 33N"};

std::vector<std::string> utm33(std::vector<std::string> more = {}) {
  more.insert(more.begin(), UTM33.begin(), UTM33.end());
  return more;
}

TEST(Command, StatusOutputAndReports) {
  struct Case {
    std::vector<std::string> args;
    std::string input;
    int status;
    std::string out;
    std::string err;  // a part of standard error; empty: nothing there
  };
  const std::string outside = "the point is outside the area that the projection can convert";
  const std::vector<Case> cases = {
      {utm33(), "lon lat\n15 0\n# note\n\n15 abc\n15 90\n", 1,
       "lon lat x_km y_km\n15 0 +500 +0\n# note\n\n15 abc \"ERROR: field 2 is not a number: abc\"\n15 90 \"ERROR: " +
           outside + "\"\n",
       "<stdin>:5: field 2 is not a number: abc\n<stdin>:6: " + outside + "\n"},
      {utm33({"--sexagesimal"}), "15;0;0;0;0;0\r\n14;30;;-0;30;\r\n", 0,
       "15;0;0;0;0;0;+500;+0\r\n14;30;;-0;30;;+444.36391201;-55.267155622\r\n", ""},
      // The sign of the degrees text is the whole angle's: -0 30 is half a degree south.
      // A grid point whose longitude lies beyond the series' limit from the central meridian.
      {utm33({"--inverse"}), "500,0\n12000,0\n", 1, "500,0,+15,+0,+0,+0\n12000,0,ERROR: " + outside + "\n",
       "<stdin>:2: " + outside + "\n"},
      {utm33({"--columns", "3,2"}), "a,0,15\n", 0, "a,0,15,+500,+0\n", ""},
      // A grid that no point can use refuses every point.
      {utm33({"--projection", "LCC1", "--origin-latitude", "0"}), "15 45\n", 1,
       "15 45 \"ERROR: the grid data are not valid for this projection\"\n",
       "<stdin>:1: the grid data are not valid for this projection\n"},
      {utm33({"--ellipsoid", "Nowhere"}), "", 2, "", "--ellipsoid: no entry named \"Nowhere\""},
      {utm33({"--grid-group", "99"}), "", 2, "", "--grid-group 99: positions run from 0 to 29"},
      {utm33({"--scale-factor", "0"}), "15 0\n", 2, "", "the grid: Please set a correct data."},
      {utm33({"--projection", "0"}), "15 0\n", 2, "", "the grid: Please select a projection."},
      {{"--grid-system", "1"}, "15 0\n", 2, "", "the ellipsoid: Please set a Radius."},
      {{"--ellipsoid", "2", "--grid-group", "1"}, "", 2, "", "--grid-group needs --grid-system"},
      {{"--ellipsoid", "2", "--projection", "TM"}, "", 2, "", "the grid: Please set correct data. (--origin-longitude"},
      {utm33({"--columns", "1"}), "", 2, "", "--columns: 2 columns are needed"},
      {utm33({"--delimiter", "|"}), "", 2, "", "--delimiter"},
      {utm33({"/no/such/file"}), "", 2, "", "/no/such/file: cannot be opened"},
      {utm33({"--bogus"}), "", 2, "", "--bogus"},
      {{"--help"}, "", 0, "", ""},
  };
  for (const Case& c : cases) {
    const ProgramRun run = runConvert(c.args, c.input);
    const std::string what = ::testing::PrintToString(c.args);
    EXPECT_EQ(run.status, c.status) << what << run.err;
    if (c.args.front() != "--help") {
      EXPECT_EQ(run.out, c.out) << what;
    }
    if (c.err.empty()) {
      EXPECT_EQ(run.err, "") << what;
    } else {
      EXPECT_NE(run.err.find(c.err), std::string::npos) << what << ": " << run.err;
    }
  }
}

TEST(Command, TypedGridAndPickedGridGroupConvertAlike) {
  const std::string points = "8.5 46.5\n6.25 45.75\n";
  const ProgramRun picked =
      runConvert({"--ellipsoid", "Bessel 1841", "--grid-system", "7", "--grid-group", "0", "--derived"}, points);
  const ProgramRun typed = runConvert(
      {"--ellipsoid-values", "6377.397155,,299.1528128,", "--projection", "OM", "--origin-longitude", "7,26,22.5",
       "--origin-latitude", "46,57,8.66", "--x-shift", "600", "--y-shift", "200", "--scale-factor", "1", "--derived"},
      points);
  EXPECT_EQ(picked.status, 0) << picked.err;
  EXPECT_EQ(typed.out, picked.out);
  EXPECT_NE(picked.out.find("8.5 46.5 +"), std::string::npos) << picked.out;
}

TEST(Command, ListsWithPositions) {
  const ProgramRun all = runConvert({"--list"}, "");
  EXPECT_EQ(all.status, 0);
  for (const char* line : {"   2  WGS 84  (6378.137,,298.257223563,)\n", "   1  TM  Transverse Mercator\n",
                           "   7  Swiss LV03 (Bessel 1841)\n"})
    EXPECT_NE(all.out.find(line), std::string::npos) << line << " in\n" << all.out;
  const ProgramRun groups = runConvert({"--list", "--grid-system", "Swiss LV03 (Bessel 1841)"}, "");
  EXPECT_NE(groups.out.find("(--grid-group NAME|N): projection key\n   0  CH1903 / LV03  (OM)\n"), std::string::npos)
      << groups.out;
}

// A list that cannot be read is reported with its file and line, and nothing is written.
TEST(Command, BrokenListStopsBeforeAnythingIsWritten) {
  const ScratchFolder data;
  for (const auto& entry : std::filesystem::directory_iterator(bundledData()))
    std::filesystem::copy_file(entry.path(), data.path() + "/" + entry.path().filename().string());
  data.write("gridlist.txt", "# one\r\nNo grid system\r\nnone\r\n");
  const std::string output = data.path() + "/out.txt";
  const ProgramRun run =
      runProgram({convertProgram(), "--data", data.path(), "--ellipsoid", "2", "-o", output}, "15 0\n");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err,
            "velqora-convert: " + data.path() + "/gridlist.txt, line 4: the file ends before its end line \"#-\"\n");
  EXPECT_FALSE(std::filesystem::exists(output));

  // Relative names: the inputs and -o from the folder the program starts in, the lists
  // from --data; the inputs in order.
  data.write("in.txt", "15 0");
  std::vector<std::string> args = utm33({"-o", "out.txt", "in.txt", "-", "in.txt"});
  args.insert(args.begin(), {convertProgram(), "--data", bundledData()});
  const ProgramRun written = runProgram(args, "15 0\n", data.path());
  EXPECT_EQ(written.status, 0) << written.err;
  std::ifstream out(output, std::ios::binary);
  std::stringstream text;
  text << out.rdbuf();
  EXPECT_EQ(text.str(), "15 0 +500 +0\n15 0 +500 +0\n15 0 +500 +0\n");
}

}  // namespace
}  // namespace velqora::convert::testing
