// Grid definitions from texts: GRIDDGET's text-to-number steps and checks, and the
// texts of a loaded grid group as picking it puts them into the origin fields.

#include "datafiles/grid_group.h"

#include <algorithm>
#include <cmath>

#include "datafiles/tables.h"
#include "datafiles/text_encoding.h"
#include "geodesy/number_text.h"

namespace velqora {

namespace {

// A standard parallel's degrees text that carries no number: empty, or signs only.
bool hasNoParallelDegrees(const std::string& text) { return text.empty() || text == "-" || text == "--"; }

// Reads the arc-minutes and arc-seconds of one angle into record[first+1..first+2]
// with the sign of the degrees text's first character, so that "-0" with arc-minutes
// lies west or south. The text that is not a number, if one is.
std::optional<std::string> readMinutesAndSeconds(GridReading& r, std::size_t first, const std::string& degrees,
                                                 const std::string& minutes, const std::string& seconds) {
  for (const std::string* text : {&minutes, &seconds})
    if (!isNumberText(*text)) return *text;
  const double s = Sign(degrees);
  r.record[first] = Number(degrees);
  r.record[first + 1] = s * Number(minutes);
  r.record[first + 2] = s * Number(seconds);
  r.read = static_cast<int>(first) + 3;
  return std::nullopt;
}

// A typed number beyond the double range reads as infinite; no projection can use it.
bool partsFinite(const GridReading& r, std::size_t first) {
  return std::isfinite(r.record[first]) && std::isfinite(r.record[first + 1]) && std::isfinite(r.record[first + 2]);
}

GridReading refused(GridReading r, GridTextProblem problem, std::string notANumber = {}) {
  r.problem = GridTextRefusal{problem, std::move(notANumber)};
  return r;
}

}  // namespace

const char* refusalMessage(GridTextProblem problem) {
  switch (problem) {
    case GridTextProblem::originLongitude:
    case GridTextProblem::originLatitude:
    case GridTextProblem::emptyShiftOrScale:
    case GridTextProblem::shiftNotANumber:
      return "Please set correct data.";
    case GridTextProblem::scaleFactor:
    case GridTextProblem::firstParallel:
    case GridTextProblem::secondParallel:
      break;
  }
  return "Please set a correct data.";
}

std::string refusalMessage(const GridTextRefusal& refusal) {
  if (!refusal.notANumber.empty()) return notANumberMessage(refusal.notANumber);
  return refusalMessage(refusal.problem);
}

GridReading readGridTexts(const GridFieldTexts& t, int code) {
  GridReading r;

  // Origin longitude. The range test is written as "not inside" so that a value that
  // is no number at all is refused too. The degrees are stored before the test.
  if (!isDegreesText(t.longitudeDegrees)) return refused(r, GridTextProblem::originLongitude, t.longitudeDegrees);
  r.record[0] = Number(t.longitudeDegrees);
  r.read = 1;
  if (t.longitudeDegrees.empty() || !(r.record[0] >= -180.0 && r.record[0] <= 180.0))
    return refused(r, GridTextProblem::originLongitude);
  if (auto bad = readMinutesAndSeconds(r, 0, t.longitudeDegrees, t.longitudeMinutes, t.longitudeSeconds))
    return refused(r, GridTextProblem::originLongitude, *bad);
  if (!partsFinite(r, 0)) return refused(r, GridTextProblem::originLongitude);

  // Origin latitude.
  if (!isDegreesText(t.latitudeDegrees)) return refused(r, GridTextProblem::originLatitude, t.latitudeDegrees);
  r.record[3] = Number(t.latitudeDegrees);
  r.read = 4;
  if (t.latitudeDegrees.empty() || !(r.record[3] >= -90.0 && r.record[3] <= 90.0))
    return refused(r, GridTextProblem::originLatitude);
  if (auto bad = readMinutesAndSeconds(r, 3, t.latitudeDegrees, t.latitudeMinutes, t.latitudeSeconds))
    return refused(r, GridTextProblem::originLatitude, *bad);
  if (!partsFinite(r, 3)) return refused(r, GridTextProblem::originLatitude);

  // Shifts and scale factor: an empty text is refused, a blank one reads as 0.
  if (t.xShift.empty() || t.yShift.empty() || t.scaleFactor.empty())
    return refused(r, GridTextProblem::emptyShiftOrScale);
  for (const std::string* text : {&t.xShift, &t.yShift})
    if (!isNumberText(*text)) return refused(r, GridTextProblem::shiftNotANumber, *text);
  if (!isNumberText(t.scaleFactor)) return refused(r, GridTextProblem::scaleFactor, t.scaleFactor);
  r.record[6] = Number(t.xShift);
  r.record[7] = Number(t.yShift);
  r.record[8] = Number(t.scaleFactor);
  r.read = 9;
  if (!std::isfinite(r.record[6]) || !std::isfinite(r.record[7])) return refused(r, GridTextProblem::shiftNotANumber);
  if (!(r.record[8] > 0.0) || !std::isfinite(r.record[8])) return refused(r, GridTextProblem::scaleFactor);

  r.codeRead = true;

  // Only the two-parallel Lambert projection reads its standard parallels.
  if (code == LAMBERT_TWO_PARALLELS) {
    if (hasNoParallelDegrees(t.firstParallelDegrees)) return refused(r, GridTextProblem::firstParallel);
    if (!isNumberText(t.firstParallelDegrees))
      return refused(r, GridTextProblem::firstParallel, t.firstParallelDegrees);
    if (auto bad = readMinutesAndSeconds(r, 9, t.firstParallelDegrees, t.firstParallelMinutes, t.firstParallelSeconds))
      return refused(r, GridTextProblem::firstParallel, *bad);
    if (!partsFinite(r, 9)) return refused(r, GridTextProblem::firstParallel);
    if (hasNoParallelDegrees(t.secondParallelDegrees)) return refused(r, GridTextProblem::secondParallel);
    if (!isNumberText(t.secondParallelDegrees))
      return refused(r, GridTextProblem::secondParallel, t.secondParallelDegrees);
    if (auto bad =
            readMinutesAndSeconds(r, 12, t.secondParallelDegrees, t.secondParallelMinutes, t.secondParallelSeconds))
      return refused(r, GridTextProblem::secondParallel, *bad);
    if (!partsFinite(r, 12)) return refused(r, GridTextProblem::secondParallel);
  }
  return r;
}

Outcome<GridDefinition, GridTextRefusal> gridFromTexts(const GridFieldTexts& texts, int code) {
  const GridReading r = readGridTexts(texts, code);
  if (r.problem) return *r.problem;
  return gridOfRecord(r.record, code);
}

int projectionOfKey(const std::string& key) {
  int j = -1;
  for (int p = 1; p < PRJ_ROWS; ++p) {
    if (PRJKEY[p] == key) {
      j = p;
      break;
    }
  }
  return j > 0 && j < PRJCOUNT ? j : 0;
}

std::optional<GridGroupEntry> gridGroupEntry(int position) {
  if (position < 0 || position >= GRPCOUNT || position >= GRP_ROWS) return std::nullopt;
  const auto& row = GRPTAB[static_cast<std::size_t>(position)];
  // Columns 1 to 9: origin, shifts and scale; 10 the projection key; 11 to 16 the
  // standard parallels.
  GridGroupEntry e;
  e.name = displayText(row[0]);
  GridFieldTexts& t = e.texts;
  t.longitudeDegrees = displayText(row[1]);
  t.longitudeMinutes = displayText(row[2]);
  t.longitudeSeconds = displayText(row[3]);
  t.latitudeDegrees = displayText(row[4]);
  t.latitudeMinutes = displayText(row[5]);
  t.latitudeSeconds = displayText(row[6]);
  t.xShift = displayText(row[7]);
  t.yShift = displayText(row[8]);
  t.scaleFactor = displayText(row[9]);
  t.firstParallelDegrees = displayText(row[11]);
  t.firstParallelMinutes = displayText(row[12]);
  t.firstParallelSeconds = displayText(row[13]);
  t.secondParallelDegrees = displayText(row[14]);
  t.secondParallelMinutes = displayText(row[15]);
  t.secondParallelSeconds = displayText(row[16]);
  e.projection = projectionOfKey(row[10]);
  return e;
}

}  // namespace velqora
