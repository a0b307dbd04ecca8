// velqora-convert as a program: exit status, what goes to standard output and standard
// error, the lists, and the choices of ellipsoid and grid.
#include <gtest/gtest.h>

#include <algorithm>
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
       "<stdin>:1: read as a header line\n<stdin>:5: field 2 is not a number: abc\n<stdin>:6: " + outside + "\n"},
      // A mistyped first point is no header; a byte-order mark is passed over and written back.
      {utm33(), "16.3725x,48.2O83\n", 1, "16.3725x,48.2O83,ERROR: field 1 is not a number: 16.3725x\n",
       "<stdin>:1: field 1 is not a number: 16.3725x\n"},
      {utm33({"--columns", "lon,lat"}), "\xEF\xBB\xBFlon,lat\r\n15,0\r", 0,
       "\xEF\xBB\xBFlon,lat,x_km,y_km\r\n15,0,+500,+0\r", ""},
      {utm33({"--no-header", "--columns", "lon,lat"}), "", 2, "", "--no-header"},
      {utm33({"--sexagesimal"}), "15;0;0;0;0;0\r\n14;30;;-0;30;\r\n", 0,
       "15;0;0;0;0;0;+500;+0\r\n14;30;;-0;30;;+444.36391201;-55.267155622\r\n", ""},
      // The sign of the degrees text is the whole angle's: -0 30 is half a degree south.
      // A grid point whose longitude lies beyond the series' limit from the central meridian.
      {utm33({"--inverse"}), "500,0\n12000,0\n", 1, "500,0,+15,+0,+0,+0\n12000,0,ERROR: " + outside + "\n",
       "<stdin>:2: " + outside + "\n"},
      {utm33({"--columns", "3,2"}), "a,0,15\n", 0, "a,0,15,+500,+0\n", ""},
      // A finer tolerance than the window's 0.1 m; a point the iteration bound stops short
      // of it is an ERROR; --tolerance belongs to --inverse.
      {utm33({"--inverse"}), "600,5300\n", 0, "600,5300,+16.336591375,+47.845561389,+0.0296,+0.0158\n", ""},
      {utm33({"--inverse", "--tolerance", "0.0001"}), "600,5300\n", 0,
       "600,5300,+16.336590974,+47.845561252,-0.0000,-0.0000\n", ""},
      {utm33({"--inverse", "--tolerance", "0.0001", "--projection", "LCC1", "--origin-latitude", "36"}), "500,-10000\n",
       1, "500,-10000,ERROR: the estimate did not come within 0.0001 m of the point in 90001 steps\n",
       "<stdin>:1: the estimate did not come within"},
      {utm33({"--tolerance", "0.001"}), "", 2, "", "--tolerance: it is the tolerance of --inverse"},
      // The EPSG catalogue: a grid by its code, the two reasons a code is refused, a search.
      {{"--epsg", "2154"}, "2.35 48.85\n", 0, "2.35 48.85 +652.30156483 +6861.3027258\n", ""},
      {{"--epsg", "3857"}, "", 2, "", "--epsg 3857: EPSG:3857 WGS 84 / Pseudo-Mercator is not drawn by any"},
      {{"--epsg", "99999"}, "", 2, "", "--epsg 99999: no projected CRS of the EPSG dataset"},
      {utm33({"--epsg", "2154"}), "", 2, "", "--epsg sets the ellipsoid"},
      {{"--find", "RGF93 v1 lambert-93"},
       "",
       0,
       "EPSG:2154  RGF93 v1 / Lambert-93  (France - onshore and offshore, mainland and Corsica (France métropolitaine "
       "including Corsica).)\n",
       ""},
      {{"--find", "no such grid"}, "", 1, "", "--find: no grid of"},
      {utm33({"--inverse", "--tolerance", "0"}), "", 2, "", "--tolerance: a distance in metres greater than 0"},
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
      {utm33({"-o", "/no/such/folder/out.txt"}), "", 2, "", "/no/such/folder/out.txt: cannot be created"},
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

