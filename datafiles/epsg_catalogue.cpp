// Reading and writing the catalogue of EPSG grids. Its lines and values are read by the
// list files' own line and field reader; each value line is read as a whole, so a
// record with a value too many or too few is found on its own line and skipped
// without shifting the records after it. A line longer than the reader takes ends
// the reading there.
#include "datafiles/epsg_catalogue.h"

#include <charconv>
#include <cmath>
#include <system_error>
#include <utility>

#include "datafiles/data_file.h"
#include "datafiles/data_reader.h"
#include "datafiles/text_encoding.h"
#include "geodesy/ellipsoid_completion.h"
#include "geodesy/number_text.h"

namespace velqora {

namespace {

constexpr const char* CRLF = "\r\n";

// A problem as the Find dialog and the tools report it: "FILE:LINE: cause".
std::string problemText(const LoadError& error) {
  if (error.line <= 0) return error.file + ": " + error.cause;
  return error.file + ":" + std::to_string(error.line) + ": " + error.cause;
}

// A whole text that is one number and nothing else.
std::optional<double> strictNumber(const std::string& text) {
  double value = 0;
  const char* first = text.data();
  const char* last = first + text.size();
  if (first != last && *first == '+') ++first;
  const auto [end, ec] = std::from_chars(first, last, value);
  if (ec != std::errc() || end != last || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<int> epsgCode(const std::string& text) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  int code = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    code = code * 10 + (c - '0');
  }
  if (code == 0) return std::nullopt;
  return code;
}

const char* gridProblemText(GridTextProblem problem) {
  switch (problem) {
    case GridTextProblem::originLongitude:
      return "the origin longitude is not valid";
    case GridTextProblem::originLatitude:
      return "the origin latitude is not valid";
    case GridTextProblem::emptyShiftOrScale:
      return "a shift or the scale factor is empty";
    case GridTextProblem::shiftNotANumber:
      return "a shift is not a number";
    case GridTextProblem::scaleFactor:
      return "the scale factor is not greater than 0";
    case GridTextProblem::firstParallel:
      return "the first standard parallel is not valid";
    case GridTextProblem::secondParallel:
      break;
  }
  return "the second standard parallel is not valid";
}

// The values of one line, as the field reader splits them; the line end ends the last
// value, so a line ending in a comma has an empty value last.
std::vector<std::string> valuesOfLine(const std::string& line, const std::string& fileName, int lineNumber) {
  DataReader reader(line + "\r", fileName);
  std::vector<std::string> values;
  try {
    while (!reader.atEnd()) values.push_back(displayText(reader.readField("")));
  } catch (LoadFailure& failure) {
    failure.error.line = lineNumber;
    throw;
  }
  return values;
}

[[noreturn]] void fail(const std::string& fileName, int line, const std::string& cause) {
  throw LoadFailure{LoadError{fileName, line, cause}};
}

void expectCount(const std::vector<std::string>& values, std::size_t count, const char* what,
                 const std::string& fileName, int line) {
  if (values.size() == count) return;
  fail(fileName, line,
       std::to_string(count) + " values expected (" + what + "), " + std::to_string(values.size()) + " found");
}

struct NumberedLine {
  std::string text;
  int number = 0;
};

void readAreaLine(CatalogueEntry& e, const NumberedLine& line, const std::string& fileName) {
  const auto v = valuesOfLine(line.text, fileName, line.number);
  expectCount(v, 7, "EPSG code, series error, west, south, east, north, area", fileName, line.number);
  const auto code = epsgCode(v[0]);
  if (!code) fail(fileName, line.number, "the EPSG code is not a whole number: " + v[0]);
  e.code = *code;
  if (!v[1].empty()) {
    e.seriesError = strictNumber(v[1]);
    if (!e.seriesError || *e.seriesError < 0) fail(fileName, line.number, "the series error is not a length: " + v[1]);
  }
  std::array<double, 4> b{};
  for (std::size_t i = 0; i < 4; ++i) {
    const auto n = strictNumber(v[2 + i]);
    if (!n) fail(fileName, line.number, "a bound of the area is not a number: " + v[2 + i]);
    b[i] = *n;
  }
  e.bounds = {b[0], b[1], b[2], b[3]};
  const auto longitude = [](double x) { return x >= -180 && x <= 180; };
  const auto latitude = [](double y) { return y >= -90 && y <= 90; };
  if (!longitude(b[0]) || !longitude(b[2]) || !latitude(b[1]) || !latitude(b[3]) || b[1] > b[3]) {
    fail(fileName, line.number, "the bounds of the area are not west, south, east, north in degrees");
  }
  e.area = v[6];
}

void readEllipsoidLine(CatalogueEntry& e, const NumberedLine& line, const std::string& fileName) {
  const auto v = valuesOfLine(line.text, fileName, line.number);
  expectCount(v, 5, "ellipsoid name, a, b, 1/f, 1/e", fileName, line.number);
  e.ellipsoidName = v[0];
  for (std::size_t i = 0; i < 4; ++i) e.ellipsoid[i] = v[1 + i];
  const EllipsoidTexts texts = readEllipsoidTexts(e.ellipsoid);
  if (!ellipsoidForConversion(ellipsoidOf(texts.values), texts.valueMissing)) {
    fail(fileName, line.number, "the ellipsoid values fix no ellipsoid");
  }
}

void readGridLine(CatalogueEntry& e, const NumberedLine& line, const std::string& fileName) {
  const auto v = valuesOfLine(line.text, fileName, line.number);
  expectCount(v, 16, "the values of a grid group", fileName, line.number);
  GridFieldTexts& t = e.grid;
  t.longitudeDegrees = v[0];
  t.longitudeMinutes = v[1];
  t.longitudeSeconds = v[2];
  t.latitudeDegrees = v[3];
  t.latitudeMinutes = v[4];
  t.latitudeSeconds = v[5];
  t.xShift = v[6];
  t.yShift = v[7];
  t.scaleFactor = v[8];
  e.projectionKey = v[9];
  t.firstParallelDegrees = v[10];
  t.firstParallelMinutes = v[11];
  t.firstParallelSeconds = v[12];
  t.secondParallelDegrees = v[13];
  t.secondParallelMinutes = v[14];
  t.secondParallelSeconds = v[15];
  const int code = standardProjectionCode(e.projectionKey);
  if (code == 0) fail(fileName, line.number, "unknown projection key: " + e.projectionKey);
  const auto grid = gridFromTexts(t, code);
  if (!grid) {
    const GridTextRefusal& refusal = grid.reason();
    fail(fileName, line.number,
         refusal.notANumber.empty() ? gridProblemText(refusal.problem) : "not a number: " + refusal.notANumber);
  }
}

// Quoted when the list syntax needs it: a comma or colon inside, or spaces at an end.
// The syntax has no way to write a double quote inside a quoted value; a single quote
// stands for it.
std::string valueText(std::string text) {
  for (char& c : text) {
    if (c == '"') c = '\'';
  }
  const bool quote =
      text.find_first_of(",:") != std::string::npos || (!text.empty() && (text.front() == ' ' || text.back() == ' '));
  return quote ? '"' + text + '"' : text;
}

std::string numberText(double value) {
  std::array<char, 32> buffer{};
  const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  (void)ec;
  return std::string(buffer.data(), end);
}

std::string angleTexts(const std::string& d, const std::string& m, const std::string& s) {
  return valueText(d) + "," + valueText(m) + "," + valueText(s);
}

}  // namespace

int standardProjectionCode(std::string_view key) {
  for (std::size_t code = 1; code < STANDARD_PROJECTION_KEYS.size(); ++code) {
    if (STANDARD_PROJECTION_KEYS[code] == key) return static_cast<int>(code);
  }
  return 0;
}

EllipsoidTexts readEllipsoidTexts(const std::array<std::string, 4>& texts) {
  EllipsoidTexts e;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    e.values[i] = Number(texts[i]);
    e.valueMissing = e.valueMissing || texts[i].empty();
  }
  return e;
}

