#include "converter/line_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velqora::convert {
namespace {

// Every line of the bytes as "text|end|", or "text|end+" for a piece of a longer line,
// after "BOM " when a byte-order mark was passed over.
std::string lines(const std::string& bytes, std::size_t block, std::size_t chunk) {
  MemorySource source(bytes, chunk);
  LineReader reader(source, block);
  std::string out;
  while (const auto line = reader.next())
    out += std::string(line->text) + '|' + std::string(line->end) + (line->complete ? "|" : "+");
  EXPECT_EQ(reader.bytesRead(), bytes.size());
  return (reader.byteOrderMark() ? "BOM " : "") + out;
}

TEST(LineReader, SplitsAtLineEndsWhateverTheBlocks) {
  struct Case {
    std::string bytes;
    std::size_t block, chunk;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"", 64, 64, ""},
      {"a\nb\r\nc", 64, 64, "a|\n|b|\r\n|c||"},
      {"a\nb\r\nc", 64, 1, "a|\n|b|\r\n|c||"},  // one byte a read
      {"\n\r\n", 64, 2, "|\n||\r\n|"},
      {"x\ry\r\r\n", 64, 64, "x|\r|y|\r||\r\n|"},   // a lone carriage return ends a line too
      {"a\r\nb\rc\r", 64, 1, "a|\r\n|b|\r|c|\r|"},  // a read ending in a CR waits for the next byte
      {"12345\n1234567890\nab\n", 8, 3, "12345|\n|12345678|+90|\n|ab|\n|"},  // a line longer than the block
      {"1234567\r\nab", 8, 3, "1234567|+|\r\n|ab||"},  // a CR that ends a full block stays with its LF
      {"abcdefgh", 4, 4, "abcd|+efgh|+"},              // the end of the data ends the last piece
      {"\xEF\xBB\xBF"
       "a\n",
       64, 1, "BOM a|\n|"},
      {"\xEF\xBB", 64, 1, "\xEF\xBB||"},  // the start of a mark is text
      {"a\xEF\xBB\xBF\n", 64, 64, "a\xEF\xBB\xBF|\n|"},
  };
  for (const Case& c : cases) EXPECT_EQ(lines(c.bytes, c.block, c.chunk), c.expected) << c.bytes;
}

TEST(FieldSplitter, FieldsOfEachDelimiter) {
  struct Case {
    std::string line;
    Delimiter delimiter;
    std::vector<std::string> fields;
  };
  const std::vector<Case> cases = {
      {"1.5,2.5", Delimiter::comma, {"1.5", "2.5"}},
      {" 1.5 , 2.5 ,", Delimiter::comma, {"1.5", "2.5", ""}},
      {",,", Delimiter::comma, {"", "", ""}},
      {"a;b,c", Delimiter::semicolon, {"a", "b,c"}},
      {"a\t b \tc", Delimiter::tab, {"a", "b", "c"}},
      {"a\t\tc", Delimiter::tab, {"a", "", "c"}},
      {"  1.5   2.5\t3 ", Delimiter::blanks, {"1.5", "2.5", "3"}},
      {"   ", Delimiter::blanks, {}},
      {"\"a,b\",c", Delimiter::comma, {"a,b", "c"}},
      {"\"say \"\"hi\"\"\";x", Delimiter::semicolon, {"say \"hi\"", "x"}},
      {" \"a b\"  c", Delimiter::blanks, {"a b", "c"}},
      {"\"ab\"cd ,e", Delimiter::comma, {"abcd", "e"}},  // text after the closing quote is kept
      {"\"open, to the end", Delimiter::comma, {"open, to the end"}},
  };
  FieldSplitter splitter;
  for (const Case& c : cases) {
    const auto& fields = splitter.split(c.line, c.delimiter);
    EXPECT_EQ(std::vector<std::string>(fields.begin(), fields.end()), c.fields) << c.line;
  }
}

TEST(Delimiter, DetectedAndNamed) {
  const std::vector<std::pair<std::string, Delimiter>> detected = {
      {"1 2", Delimiter::blanks}, {"1,2", Delimiter::comma},       {"1;2,5", Delimiter::semicolon},
      {"1\t2;3", Delimiter::tab}, {"\"a;b\",c", Delimiter::comma}, {"\"a\tb\" c", Delimiter::blanks},
  };
  for (const auto& [line, delimiter] : detected) EXPECT_EQ(detectDelimiter(line), delimiter) << line;
  EXPECT_EQ(delimiterNamed("tab"), Delimiter::tab);
  EXPECT_EQ(delimiterNamed(";"), Delimiter::semicolon);
  EXPECT_EQ(delimiterNamed("space"), Delimiter::blanks);
  EXPECT_FALSE(delimiterNamed("|"));
}

TEST(NumberText, TheWindowsNumbersAndNothingElse) {
  for (const char* yes : {"0", "-0", "+12", "139.5", " 139.5 ", ".5", "-.5", "5.", "1e5", "1.5D-3", "2d+2", "1E400"})
    EXPECT_TRUE(isWholeNumberText(yes)) << yes;
  for (const char* no :
       {"", " ", "-", "+.", ".", "e5", "1e", "1e+", "12 34", "1,5", "E139", "0x10", "inf", "nan", "1.2.3"})
    EXPECT_FALSE(isWholeNumberText(no)) << no;
  // What may be a mistyped number, and so no header name.
  for (const char* yes : {"16.3725x", "48.2O83", " -1", "+.5e", "0x10"}) EXPECT_TRUE(startsLikeNumber(yes)) << yes;
  for (const char* no : {"", "lon", "-", "+.", ".e5", "x1", "#1", "E139"}) EXPECT_FALSE(startsLikeNumber(no)) << no;
}

TEST(Lines, PassThroughAndQuotedOutput) {
  for (const char* yes : {"", "  \t", "#", "# comment, with a comma", ",,,", " ; ;"}) EXPECT_TRUE(isPassThrough(yes)) << yes;
  for (const char* no : {" #", "1,2", "x", ",,1"}) EXPECT_FALSE(isPassThrough(no)) << no;

  const std::vector<std::tuple<std::string, Delimiter, std::string>> fields = {
      {"+12.5", Delimiter::comma, "+12.5"},
      {"ERROR: a, b", Delimiter::comma, "\"ERROR: a, b\""},
      {"ERROR: a, b", Delimiter::semicolon, "ERROR: a, b"},
      {"ERROR: a b", Delimiter::blanks, "\"ERROR: a b\""},
      {"say \"x\"", Delimiter::tab, "\"say \"\"x\"\"\""},
  };
  for (const auto& [field, delimiter, expected] : fields) {
    std::string out;
    appendField(out, field, delimiter);
    EXPECT_EQ(out, expected);
  }
}

}  // namespace
}  // namespace velqora::convert
