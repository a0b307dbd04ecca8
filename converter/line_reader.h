#pragma once

// Reading a point file: lines from a byte stream in large blocks, the delimiter of a
// line, its fields (double quotes allowed), and whether a field is a number as the
// window reads one. Nothing here knows of the geodesy, so the fuzz target builds it alone.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velqora::convert {

// Where the bytes of a point file come from. read() gives up to `size` bytes, 0 only at
// the end of the data, and throws std::runtime_error when the stream cannot be read.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual std::size_t read(char* buffer, std::size_t size) = 0;
};

// Bytes already in memory (tests, the fuzz target).
class MemorySource final : public ByteSource {
 public:
  explicit MemorySource(std::string_view bytes, std::size_t chunk = 1 << 16) : bytes_(bytes), chunk_(chunk) {}
  std::size_t read(char* buffer, std::size_t size) override;

 private:
  std::string_view bytes_;
  std::size_t chunk_;  // at most this many bytes a read, so that lines cross block ends
};

struct Line {
  std::string_view text;  // without its line end
  std::string_view end;   // "\n", "\r\n", "\r", or "" for a last line without one and for a piece
  bool complete = true;   // false: a piece of a line longer than the reader holds; more follows
};

// The UTF-8 byte-order mark that spreadsheets put before a "CSV UTF-8" file.
inline constexpr std::string_view UTF8_BYTE_ORDER_MARK = "\xEF\xBB\xBF";

// The lines of a stream. A line ends at a line feed, a carriage return and line feed,
// or a lone carriage return (old Mac files, and the last byte of a file cut short).
// A byte-order mark at the stream's start is no part of the first line. Memory is one
// block however long the stream is: a line longer than the block comes in pieces.
class LineReader {
 public:
  static constexpr std::size_t DEFAULT_BLOCK = std::size_t{1} << 20;

  explicit LineReader(ByteSource& source, std::size_t block = DEFAULT_BLOCK);

  // The next line, or nothing at the end of the data. The views stay valid until the
  // next call.
  std::optional<Line> next();

  // Whether the stream starts with UTF8_BYTE_ORDER_MARK, which next() passes over.
  // Reads the stream's first bytes when next() has not yet.
  [[nodiscard]] bool byteOrderMark();

  // The stream's bytes consumed so far, lines handed out and the one being read.
  [[nodiscard]] std::uint64_t bytesRead() const { return consumed_; }

 private:
  bool refill();
  Line handOut(std::size_t textLength, std::size_t endLength, bool complete);

  ByteSource& source_;
  std::vector<char> block_;
  std::size_t begin_ = 0;  // the first byte not handed out
  std::size_t end_ = 0;    // the end of the bytes read into the block
  bool atEnd_ = false;
  std::optional<bool> byteOrderMark_;  // known once the first bytes are read
  std::uint64_t consumed_ = 0;
};

enum class Delimiter : char { comma = ',', semicolon = ';', tab = '\t', blanks = ' ' };

// --delimiter's words: "," ";" "tab" (or a tab) and "space" or "blank" (or a blank).
[[nodiscard]] std::optional<Delimiter> delimiterNamed(std::string_view name);

// The delimiter of a line: a tab if it holds one outside double quotes, else a
// semicolon, else a comma, else runs of blanks.
[[nodiscard]] Delimiter detectDelimiter(std::string_view line);

// Splits lines into fields. Blanks around a field are not part of it (a tab is a blank
// unless it is the delimiter); with blanks as the delimiter, a run of them separates
// fields and leading or trailing ones make none. A field that starts with a double
// quote runs to the next lone double quote, delimiters included, and a doubled one
// inside stands for one.
class FieldSplitter {
 public:
  // The fields of a line: views into the line or into the splitter's storage, valid
  // until the next call.
  const std::vector<std::string_view>& split(std::string_view line, Delimiter delimiter);

 private:
  std::vector<std::string_view> fields_;
  std::string unquoted_;
};

// True when the whole text (blanks around it aside) is a number as the window reads
// one: an optional sign, digits with an optional decimal point (or a point and digits),
// and an optional exponent: E or D in either case, an optional sign and digits.
[[nodiscard]] bool isWholeNumberText(std::string_view text);

// True when the text (blanks before it aside) begins as such a number does: a digit,
// or a sign or decimal point before one. "16.3725x" does, "lon" and "-" do not.
[[nodiscard]] bool startsLikeNumber(std::string_view text);

// Blank lines (nothing but blanks and delimiters, as a spreadsheet's empty rows) and
// lines beginning with '#' pass through unchanged.
[[nodiscard]] bool isPassThrough(std::string_view line);

// A field as it goes out: in double quotes, with inner ones doubled, when it holds the
// delimiter, a double quote or a line-end character (for blanks: a blank or a tab).
void appendField(std::string& out, std::string_view field, Delimiter delimiter);

}  // namespace velqora::convert
