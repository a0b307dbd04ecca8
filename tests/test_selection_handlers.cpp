#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "datafiles/tables.h"
#include "tests/scratch_dir.h"
#include "window/handlers.h"
#include "window/memory_form.h"
#include "window/records.h"

namespace velqora {
namespace {

// One grid-group record: a start line, the name, the sixteen fields on one line.
std::vector<std::string> groupRecord(const std::string& name, const std::array<std::string, 16>& fields) {
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i) line += (i == 0 ? "" : ",") + fields[i];
  return {"#", name, line};
}

std::vector<std::string> gridGroupFile(const std::vector<std::vector<std::string>>& records) {
  std::vector<std::string> lines = {"grid groups of a test system"};
  for (const auto& record : records) lines.insert(lines.end(), record.begin(), record.end());
  lines.emplace_back("#-");
  return lines;
}

const std::array<std::string, 16> ZONE_I = {"129",    "30", "00", "33", "00", "00", "+0", "+0",
                                            "0.9999", "TM", "",   "",   "",   "",   "",   ""};
const std::array<std::string, 16> ZONE_L = {"-96",   "00",  "00", "23", "00", "00", "+0", "+0",
                                            "1.000", "LC2", "29", "30", "00", "45", "30", "00"};

class SelectionHandlers : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::resetGlobals();
    const std::array<const char*, 7> keys = {"NONE", "TM", "OM", "LC2", "LC1", "CS", "SC"};
    for (int p = 0; p < 7; ++p) {
      PRJKEY[p] = keys[p];
      form.appendEntry(COMBO4, std::string("projection ") + keys[p]);
    }
    PRJCOUNT = 7;
    form.selectPosition(COMBO4, 0);
    form.appendEntry(COMBO2, GRID_GROUP_PLACEHOLDER);
    form.selectPosition(COMBO2, 0);
  }

  // Lists grid systems in COMBO3: position 0 none, then the given grid-group files.
  void setGridSystems(const std::vector<std::string>& files) {
    form.clearList(COMBO3);
    form.appendEntry(COMBO3, "");
    for (std::size_t i = 0; i < files.size(); ++i) {
      GRIDSYS[i + 1] = {"system " + std::to_string(i + 1), files[i]};
      form.appendEntry(COMBO3, GRIDSYS[i + 1][0]);
    }
  }

  void pickGridSystem(int k) {
    form.selectPosition(COMBO3, k);
    COMBO3_CHANGE(form);
  }
  void pickGridGroup(int k) {
    form.selectPosition(COMBO2, k);
    COMBO2_CHANGE(form);
  }

  [[nodiscard]] std::array<std::string, FIELD_COUNT + 1> fields() const {
    std::array<std::string, FIELD_COUNT + 1> texts;
    for (int f = 1; f <= FIELD_COUNT; ++f) texts[f] = form.text(static_cast<Field>(f));
    return texts;
  }

  void expectPlaceholderSelected() const {
    EXPECT_EQ(GRPCOUNT, 0);
    EXPECT_EQ(form.entries(COMBO2), std::vector<std::string>{GRID_GROUP_PLACEHOLDER});
    EXPECT_EQ(form.selectedPosition(COMBO2), 0);
  }

  testing::ScratchDir dir;
  MemoryForm form;
};

TEST_F(SelectionHandlers, AnEllipsoidFillsItsFourFieldsAsLoaded) {
  EARTHTAB[0] = {"", "", "", "", ""};
  EARTHTAB[1] = {"GRS80", "6378.137", "", "298.257222101", ""};
  EARTHTAB[2] = {"Sph\xe4re", "6370", "6370", "", ""};
  form.setText(EDIT2, "typed before");
  form.appendEntry(COMBO1, "");
  form.appendEntry(COMBO1, "GRS80");
  form.appendEntry(COMBO1, "Sph\xc3\xa4re");
  form.selectPosition(COMBO1, 1);
  COMBO1_CHANGE(form);
  EXPECT_EQ(form.text(EDIT1), "6378.137");
  EXPECT_EQ(form.text(EDIT2), "");  // an empty value empties the field
  EXPECT_EQ(form.text(EDIT3), "298.257222101");
  EXPECT_EQ(form.text(EDIT4), "");
  EXPECT_EQ(EARTH, (std::array<double, 4>{}));  // only a command or "Calculate" fills EARTH
  EXPECT_TRUE(form.messages.empty());
}