CatalogueReading parseCatalogue(std::string_view bytes, const std::string& fileName) {
  CatalogueReading reading;
  DataReader reader(bytes, fileName);
  std::optional<NumberedLine> pending;  // a line read ahead that starts the next record
  const auto nextLine = [&](const std::string& whatThenIsMissing) {
    if (pending) return *std::exchange(pending, std::nullopt);
    NumberedLine line;
    line.number = reader.lineNumber();
    line.text = reader.readLine(whatThenIsMissing);
    return line;
  };
  const auto startsRecord = [](const std::string& text) { return text.starts_with('#'); };
  try {
    while (true) {
      const NumberedLine start = nextLine("the file ends before its end line \"#-\"");
      if (start.text.starts_with("#-")) break;
      if (!startsRecord(start.text)) continue;  // a comment line
      try {
        // The name line and three value lines; a "#" line among them starts the next
        // record early.
        std::array<NumberedLine, 4> lines;
        for (std::size_t i = 0; i < lines.size(); ++i) {
          lines[i] = nextLine("the file ends inside a record");
          if (startsRecord(lines[i].text)) {
            pending = lines[i];
            fail(fileName, start.number, "the record has " + std::to_string(i) + " of its 4 lines");
          }
        }
        CatalogueEntry entry;
        entry.line = start.number;
        entry.name = displayText(lines[0].text);
        if (entry.name.empty()) fail(fileName, lines[0].number, "the record has no name");
        readAreaLine(entry, lines[1], fileName);
        readEllipsoidLine(entry, lines[2], fileName);
        readGridLine(entry, lines[3], fileName);
        reading.entries.push_back(std::move(entry));
      } catch (const LoadFailure& failure) {
        reading.problems.push_back(problemText(failure.error));
      }
    }
  } catch (const LoadFailure& failure) {
    reading.problems.push_back(problemText(failure.error));
  }
  return reading;
}

