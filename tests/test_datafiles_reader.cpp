// The data-file reader: lines, fields, the list structure, the record formats and
// every fatal condition with the line it is reported at.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "datafiles/data_reader.h"
#include "datafiles/loaders.h"
#include "datafiles/parsers.h"
#include "datafiles/tables.h"
#include "datafiles/text_encoding.h"

namespace velqora {
namespace {

using Texts = std::vector<std::string>;
using namespace std::string_literals;  // "..."s keeps NUL bytes

void clearTables() {
  PRJKEY.fill({});
  PRJCOUNT = 0;
  GRIDSYS.fill({});
  EARTHTAB.fill({});
  GRPTAB.fill({});
  GRPCOUNT = 0;
}

class DataFiles : public ::testing::Test {
 protected:
  void SetUp() override { clearTables(); }
  void TearDown() override { clearTables(); }
};

// The lines a reader yields until the data end.
Texts allLines(const std::string& bytes) {
  DataReader reader(bytes, "t.txt");
  Texts lines;
  while (!reader.atEnd()) lines.push_back(reader.readLine("end"));
  return lines;
}

TEST(DataReaderLines, LineEndsNulAndCtrlZ) {
  struct Case {
    std::string bytes;
    Texts lines;
  };
  const std::vector<Case> cases = {
      {"a\r\nb\rc", {"a", "b", "c"}},             // CRLF, CR alone, last line without line end
      {"a\r\n", {"a"}},                           // no empty line after the last line end
      {"a\r\r\nb\r\n", {"a", "", "b"}},           // CR then CRLF: an empty line between
      {"a\nb\r\nc\n", {"a\nb", "c\n"}},           // a lone LF belongs to the line
      {"\n\r\n", {"\n"}},
      {"a\0b\r\0\nc"s, {"ab", "c"}},              // NUL dropped, even inside the line end
      {"a\r\n\x1a", {"a"}},                       // Ctrl-Z as the last byte ends the data
      {"a\x1a\r\nb", {"a\x1a", "b"}},             // elsewhere it is a character
      {"a\r\n\x1a\x1a", {"a", "\x1a"}},           // only the very last one is dropped
      {"  x  \t\r\n", {"  x  \t"}},               // kept exactly, spaces included
      {"", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(allLines(c.bytes), c.lines) << testing::PrintToString(c.bytes);
}

TEST(DataReaderFields, SeparatorsQuotesAndSpaces) {
  struct Case {
    std::string bytes;
    int fields;
    Texts values;
    std::string restOfLine;  // what a line read gets afterwards
  };
  const std::vector<Case> cases = {
      {"1, 2 ,3\r\n", 3, {"1", "2", "3"}, "<end>"},
      {"12.5 : 30:x\r\n", 3, {"12.5", "30", "x"}, "<end>"},  // a colon splits like a comma
      {"1,,3,\r\nnext", 4, {"1", "", "3", ""}, "next"},       // empty values, last at the line end
      {",,\r\n", 3, {"", "", ""}, "<end>"},
      {"\r\n  \r\n5", 3, {"", "", "5"}, "<end>"},              // blank lines are empty fields
      {"a  b  ,c", 2, {"a  b", "c"}, "<end>"},                 // inner spaces stay, trailing go
      {"\t1 ,\t", 2, {"\t1", "\t"}, "<end>"},                  // a tab is not skipped
      {"\" a,b: \" , x", 2, {" a,b: ", "x"}, "<end>"},         // quoted: separators belong to it
      {"\"\",\"q\"", 2, {"", "q"}, "<end>"},
      {"\"open  \r\nnext", 1, {"open"}, "next"},               // the line end closes an open quote
      {"\"open, text  ", 1, {"open, text"}, "<end>"},          // so does the end of the data
      {"\"x\"\r\ny", 1, {"x"}, "y"},
      {"1,2,rest, of it\r\nz", 2, {"1", "2"}, "rest, of it"},  // extra values: read as a line
      {"a\nb,c", 2, {"a\nb", "c"}, "<end>"},                   // a lone LF is ordinary
  };
  for (const Case& c : cases) {
    DataReader reader(c.bytes, "t.txt");
    Texts values;
    for (int i = 0; i < c.fields; ++i) values.push_back(reader.readField("missing"));
    EXPECT_EQ(values, c.values) << testing::PrintToString(c.bytes);
    EXPECT_EQ(reader.atEnd() ? "<end>" : reader.readLine("end"), c.restOfLine) << testing::PrintToString(c.bytes);
  }
}

TEST_F(DataFiles, ProjectionListStructure) {
  const std::string plain = "#\r\nNone\r\nNONE\r\n#\r\nTransverse Mercator\r\nTM\r\n#-\r\n";
  const std::string commented =
      "Projections\r\n\r\n# entry 0, a comment\r\nNone\r\nNONE\r\n  \r\nbetween\r\n"
      "#1\r\nTransverse Mercator\r\nTM\r\n\r\n#- end\r\nafter the end: never read\r\n#\r\n";
  for (const std::string& bytes : {plain, commented}) {
    std::vector<std::string> names{"left from before"};
    EXPECT_FALSE(parseProjectionList(bytes, "prj-list.txt", names));
    EXPECT_EQ(names, (Texts{"None", "Transverse Mercator"}));
    EXPECT_EQ(PRJCOUNT, 2);
    EXPECT_EQ(PRJKEY[0], "NONE");
    EXPECT_EQ(PRJKEY[1], "TM");
  }

  // A "#-" line right after a record start is that record's name, not the end.
  std::vector<std::string> names;
  EXPECT_FALSE(parseProjectionList("#\r\n#- odd name\r\nKEY \r\n#\r\nB\r\nK2\r\n#-", "p", names));
  EXPECT_EQ(names, (Texts{"#- odd name", "B"}));
  EXPECT_EQ(PRJKEY[0], "KEY ");  // a key line keeps its trailing blank
  EXPECT_EQ(PRJCOUNT, 2);
}

TEST_F(DataFiles, GridSystemAndEllipsoidRecords) {
  int count = -1;
  EXPECT_FALSE(parseGridSystemList("#0\r\nNo grid system\r\n\r\n#\r\nUTM\r\n sub/utm.txt \r\n#-\r\n", "g", count));
  EXPECT_EQ(count, 2);
  EXPECT_EQ(GRIDSYS[0][1], "");
  EXPECT_EQ(GRIDSYS[1][0], "UTM");
  EXPECT_EQ(GRIDSYS[1][1], " sub/utm.txt ");  // a file name is used exactly as written

  EXPECT_FALSE(parseEllipsoidList(
      "#\r\nChoose\r\n,,,\r\n#\r\nGRS 1980\r\n6378.137,,298.257222101,\r\n#\r\nAiry\r\n"
      "6377.563396\r\n6356.256909\r\n\r\n\r\n#-\r\n",
      "earth-sz.txt", count));
  EXPECT_EQ(count, 3);
  EXPECT_EQ(EARTHTAB[0], (std::array<std::string, 5>{"Choose", "", "", "", ""}));
  EXPECT_EQ(EARTHTAB[1], (std::array<std::string, 5>{"GRS 1980", "6378.137", "", "298.257222101", ""}));
  EXPECT_EQ(EARTHTAB[2], (std::array<std::string, 5>{"Airy", "6377.563396", "6356.256909", "", ""}));
}

std::array<std::string, 17> gridGroup(const std::string& name, const Texts& fields) {
  std::array<std::string, 17> row{name};
  for (std::size_t i = 0; i < fields.size(); ++i) row[i + 1] = fields[i];
  return row;
}

TEST_F(DataFiles, GridGroupLayoutsLoadAlike) {
  const Texts bng = {"-2", "0", "0", "49", "0", "0", "400", "-100", "0.9996012717", "TM", "", "", "", "", "", ""};
  const Texts texas = {"-101", "30", "0", "34", "0", "0", "200", "1000", "1", "LCC2", "36", "11", "0", "34", "39", "0"};
  const std::string oneLine =
      "# EPSG:27700\r\nBNG\r\n-2,0,0, 49,0,0, 400,-100, 0.9996012717, TM,,,,,,\r\n"
      "#\r\nTexas\r\n-101,30,0, 34,0,0, 200,1000, 1, LCC2, 36,11,0, 34,39,0\r\n#-\r\n";
  std::string onePerLine = "#\r\nBNG\r\n";
  for (const auto& v : bng) onePerLine += v + "\r\n";
  onePerLine += "comment\r\n#\r\nTexas\r\n";
  for (const auto& v : texas) onePerLine += v + "\r\n";
  onePerLine += "#-";
  const std::string mixed =
      "#\r\nBNG\r\n-2:0:0\r\n 49 , 0 , 0 \r\n400\r\n-100,\"0.9996012717\" , TM\r\n,,,,,\r\n"
      "#\r\nTexas\r\n-101,30,0,34,0,0\r\n200,1000\r\n1\r\n\"LCC2\",36,11,0\r\n34\r\n39\r\n0\r\n#-";
  for (const std::string& bytes : {oneLine, onePerLine, mixed}) {
    clearTables();
    EXPECT_FALSE(parseGridGroupFile(bytes, "grp.txt"));
    EXPECT_EQ(GRPCOUNT, 2);
    EXPECT_EQ(GRPTAB[0], gridGroup("BNG", bng)) << bytes;
    EXPECT_EQ(GRPTAB[1], gridGroup("Texas", texas)) << bytes;
  }

  // A blank line among the values is one empty value: everything after moves on by one,
  // and the record's last value ends up being its successor's "#" line.
  EXPECT_FALSE(parseGridGroupFile("#\r\nA\r\n1,2,3\r\n\r\n5,6,7,8,9,K,11,12,13,14,15\r\n#\r\n#-", "grp.txt"));
  EXPECT_EQ(GRPCOUNT, 1);
  EXPECT_EQ(GRPTAB[0], gridGroup("A", {"1", "2", "3", "", "5", "6", "7", "8", "9", "K", "11", "12", "13", "14", "15", "#"}));

  // Quoted values keep commas and colons.
  EXPECT_FALSE(parseGridGroupFile("#\r\n\"A, b\"\r\n1,2,3,4,5,6,7,8,9,\"K:1,2\",,,,,,\"x, y\"\r\n#-", "grp.txt"));
  EXPECT_EQ(GRPTAB[0][0], "\"A, b\"");  // a name line is a line, not a field
  EXPECT_EQ(GRPTAB[0][10], "K:1,2");
  EXPECT_EQ(GRPTAB[0][16], "x, y");
}

enum class Format { Projections, GridSystems, Ellipsoids, GridGroups };

std::optional<LoadError> parseAs(Format format, const std::string& bytes, const std::string& name) {
  int count = 0;
  std::vector<std::string> names;
  switch (format) {
    case Format::Projections: return parseProjectionList(bytes, name, names);
    case Format::GridSystems: return parseGridSystemList(bytes, name, count);
    case Format::Ellipsoids: return parseEllipsoidList(bytes, name, count);
    case Format::GridGroups: return parseGridGroupFile(bytes, name);
  }
  return std::nullopt;
}

std::string records(int n, const std::string& body) {
  std::string text = "a comment\r\n";
  for (int i = 0; i < n; ++i) text += "# record\r\n" + body;
  return text + "#-\r\n";
}

TEST_F(DataFiles, FatalConditionsNameFileLineAndCause) {
  const std::string sixteen = "n\r\n1,2,3,4,5,6,7,8,9,TM,,,,,,\r\n";
  const std::string endLine = "the file ends before its end line \"#-\"";
  struct Case {
    Format format;
    std::string bytes;
    std::string report;
  };
  const std::vector<Case> cases = {
      {Format::GridSystems, "a\r\nb\r\nc\r\nd\r\ne\r\nf\r\ng\r\nh\r\ni\r\nj\r\nk\r\n",
       "f.txt, line 12: " + endLine},
      {Format::GridSystems, "", "f.txt, line 1: " + endLine},
      {Format::Projections, "x\r\n#\r\nA\r\nK", "f.txt, line 4: " + endLine},
      // Line-feed-only files are one line without the end line.
      {Format::Projections, "Projections\n#\nA\nK\n#-\n", "f.txt, line 1: " + endLine},
      {Format::Projections, "#\nA\nK\n#-\n", "f.txt, line 1: the file ends inside a record: its name line is missing"},
      {Format::Projections, "#\r\nA\r\n", "f.txt, line 3: the file ends inside a record: its key line is missing"},
      {Format::GridSystems, "\r\n#", "f.txt, line 2: the file ends inside a record: its name line is missing"},
      {Format::GridSystems, "#\r\nA",
       "f.txt, line 2: the file ends inside a record: its grid-group file line is missing"},
      {Format::Ellipsoids, "#\r\nA\r\n1,2,3,", "f.txt, line 3: the file ends inside a record: value 4 of 4 is missing"},
      {Format::GridGroups, "#\r\nA\r\n1,2,3\r\n4,5",
       "f.txt, line 4: the file ends inside a record: value 6 of 16 is missing"},
      {Format::Projections, records(18, "n\r\nk\r\n"), "f.txt, line 53: too many records: the list holds at most 17"},
      {Format::GridSystems, records(18, "n\r\nf\r\n"), "f.txt, line 53: too many records: the list holds at most 17"},
      {Format::Ellipsoids, records(26, "n\r\n1,,2,\r\n"), "f.txt, line 77: too many records: the list holds at most 25"},
      {Format::GridGroups, records(31, sixteen), "f.txt, line 92: too many records: the list holds at most 30"},
      {Format::Ellipsoids, "#\r\nA\r\n1,\"2\" 3,,\r\n#-",
       "f.txt, line 3: there is text after the closing double quote of a value"},
      {Format::GridGroups, "#\r\nA\r\n1,2\r\n\"3\"x",
       "f.txt, line 4: there is text after the closing double quote of a value"},
      {Format::Projections, "ok\r\n" + std::string(32768, 'x') + "\r\n#-",
       "f.txt, line 2: the line is longer than 32767 characters"},
      {Format::Ellipsoids, "#\r\nA\r\n" + std::string(32760, ' ') + "1,2,3,4567\r\n#-",
       "f.txt, line 3: the line is longer than 32767 characters"},
  };
  for (const Case& c : cases) {
    clearTables();
    GRPCOUNT = 7;
    const auto error = parseAs(c.format, c.bytes, "f.txt");
    ASSERT_TRUE(error) << c.report;
    EXPECT_EQ(error->report(), c.report);
    if (c.format == Format::GridGroups) {
      EXPECT_EQ(GRPCOUNT, 0) << c.report;
    }
  }

  // The longest allowed line (32767 characters, NULs not counted) is fine.
  std::string longest = "#\r\nA\r\n" + std::string(32767, 'k') + "\0\0\r\n#-"s;
  EXPECT_FALSE(parseAs(Format::Projections, longest, "f.txt"));
  EXPECT_FALSE(parseAs(Format::GridGroups, records(30, sixteen), "f.txt"));
  EXPECT_EQ(GRPCOUNT, 30);
}

TEST_F(DataFiles, CountsStayConsistentAfterAFailure) {
  std::vector<std::string> names;
  ASSERT_TRUE(parseProjectionList(records(18, "n\r\nk\r\n"), "p", names));
  EXPECT_EQ(PRJCOUNT, 17);
  EXPECT_EQ(names.size(), 17U);
  ASSERT_TRUE(parseProjectionList("#\r\nA\r\nK\r\n#\r\nB\r\n", "p", names));
  EXPECT_EQ(PRJCOUNT, 1);
  EXPECT_EQ(names, (Texts{"A"}));

  int count = 0;
  ASSERT_TRUE(parseEllipsoidList("#\r\nA\r\n1,,2,\r\n#\r\nB\r\n1,", "e", count));
  EXPECT_EQ(count, 1);

  // A failing grid-group file leaves no grid group offered, even after a good one.
  ASSERT_FALSE(parseGridGroupFile(records(2, "n\r\n1,2,3,4,5,6,7,8,9,TM,,,,,,\r\n"), "g"));
  EXPECT_EQ(GRPCOUNT, 2);
  ASSERT_TRUE(parseGridGroupFile("#\r\nn\r\n1,2", "g"));
  EXPECT_EQ(GRPCOUNT, 0);
}

TEST_F(DataFiles, LoadersReadFilesByName) {
  char pattern[] = "/tmp/velqora-data-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const std::filesystem::path dir = pattern;
  const std::string good = (dir / "grp.txt").string();
  const std::string record = "#\r\nG\r\n1,2,3,4,5,6,7,8,9,TM,,,,,,\r\n#-\r\n";
  std::ofstream(good, std::ios::binary) << record;
  // A non-ASCII name, as a list names it in UTF-8 or in the Windows code page.
  std::ofstream((dir / "z\xc3\xbcrich.txt").string(), std::ios::binary) << record;

  for (const std::string& name : {good, (dir / "z\xc3\xbcrich.txt").string(), (dir / "z\xfcrich.txt").string()}) {
    EXPECT_FALSE(loadGridGroupFile(name)) << name;
    EXPECT_EQ(GRPCOUNT, 1);
    EXPECT_EQ(GRPTAB[0][10], "TM");
  }

  const std::string missing = (dir / "none.txt").string();
  auto error = loadGridGroupFile(missing);
  ASSERT_TRUE(error);
  EXPECT_EQ(error->report(), missing + ": the file does not exist");
  EXPECT_EQ(GRPCOUNT, 0);

  int count = 3;
  error = loadEllipsoidList(dir.string(), count);  // a directory opens but cannot be read
  ASSERT_TRUE(error);
  EXPECT_EQ(error->line, 0);
  EXPECT_EQ(error->report().rfind(dir.string() + ": the file cannot be", 0), 0U) << error->report();
  EXPECT_EQ(count, 0);

  std::filesystem::remove_all(dir);
}

TEST(DisplayText, Utf8KeptOtherBytesReadAsWindows1252) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"Gauss-Kr\xc3\xbcger", "Gauss-Kr\xc3\xbcger"},  // valid UTF-8 as it is
      {"Gauss-Kr\xfcger", "Gauss-Kr\xc3\xbcger"},      // the same name in Windows-1252
      {"\x80 \x9f \xa0", "\xe2\x82\xac \xc5\xb8 \xc2\xa0"},
      {"\x81", "\xc2\x81"},                              // undefined in the code page
      {"\xc0\xaf", "\xc3\x80\xc2\xaf"},                  // overlong UTF-8 is not UTF-8
      {"\xed\xa0\x80", "\xc3\xad\xc2\xa0\xe2\x82\xac"},  // nor is a surrogate
      {"\xe2\x82", "\xc3\xa2\xe2\x80\x9a"},              // nor a cut sequence
      {"\xf0\x9f\x97\xba", "\xf0\x9f\x97\xba"},
      {"", ""},
  };
  for (const auto& [bytes, shown] : cases) EXPECT_EQ(displayText(bytes), shown) << testing::PrintToString(bytes);
}

}  // namespace
}  // namespace velqora