TEST_F(SelectionHandlers, CalculateCompletesTheEllipsoidOrAsksForARadius) {
  BUTTON1_ON(form);
  EXPECT_EQ(form.messages, std::vector<std::string>{"Please set a Radius."});

  form.messages.clear();
  form.setText(EDIT1, "6378.137");
  form.setText(EDIT3, "298.257222101");
  BUTTON1_ON(form);
  EXPECT_TRUE(form.messages.empty());
  EXPECT_EQ(EARTH[0], 6378.137);
  EXPECT_FALSE(form.text(EDIT2).empty());
  EXPECT_FALSE(form.text(EDIT4).empty());
}

TEST_F(SelectionHandlers, AGridGroupFillsTheOriginFieldsAndSelectsItsProjection) {
  GRPTAB[0] = {"Zone I"};
  for (int c = 0; c < 16; ++c) GRPTAB[0][c + 1] = ZONE_I[c];
  GRPTAB[1] = {"Lambert"};
  for (int c = 0; c < 16; ++c) GRPTAB[1][c + 1] = ZONE_L[c];
  GRPCOUNT = 2;
  form.clearList(COMBO2);
  form.appendEntry(COMBO2, "Zone I");
  form.appendEntry(COMBO2, "Lambert");

  pickGridGroup(1);
  const std::vector<std::pair<Field, std::string>> expected = {
      {EDIT5, "-96"}, {EDIT7, "00"},  {EDIT9, "00"},  {EDIT6, "23"},     {EDIT8, "00"},
      {EDIT10, "00"}, {EDIT11, "+0"}, {EDIT12, "+0"}, {EDIT13, "1.000"}, {EDIT33, "29"},
      {EDIT35, "30"}, {EDIT37, "00"}, {EDIT34, "45"}, {EDIT36, "30"},    {EDIT38, "00"}};
  for (const auto& [field, text] : expected) EXPECT_EQ(form.text(field), text) << "EDIT" << field;
  EXPECT_EQ(form.selectedPosition(COMBO4), 3);

  // A group without parallels empties them again.
  pickGridGroup(0);
  EXPECT_EQ(form.text(EDIT5), "129");
  EXPECT_EQ(form.text(EDIT13), "0.9999");
  EXPECT_EQ(form.text(EDIT33), "");
  EXPECT_EQ(form.text(EDIT38), "");
  EXPECT_EQ(form.selectedPosition(COMBO4), 1);
  EXPECT_TRUE(form.messages.empty());
}

TEST_F(SelectionHandlers, TheProjectionKeyFallsBackToPositionZero) {
  PRJKEY[2] = "TM";         // a duplicate key: the first match wins
  PRJKEY[5] = "CS ";        // a key line with a trailing blank never matches
  PRJKEY[6] = "\xe9t\xe9";  // keys are compared as the bytes read
  PRJKEY[10] = "EXTRA";     // above PRJCOUNT: not a listed projection
  struct KeyCase {
    std::string key;
    int position;
  };
  const std::vector<KeyCase> cases = {
      {"LC2", 3}, {"TM", 1},  {"", 0},   {"NONE", 0},  {"lc2", 0},       {"LC2 ", 0},
      {"CS", 0},  {"CS ", 5}, {"XX", 0}, {"EXTRA", 0}, {"\xe9t\xe9", 6}, {"\xc3\xa9t\xc3\xa9", 0},
  };
  GRPCOUNT = 1;
  form.clearList(COMBO2);
  form.appendEntry(COMBO2, "group");
  for (const KeyCase& c : cases) {
    SCOPED_TRACE("key \"" + c.key + "\"");
    GRPTAB[0][10] = c.key;
    form.selectPosition(COMBO4, 4);
    pickGridGroup(0);
    EXPECT_EQ(form.selectedPosition(COMBO4), c.position);
  }
}