CatalogueReading readCatalogue(const std::string& fileName) {
  try {
    return parseCatalogue(readDataFile(fileName), fileName);
  } catch (const LoadFailure& failure) {
    CatalogueReading reading;
    reading.problems.push_back(problemText(failure.error));
    return reading;
  }
}

std::vector<NotDrawnCrs> readNotDrawn(const std::string& fileName) {
  std::vector<NotDrawnCrs> list;
  try {
    const std::string bytes = readDataFile(fileName);
    DataReader reader(bytes, fileName);
    for (std::string line = reader.readLine("the end line"); !line.starts_with("#-");
         line = reader.readLine("the end line")) {
      if (!line.starts_with("# EPSG:")) continue;
      NotDrawnCrs crs;
      std::from_chars(line.data() + 7, line.data() + line.size(), crs.code);
      crs.name = displayText(reader.readLine("a name"));
      crs.reason = displayText(reader.readLine("a reason"));
      list.push_back(std::move(crs));
    }
  } catch (const LoadFailure&) {
    // What was read serves; the list only names CRSs the catalogue lacks.
  }
  return list;
}

std::string notDrawnRecord(const NotDrawnCrs& crs) {
  return "# EPSG:" + std::to_string(crs.code) + CRLF + crs.name + CRLF + crs.reason + CRLF;
}

std::string catalogueRecord(const CatalogueEntry& e) {
  const GridFieldTexts& t = e.grid;
  std::string r = "# EPSG:" + std::to_string(e.code) + CRLF + e.name + CRLF;
  r += std::to_string(e.code) + "," + (e.seriesError ? numberText(*e.seriesError) : "") + ", " +
       numberText(e.bounds.west) + ", " + numberText(e.bounds.south) + ", " + numberText(e.bounds.east) + ", " +
       numberText(e.bounds.north) + ", " + valueText(e.area) + CRLF;
  r += valueText(e.ellipsoidName) + ", " + valueText(e.ellipsoid[0]) + "," + valueText(e.ellipsoid[1]) + "," +
       valueText(e.ellipsoid[2]) + "," + valueText(e.ellipsoid[3]) + CRLF;
  r += angleTexts(t.longitudeDegrees, t.longitudeMinutes, t.longitudeSeconds) + ", " +
       angleTexts(t.latitudeDegrees, t.latitudeMinutes, t.latitudeSeconds) + ", " + valueText(t.xShift) + "," +
       valueText(t.yShift) + ", " + valueText(t.scaleFactor) + ", " + valueText(e.projectionKey);
  const std::string first = angleTexts(t.firstParallelDegrees, t.firstParallelMinutes, t.firstParallelSeconds);
  const std::string second = angleTexts(t.secondParallelDegrees, t.secondParallelMinutes, t.secondParallelSeconds);
  r += first == ",," && second == ",," ? ",,,,,," : ", " + first + ", " + second;
  return r + CRLF;
}

}  // namespace velqora
