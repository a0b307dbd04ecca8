#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "datafiles/loaders.h"
#include "datafiles/tables.h"
#include "tests/scratch_dir.h"
#include "window/handlers.h"
#include "window/memory_form.h"

namespace velqora {
namespace {

const std::vector<std::string> PRJ_LIST = {
    "projections", "#", "None", "NONE", "#", "Transverse Mercator", "TM", "#", "Oblique Mercator", "OM", "#-"};
const std::vector<std::string> GRID_LIST = {"grid systems", "#", "", "", "#", "Test system", "test.grp", "#-"};
const std::vector<std::string> EARTH_LIST = {"ellipsoids", "#", "Bessel 1841", "6377.397155,,299.1528128,",
                                             "#",          "GRS80",       "6378.137,,298.257222101,",
                                             "#-"};

class StartUp : public ::testing::Test {
protected:
  void SetUp() override { testing::resetGlobals(); }
  void TearDown() override { testing::resetGlobals(); }

  void writeLists() const {
    dir.write(PRJ_LIST_FILE, PRJ_LIST);
    dir.write(GRID_LIST_FILE, GRID_LIST);
    dir.write(EARTH_LIST_FILE, EARTH_LIST);
  }

  std::optional<StartUpFailure> run() {
    testing::WorkingDirectory here(dir.path());
    return startUp(form);
  }

  testing::ScratchDir dir;
  MemoryForm form;
};

TEST_F(StartUp, ListsShowTheirFirstEntriesAndNoHandlerRuns) {
  writeLists();
  GRPCOUNT = 3;  // as if a grid-group file were loaded
  const auto error = run();
  ASSERT_FALSE(error) << error->report();

  EXPECT_EQ(GRPCOUNT, 0);
  EXPECT_EQ(form.entries(COMBO2), std::vector<std::string>{GRID_GROUP_PLACEHOLDER});
  EXPECT_EQ(std::string(GRID_GROUP_PLACEHOLDER).size(), 73U);
  EXPECT_EQ(form.entries(COMBO4),
            (std::vector<std::string>{"None", "Transverse Mercator", "Oblique Mercator"}));
  EXPECT_EQ(PRJCOUNT, 3);
  EXPECT_EQ(PRJKEY[1], "TM");
  EXPECT_EQ(form.entries(COMBO3), (std::vector<std::string>{"", "Test system"}));
  EXPECT_EQ(form.entries(COMBO1), (std::vector<std::string>{"Bessel 1841", "GRS80"}));
  for (List list : {COMBO1, COMBO2, COMBO3, COMBO4}) EXPECT_EQ(form.selectedPosition(list), 0) << list;

  // No selection handler ran: the fields keep their initial texts.
  for (int f = 1; f <= FIELD_COUNT; ++f) EXPECT_EQ(form.text(static_cast<Field>(f)), initialText(static_cast<Field>(f))) << f;
  EXPECT_EQ(form.text(EDIT1), "");
  EXPECT_TRUE(form.messages.empty());
}

TEST_F(StartUp, AMissingListFileIsFatal) {
  for (const char* absent : {PRJ_LIST_FILE, GRID_LIST_FILE, EARTH_LIST_FILE}) {
    SCOPED_TRACE(absent);
    writeLists();
    std::filesystem::remove(dir.path() / absent);
    const auto failure = run();
    ASSERT_TRUE(failure);
    ASSERT_EQ(failure->errors.size(), 1u);
    EXPECT_EQ(failure->errors[0].file, absent);
    EXPECT_TRUE(form.messages.empty());  // the caller reports it and ends the program
  }
}

// Every list is tried: the message names each file that failed, the folder on a line of
// its own, and ends with what to do.
TEST_F(StartUp, TheMessageNamesEveryFailedFileTheFolderAndTheRemedy) {
  dir.write(GRID_LIST_FILE, {"grid systems", "#", "", ""});
  const auto failure = run();
  ASSERT_TRUE(failure);
  EXPECT_EQ(startUpFailureMessage(*failure, "/home/ann/grids", false),
            "Velqora cannot start, because it could not load its lists:\n"
            "- prj-list.txt: the file does not exist\n"
            "- gridlist.txt, line 5: the file ends before its end line \"#-\"\n"
            "- earth-sz.txt: the file does not exist\n"
            "\n"
            "Velqora reads its lists from the folder it starts in, which is:\n"
            "/home/ann/grids\n"
            "\n"
            "Put prj-list.txt, gridlist.txt and earth-sz.txt in that folder, or start Velqora in the folder that "
            "holds them.");
  const std::string windows = startUpFailureMessage(*failure, "C:\\Grids", true);
  EXPECT_NE(windows.find("\nC:\\Grids\n"), std::string::npos);
  EXPECT_TRUE(windows.ends_with("(in a shortcut to Velqora, that folder goes in \"Start in\").")) << windows;
}

TEST_F(StartUp, ListFilesWithoutRecords) {
  // Grid systems and ellipsoids still give their lists the empty first entry.
  writeLists();
  dir.write(GRID_LIST_FILE, {"#-"});
  dir.write(EARTH_LIST_FILE, {"#-"});
  auto error = run();
  ASSERT_FALSE(error) << error->report();
  EXPECT_EQ(form.entries(COMBO3), std::vector<std::string>{""});
  EXPECT_EQ(form.entries(COMBO1), std::vector<std::string>{""});
  EXPECT_EQ(form.selectedPosition(COMBO3), 0);
  EXPECT_EQ(form.selectedPosition(COMBO1), 0);

  // Without a projection list there is not even "no projection" to select: fatal.
  dir.write(PRJ_LIST_FILE, {"#-"});
  error = run();
  ASSERT_TRUE(error);
  EXPECT_EQ(error->report(), "prj-list.txt: the projection list holds no entry");
}

// The bundled data: every list loads, and every grid system's grid-group file too.
TEST_F(StartUp, BundledData) {
  const std::filesystem::path data = std::filesystem::path(VELQORA_SOURCE_DIR) / "data";
  for (const char* name : {PRJ_LIST_FILE, GRID_LIST_FILE, EARTH_LIST_FILE})
    if (!std::filesystem::exists(data / name)) GTEST_SKIP() << "no bundled " << name;

  testing::WorkingDirectory here(data);
  const auto error = startUp(form);
  ASSERT_FALSE(error) << error->report();
  EXPECT_GE(form.entryCount(COMBO4), 7);
  EXPECT_GE(form.entryCount(COMBO3), 2);
  EXPECT_GE(form.entryCount(COMBO1), 2);
  for (int f = EDIT1; f <= EDIT4; ++f) EXPECT_EQ(form.text(static_cast<Field>(f)), "");

  for (int k = 1; k < form.entryCount(COMBO3); ++k) {
    SCOPED_TRACE(form.entries(COMBO3)[k]);
    form.selectPosition(COMBO3, k);
    COMBO3_CHANGE(form);
    EXPECT_TRUE(form.messages.empty()) << form.messages.front();
    form.messages.clear();
    EXPECT_GT(GRPCOUNT, 0);
    EXPECT_EQ(form.entryCount(COMBO2), GRPCOUNT);
  }
}

}  // namespace
}  // namespace velqora