TEST_F(SelectionHandlers, GridGroupNamesAndTextsAreShownAsUtf8) {
  const std::string file = dir.write("ww.grp", gridGroupFile({groupRecord("Zone \xc9st", ZONE_I)}));
  setGridSystems({file});
  pickGridSystem(1);
  EXPECT_EQ(form.entries(COMBO2), std::vector<std::string>{"Zone \xc3\x89st"});
  GRPTAB[0][1] = "12\xb0";  // a degree sign in Windows-1252
  pickGridGroup(0);
  EXPECT_EQ(form.text(EDIT5), "12\xc2\xb0");
}

TEST_F(SelectionHandlers, AGridSystemListsItsGroupsAndLeavesTheFieldsAlone) {
  const std::string first =
      dir.write("one.grp", gridGroupFile({groupRecord("Zone I", ZONE_I), groupRecord("Lambert", ZONE_L)}));
  const std::string second = dir.write("two.grp", gridGroupFile({groupRecord("Other", ZONE_L)}));
  setGridSystems({first, second});

  pickGridSystem(1);
  EXPECT_EQ(GRPCOUNT, 2);
  EXPECT_EQ(form.entries(COMBO2), (std::vector<std::string>{"Zone I", "Lambert"}));
  EXPECT_EQ(form.selectedPosition(COMBO2), -1);

  pickGridGroup(0);
  form.setText(EDIT11, "500");  // typed over the picked value
  const auto picked = fields();
  const int projection = form.selectedPosition(COMBO4);

  pickGridSystem(2);
  EXPECT_EQ(form.entries(COMBO2), std::vector<std::string>{"Other"});
  EXPECT_EQ(form.selectedPosition(COMBO2), -1);
  EXPECT_EQ(fields(), picked);
  EXPECT_EQ(form.selectedPosition(COMBO4), projection);

  // Position 0 brings the placeholder back; picking it then does nothing.
  pickGridSystem(0);
  expectPlaceholderSelected();
  EXPECT_EQ(fields(), picked);
  pickGridGroup(0);
  EXPECT_EQ(fields(), picked);
  EXPECT_EQ(form.selectedPosition(COMBO4), projection);
  EXPECT_TRUE(form.messages.empty());
}

TEST_F(SelectionHandlers, AGridGroupFileThatFailsIsReportedAndTheWorkKept) {
  const std::string good = dir.write("good.grp", gridGroupFile({groupRecord("Zone I", ZONE_I)}));
  const std::string unfinished = dir.write("unfinished.grp", {"#", "Zone I", "129,30"});
  const std::string missing = (dir.path() / "missing.grp").string();
  setGridSystems({good, unfinished, missing});

  for (int k : {2, 3}) {
    SCOPED_TRACE(GRIDSYS[k][1]);
    form.messages.clear();
    pickGridSystem(1);
    pickGridGroup(0);
    form.setText(EDIT5, "130");
    const auto before = fields();

    pickGridSystem(k);
    ASSERT_EQ(form.messages.size(), 1U);
    EXPECT_NE(form.messages[0].find(GRIDSYS[k][1]), std::string::npos) << form.messages[0];
    expectPlaceholderSelected();
    EXPECT_EQ(form.selectedPosition(COMBO3), k);
    EXPECT_EQ(fields(), before);
    // The rows left from the earlier file are not offered any more.
    pickGridGroup(0);
    EXPECT_EQ(fields(), before);
  }
}

TEST_F(SelectionHandlers, AGridGroupFileWithoutRecordsShowsThePlaceholder) {
  const std::string good = dir.write("good.grp", gridGroupFile({groupRecord("Zone I", ZONE_I)}));
  const std::string empty = dir.write("empty.grp", gridGroupFile({}));
  setGridSystems({good, empty});
  pickGridSystem(1);
  pickGridSystem(2);
  expectPlaceholderSelected();
  EXPECT_TRUE(form.messages.empty());
  const auto before = fields();
  pickGridGroup(0);
  EXPECT_EQ(fields(), before);
}

}  // namespace
}  // namespace velqora
