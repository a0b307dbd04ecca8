// File > Convert a file… through the replay tool's convert-file, in a folder holding the
// bundled lists and the files: the window's file conversion gives velqora-convert's
// bytes and reports on a grid of each projection, forward and back; Cancel leaves no
// output and an existing one as it was; the same file twice, a field that is not a
// number and a grid no point can use are refused. With VELQORA_WINDOWS_REPLAY naming
// velqora-replay.exe (and VELQORA_WINE the wine program) the same cases run through the
// Win32 window under Wine; tests/win32/run.sh does that.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "tests/converter/program_run.h"

namespace velqora::e2e {
namespace {

namespace fs = std::filesystem;
using convert::testing::ProgramRun;
using convert::testing::ScratchFolder;

using convert::testing::fileContents;

// The replay tool started in the folder, which it takes as its data folder.
ProgramRun replayIn(const std::string& folder, const std::string& script) {
  if (const char* exe = std::getenv("VELQORA_WINDOWS_REPLAY")) {
    const char* wine = std::getenv("VELQORA_WINE");
    return convert::testing::runProgram({wine != nullptr ? wine : "/usr/bin/wine", exe, "."}, script, folder);
  }
#ifdef VELQORA_LSAN_OPTIONS
  setenv("LSAN_OPTIONS", VELQORA_LSAN_OPTIONS, 0);
#endif
  return convert::testing::runProgram({VELQORA_REPLAY, "."}, script, folder);
}

enum class Expect {
  converted,  // the output and the summary are velqora-convert's
  cancelled,  // no output, or the one there as it was
  sameFile,   // refused by the conversion: the input as it was
  refused,    // refused before any dialog: the window's message, no output
};

struct Case {
  std::string name;          // the input NAME.txt, the output NAME-out.txt
  std::array<int, 3> picks;  // the ellipsoid, the grid system, its grid group
  std::string choices;       // convert-file's direction and "derived"
  std::string points;        // a line "x y" follows, which no direction converts
  Expect expect = Expect::converted;
  std::string typed = {};     // a line that comes before a refusal
  std::string alert = {};     // the refusal's message
  std::string existing = {};  // the output before a cancel, if there is one
};

TEST(WindowConvertFile, GivesVelqoraConvertsBytesOrRefusesOrLeavesNoOutput) {
  const std::array<int, 3> UTM54{2, 2, 23}, SWISS{4, 7, 0}, TEXAS_CLARKE{5, 9, 3}, JAMAICA{5, 10, 0},
      PALESTINE{7, 11, 0}, DUTCH{4, 8, 0};
  const std::vector<Case> cases = {
      {"tm", UTM54, "decimal derived", "139.75 35.6875\n138.5 36.25\n"},
      {"tm-back", UTM54, "inverse", "386.894790 3950.008353\n500 4000\n"},
      {"om", SWISS, "sexagesimal derived", "9 30 0 47 30 0\n6 0 0 46 0 0\n"},
      {"om-back", SWISS, "inverse derived", "755.209648 262.912607\n488.48965 95.160859\n"},
      {"lcc2", TEXAS_CLARKE, "decimal", "-96 28.5\n-97.5 29\n"},
      {"lcc2-back", TEXAS_CLARKE, "inverse", "893.676580 4077.650943\n"},
      {"lcc1", JAMAICA, "sexagesimal", "-76 56 37.26 17 55 55.80\n"},
      {"lcc1-back", JAMAICA, "inverse derived", "255.966582 142.493511\n"},
      {"cs", PALESTINE, "decimal derived", "35.5 31.5\n35 32\n"},
      {"cs-back", PALESTINE, "inverse", "197.605650 100.948135\n"},
      {"stereo", DUTCH, "decimal", "6 53\n5 51\n"},
      {"stereo-back", DUTCH, "inverse derived", "196.105283 557.057739\n127.791802 334.460684\n"},
      {"cancel", UTM54, "decimal", "139.75 35.6875\n", Expect::cancelled},
      {"cancel-kept", UTM54, "decimal", "139.75 35.6875\n", Expect::cancelled, "", "", "kept\n"},
      {"same", UTM54, "decimal", "139.75 35.6875\n", Expect::sameFile},
      {"comma", UTM54, "decimal", "139.75 35.6875\n", Expect::refused, "type EDIT13 0,9996",
       "The text \"0,9996\" is not a number."},
      {"pole", SWISS, "decimal", "9.5 47.5\n", Expect::refused, "type EDIT6 90",
       "The grid data are not valid for this projection."},
  };

  const ScratchFolder folder;
  for (const auto& entry : fs::directory_iterator(convert::testing::bundledData()))
    if (entry.path().extension() == ".txt" && !entry.path().filename().string().starts_with("epsg-"))
      fs::copy_file(entry.path(), fs::path(folder.path()) / entry.path().filename());

  // One run of the tool for every case, each after fresh picks (the first conversion
  // after an ellipsoid is picked settles it, as velqora-convert does).
  std::string script;
  std::string expected;
  for (const Case& c : cases) {
    const std::string in = c.name + ".txt";
    const std::string out = c.expect == Expect::sameFile ? in : c.name + "-out.txt";
    folder.write(in, c.points + "x y\n");
    if (!c.existing.empty()) folder.write(out, c.existing);
    const auto [ellipsoid, system, group] = c.picks;
    script += "pick COMBO3 0\npick COMBO3 " + std::to_string(system) + "\npick COMBO2 " + std::to_string(group) +
              "\npick COMBO1 0\npick COMBO1 " + std::to_string(ellipsoid) + "\n";
    if (!c.typed.empty()) script += c.typed + "\n";
    script += std::string(c.expect == Expect::cancelled ? "convert-file-cancel " : "convert-file ") + in + " " + out +
              " " + c.choices + "\nmessages\n";
    switch (c.expect) {
      case Expect::converted: {
        std::vector<std::string> args = {convert::testing::convertProgram(),
                                         "--data",
                                         convert::testing::bundledData(),
                                         "--ellipsoid",
                                         std::to_string(ellipsoid),
                                         "--grid-system",
                                         std::to_string(system),
                                         "--grid-group",
                                         std::to_string(group)};
        if (c.choices.starts_with("sexagesimal")) args.push_back("--sexagesimal");
        if (c.choices.starts_with("inverse")) args.push_back("--inverse");
        if (c.choices.ends_with("derived")) args.push_back("--derived");
        args.insert(args.end(), {in, "-o", c.name + "-program.txt"});
        const ProgramRun program = convert::testing::runProgram(args, "", folder.path());
        ASSERT_EQ(program.status, 1) << c.name << ": " << program.err;
        const auto lines = static_cast<std::size_t>(std::count(c.points.begin(), c.points.end(), '\n'));
        expected += "SUMMARY " + std::to_string(lines) + (lines == 1 ? " line" : " lines") +
                    " converted, 1 not converted.\nSUMMARY Written to " + out + ".\n";
        std::istringstream reports(program.err);
        for (std::string report; std::getline(reports, report);) expected += "SUMMARY " + report + "\n";
        expected += "NO MESSAGE\n";
        break;
      }
      case Expect::cancelled:
        expected += "SUMMARY The conversion was cancelled. Nothing was written to " + out + ".\nNO MESSAGE\n";
        break;
      case Expect::sameFile:
        expected += "SUMMARY The file could not be converted: " + out + ": the output is the same file as the input " +
                    in + ".\nSUMMARY Nothing was written to " + out + ".\nNO MESSAGE\n";
        break;
      case Expect::refused:
        expected += "ALERT " + c.alert + "\n";
        break;
    }
  }
  const ProgramRun window = replayIn(folder.path(), script);
  EXPECT_EQ(window.status, 0);
  EXPECT_EQ(window.out, expected);

  for (const Case& c : cases) {
    const fs::path in = fs::path(folder.path()) / (c.name + ".txt");
    const fs::path out = fs::path(folder.path()) / (c.name + "-out.txt");
    EXPECT_EQ(fileContents(in), c.points + "x y\n") << c.name;
    if (c.expect == Expect::converted) {
      EXPECT_EQ(fileContents(out), fileContents(fs::path(folder.path()) / (c.name + "-program.txt"))) << c.name;
      EXPECT_FALSE(fileContents(out).empty()) << c.name;
    } else {
      EXPECT_EQ(fs::exists(out), !c.existing.empty()) << c.name;
      EXPECT_EQ(fileContents(out), c.existing) << c.name;
    }
  }
  // Nothing is left of the output's temporary files.
  for (const auto& entry : fs::directory_iterator(folder.path()))
    EXPECT_FALSE(entry.path().filename().string().starts_with(".velqora-convert-")) << entry.path();
}

}  // namespace
}  // namespace velqora::e2e