// -o FILE is written whole when the run ends well, else left as it was, with no
// temporary file behind; an output that is an input is refused. Memory stays small
// however long the lines.
TEST(Command, OutputWrittenWholeOrNotAtAll) {
  const ScratchFolder folder;
  folder.write("pts.txt", "15 0\n");
  std::filesystem::create_symlink("pts.txt", folder.path() + "/link.txt");
  std::filesystem::create_hard_link(folder.path() + "/pts.txt", folder.path() + "/hard.txt");
  std::filesystem::create_directory(folder.path() + "/folder");
  {
    // Freed before the runs: a spawned child's peak counts its parent's memory too.
    const std::string longLine = "15,0," + std::string(1000000, 'x') + "\n";
    std::ofstream longLines(folder.path() + "/long.txt", std::ios::binary);
    for (int i = 0; i < 40; ++i) longLines << longLine;
  }
  folder.write("old.txt", "old\n");
  struct Case {
    std::vector<std::string> args;
    unsigned long fileSizeLimit;
    int status;
    std::string file, contents, err;  // the file afterwards; a part of standard error
  };
  const std::vector<Case> cases = {
      {{"pts.txt", "-o", "pts.txt"},
       0,
       2,
       "pts.txt",
       "15 0\n",
       "pts.txt: the output is the same file as the input pts.txt"},
      {{"pts.txt", "-o", "link.txt"}, 0, 2, "pts.txt", "15 0\n", "the same file"},
      {{"-", "pts.txt", "-o", "hard.txt"}, 0, 2, "pts.txt", "15 0\n", "the same file"},
      {{"pts.txt", "folder", "-o", "old.txt"}, 0, 2, "old.txt", "old\n", "folder: cannot be read"},   // a read fails
      {{"long.txt", "-o", "old.txt"}, 1 << 20, 2, "old.txt", "old\n", "old.txt: cannot be written"},  // a full disk
      {{"long.txt", "-o", "/dev/null"}, 0, 0, "old.txt", "old\n", ""},
      {{"pts.txt", "-o", "old.txt"}, 0, 0, "old.txt", "15 0 +500 +0\n", ""},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = utm33(c.args);
    args.insert(args.begin(), {convertProgram(), "--data", bundledData()});
    const ProgramRun run = runProgram(args, "", folder.path(), c.fileSizeLimit);
    const std::string what = ::testing::PrintToString(c.args);
    EXPECT_EQ(run.status, c.status) << what << run.err;
    std::ifstream file(folder.path() + "/" + c.file, std::ios::binary);
    std::stringstream contents;
    contents << file.rdbuf();
    EXPECT_EQ(contents.str(), c.contents) << what;
    EXPECT_NE(run.err.find(c.err), std::string::npos) << what << ": " << run.err;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
      EXPECT_FALSE(entry.path().filename().string().starts_with(".velqora-convert-")) << what << entry.path();
    EXPECT_LT(run.peakKilobytes, VELQORA_PEAK_LIMIT_KB) << what;
  }
}

// Without --data the lists come from the current folder, else from the install the
// program is in; an entry is picked by its exact name before its position.
TEST(Command, ListsFromTheirFolder) {
  const ScratchFolder scratch;
  const std::string data = scratch.path() + "/data";
  const std::string installed = scratch.path() + "/prefix/share/velqora";
  const std::string program = scratch.path() + "/prefix/bin/velqora-convert";
  std::filesystem::create_directories(installed);
  std::filesystem::create_directories(scratch.path() + "/prefix/bin");
  std::filesystem::create_directory(scratch.path() + "/empty");
  std::filesystem::copy(bundledData(), data);
  std::filesystem::copy(bundledData(), installed);
  std::filesystem::copy_file(convertProgram(), program);
  // An ellipsoid named "1", with Bessel's values; position 1 is another one.
  std::ifstream in(data + "/earth-sz.txt", std::ios::binary);
  std::stringstream list;
  list << in.rdbuf();
  std::string text = list.str();
  text.insert(text.rfind("#-"), "# a name of digits\r\n1\r\n6377.397155,,299.1528128,\r\n");
  scratch.write("data/earth-sz.txt", text);

  const std::vector<std::string> grid = {"--grid-system", "UTM north zones 31-60 (WGS 84)", "--grid-group",
                                         "WGS 84 / UTM zone 33N"};
  std::vector<std::string> bessel = {convertProgram(), "--ellipsoid", "Bessel 1841"};
  bessel.insert(bessel.end(), grid.begin(), grid.end());
  const std::string expected = runProgram(bessel, "16 48\n", data).out;
  EXPECT_NE(expected.find("16 48 +"), std::string::npos) << expected;
  struct Case {
    std::string program, folder, ellipsoid;
    int status;
    std::string out, err;  // err: a part of standard error
  };
  const std::vector<Case> cases = {
      {convertProgram(), data, "1", 0, expected, ""},
      {program, scratch.path() + "/empty", "Bessel 1841", 0, expected, ""},
      {convertProgram(), scratch.path() + "/empty", "Bessel 1841", 2, "", "prj-list.txt: the file does not exist"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {c.program, "--ellipsoid", c.ellipsoid};
    args.insert(args.end(), grid.begin(), grid.end());
    const ProgramRun run = runProgram(args, "16 48\n", c.folder);
    EXPECT_EQ(run.status, c.status) << c.program << " in " << c.folder << ": " << run.err;
    EXPECT_EQ(run.out, c.out) << c.program << " in " << c.folder;
    EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
  }
  // --help shows the folder it would read.
  EXPECT_NE(runProgram({program, "--help"}, "", scratch.path() + "/empty").out.find("=" + installed + "\n"),
            std::string::npos);
}

}  // namespace
// Enough points for several chunks, shared out among the threads, which convert with
// one grid: every point comes out, in order (under ThreadSanitizer, without a race).
TEST(Command, ThreadsShareOneGrid) {
  std::string points;
  for (int i = 0; i < 40000; ++i)
    points += std::to_string(12 + (i % 600) / 100.0) + " " + std::to_string(1 + (i % 800) / 10.0) + "\n";
  for (const std::vector<std::string>& direction :
       {std::vector<std::string>{"--derived"}, std::vector<std::string>{"--inverse", "--derived"}}) {
    const ProgramRun run = runConvert(utm33(direction), points);
    EXPECT_EQ(run.status, 0) << run.err.substr(0, 200);
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 40000);
  }
}

}  // namespace velqora::convert::testing
