#include "converter/conversion_setup.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "converter/core_conversion.h"
#include "datafiles/grid_group.h"
#include "datafiles/loaders.h"
#include "datafiles/tables.h"
#include "datafiles/text_encoding.h"
#include "geodesy/conversion_refusal.h"
#include "geodesy/number_text.h"

namespace velqora::convert {

namespace {

// A list file's report, the file named inside the data folder as the user gave it.
[[noreturn]] void failLoading(const std::string& folder, LoadError error) {
  if (folder != ".") error.file = folder + (folder.ends_with('/') ? "" : "/") + error.file;
  throw UsageError(error.report());
}

// An entry's name, exactly as the list shows it, or else "N" for position N; so an
// entry named "2" is picked by its name.
template <typename NameOf>
int pick(const std::string& option, const std::string& choice, int count, NameOf nameOf) {
  for (int i = 0; i < count; ++i)
    if (nameOf(i) == choice) return i;
  int position = -1;
  const auto [end, error] = std::from_chars(choice.data(), choice.data() + choice.size(), position);
  const bool number = error == std::errc() && end == choice.data() + choice.size();
  if (number && position >= 0 && position < count) return position;
  if (number)
    throw UsageError(option + " " + choice + ": positions run from 0 to " + std::to_string(count - 1) +
                     " (see --list)");
  throw UsageError(option + ": no entry named \"" + choice + "\" (see --list)");
}

void appendEntry(std::string& out, int position, const std::string& name, const std::string& detail = {}) {
  std::array<char, 16> number{};
  const auto end = std::to_chars(number.data(), number.data() + number.size(), position).ptr;
  out.append(static_cast<std::size_t>(4 - std::min<long>(end - number.data(), 4)), ' ');
  out.append(number.data(), end);
  out += "  " + name;
  if (!detail.empty()) out += "  (" + detail + ')';
  out += '\n';
}

std::string ellipsoidName(int i) { return displayText(EARTHTAB[static_cast<std::size_t>(i)][0]); }
std::string gridSystemName(int i) { return displayText(GRIDSYS[static_cast<std::size_t>(i)][0]); }
std::string gridGroupName(int i) { return displayText(GRPTAB[static_cast<std::size_t>(i)][0]); }

// Loads the grid-group file of the chosen grid system, as picking it in the window does.
// Returns its position; 0 is "no grid system", with no grid groups.
int pickGridSystem(const Lists& lists, const std::string& choice) {
  const int k = pick("--grid-system", choice, lists.gridSystems, gridSystemName);
  GRPCOUNT = 0;
  if (k == 0) return k;
  if (auto error = loadGridGroupFile(GRIDSYS[static_cast<std::size_t>(k)][1])) failLoading(lists.folder, *error);
  return k;
}

// Comma-separated texts into fields, as typed into them; fields left out are empty.
template <std::size_t N>
void typeInto(const std::string& option, const std::string& text, const std::array<std::string*, N>& fields,
              const char* what) {
  std::size_t start = 0;
  for (std::string* field : fields) {
    const std::size_t comma = std::min(text.find(',', start), text.size());
    *field = start <= text.size() ? text.substr(start, comma - start) : std::string();
    start = comma + 1;
  }
  if (start <= text.size()) throw UsageError(option + ": at most " + what + ": " + text);
}

void typeAngle(const std::string& option, const std::string& text, std::string& d, std::string& m, std::string& s) {
  typeInto<3>(option, text, {&d, &m, &s}, "degrees, arc-minutes, arc-seconds");
}

// The four ellipsoid fields: a picked ellipsoid's texts, or the typed ones.
std::array<std::string, 4> ellipsoidTexts(const Lists& lists, const Choices& choices) {
  std::array<std::string, 4> texts;
  if (choices.ellipsoid && choices.ellipsoidValues)
    throw UsageError("--ellipsoid and --ellipsoid-values: one or the other");
  if (choices.catalogueEntry && (choices.ellipsoid || choices.ellipsoidValues))
    throw UsageError("--epsg sets the ellipsoid: --ellipsoid and --ellipsoid-values go without it");
  if (choices.catalogueEntry) {
    texts = choices.catalogueEntry->ellipsoid;
  } else if (choices.ellipsoid) {
    const auto& row =
        EARTHTAB[static_cast<std::size_t>(pick("--ellipsoid", *choices.ellipsoid, lists.ellipsoids, ellipsoidName))];
    for (std::size_t i = 0; i < texts.size(); ++i) texts[i] = displayText(row[i + 1]);
  } else if (choices.ellipsoidValues) {
    typeInto<4>("--ellipsoid-values", *choices.ellipsoidValues, {&texts[0], &texts[1], &texts[2], &texts[3]},
                "four values, a, b, 1/f, 1/e");
  }
  return texts;
}

// The ellipsoid as the window's first conversion after the pick runs on it: the field
// texts read as numbers and, when one is empty, completed.
Ellipsoid chosenEllipsoid(const Lists& lists, const Choices& choices) {
  const std::array<std::string, 4> texts = ellipsoidTexts(lists, choices);
  std::array<double, 4> values{};
  bool missing = false;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    // The window's rule for a field (empty, or a note after a blank, allowed), not the
    // whole-field rule of a point file's coordinates.
    if (!velqora::isNumberText(texts[i])) throw UsageError("the ellipsoid: " + notANumberMessage(texts[i]));
    values[i] = Number(texts[i]);
    missing = missing || texts[i].empty();
  }
  const auto settled = ellipsoidForConversion(ellipsoidOf(values), missing);
  if (!settled) {
    const std::string hint = choices.ellipsoid || choices.ellipsoidValues ? "" : " (--ellipsoid or --ellipsoid-values)";
    throw UsageError(std::string("the ellipsoid: ") + refusalMessage(settled.reason()) + hint);
  }
  return *settled;
}

// Which option holds the text that the window refuses.
const char* optionOf(GridTextProblem problem) {
  switch (problem) {
    case GridTextProblem::originLongitude:
      return "--origin-longitude";
    case GridTextProblem::originLatitude:
      return "--origin-latitude";
    case GridTextProblem::emptyShiftOrScale:
      return "--x-shift, --y-shift or --scale-factor";
    case GridTextProblem::shiftNotANumber:
      return "--x-shift or --y-shift";
    case GridTextProblem::scaleFactor:
      return "--scale-factor";
    case GridTextProblem::firstParallel:
      return "--parallel1";
    case GridTextProblem::secondParallel:
      return "--parallel2";
  }
  return "";
}

// The origin fields and the projection as the window holds them after the picks and
// the typing: at first its initial texts and no projection, then a picked grid
// group's texts and projection, then whatever was typed over them.
GridDefinition chosenGrid(const Lists& lists, const Choices& choices) {
  GridFieldTexts texts{"", "00", "00.00", "", "00", "00.00", "+0", "+0", "1.000", "", "", "", "", "", ""};
  int code = 0;
  if (choices.gridGroup && !choices.gridSystem) throw UsageError("--grid-group needs --grid-system");
  if (choices.catalogueEntry && choices.gridSystem)
    throw UsageError("--epsg sets the grid: --grid-system and --grid-group go without it");
  if (choices.catalogueEntry) {
    texts = choices.catalogueEntry->grid;
    code = projectionOfKey(choices.catalogueEntry->projectionKey);
  }
  if (choices.gridSystem) {
    const int system = pickGridSystem(lists, *choices.gridSystem);
    if (choices.gridGroup) {
      if (GRPCOUNT <= 0)
        throw UsageError("--grid-group: the grid system " + gridSystemName(system) + " has no grid groups");
      const int k = pick("--grid-group", *choices.gridGroup, GRPCOUNT, gridGroupName);
      const std::optional<GridGroupEntry> entry = gridGroupEntry(k);
      if (!entry) throw UsageError("--grid-group: no grid group at position " + std::to_string(k));
      texts = entry->texts;
      code = entry->projection;
    }
  }
  if (choices.projection) {
    const int count = static_cast<int>(lists.projections.size());
    code = pick("--projection", *choices.projection, count,
                [](int i) { return displayText(PRJKEY[static_cast<std::size_t>(i)]); });
  }
  if (choices.originLongitude)
    typeAngle("--origin-longitude", *choices.originLongitude, texts.longitudeDegrees, texts.longitudeMinutes,
              texts.longitudeSeconds);
  if (choices.originLatitude)
    typeAngle("--origin-latitude", *choices.originLatitude, texts.latitudeDegrees, texts.latitudeMinutes,
              texts.latitudeSeconds);
  if (choices.xShift) texts.xShift = *choices.xShift;
  if (choices.yShift) texts.yShift = *choices.yShift;
  if (choices.scaleFactor) texts.scaleFactor = *choices.scaleFactor;
  if (choices.parallel1)
    typeAngle("--parallel1", *choices.parallel1, texts.firstParallelDegrees, texts.firstParallelMinutes,
              texts.firstParallelSeconds);
  if (choices.parallel2)
    typeAngle("--parallel2", *choices.parallel2, texts.secondParallelDegrees, texts.secondParallelMinutes,
              texts.secondParallelSeconds);

  const auto grid = gridFromTexts(texts, code);
  if (!grid) {
    const std::string hint =
        choices.gridGroup ? "" : std::string(" (") + optionOf(grid.reason().problem) + ", or --grid-group)";
    throw UsageError("the grid: " + refusalMessage(grid.reason()) + hint);
  }
  if (!selectsProjection(code))
    throw UsageError(std::string("the grid: ") + refusalMessage(ConversionRefusal::noProjection) + " (--projection)");
  return *grid;
}

}  // namespace

Lists loadLists(const std::string& folder) {
  Lists lists;
  lists.folder = folder;
  PRJCOUNT = 0;
  GRPCOUNT = 0;
  if (auto error = loadProjectionList(PRJ_LIST_FILE, lists.projections)) failLoading(folder, *error);
  if (lists.projections.empty()) failLoading(folder, LoadError{PRJ_LIST_FILE, 0, "the projection list holds no entry"});
  int count = 0;
  if (auto error = loadGridSystemList(GRID_LIST_FILE, count)) failLoading(folder, *error);
  lists.gridSystems = listedEntries(count, GRIDSYS_ROWS);
  count = 0;
  if (auto error = loadEllipsoidList(EARTH_LIST_FILE, count)) failLoading(folder, *error);
  lists.ellipsoids = listedEntries(count, EARTH_ROWS);
  return lists;
}

std::string listing(const Lists& lists, const Choices& choices) {
  std::string out = "Ellipsoids (--ellipsoid NAME|N): a, b, 1/f, 1/e\n";
  for (int i = 0; i < lists.ellipsoids; ++i) {
    const auto& row = EARTHTAB[static_cast<std::size_t>(i)];
    appendEntry(
        out, i, ellipsoidName(i),
        displayText(row[1]) + ',' + displayText(row[2]) + ',' + displayText(row[3]) + ',' + displayText(row[4]));
  }
  out += "Projections (--projection KEY|N): key, name\n";
  for (std::size_t i = 0; i < lists.projections.size(); ++i)
    appendEntry(out, static_cast<int>(i), displayText(PRJKEY[i]) + "  " + displayText(lists.projections[i]));
  out += "Grid systems (--grid-system NAME|N)\n";
  for (int i = 0; i < lists.gridSystems; ++i) appendEntry(out, i, gridSystemName(i));
  if (choices.gridSystem) {
    const int k = pickGridSystem(lists, *choices.gridSystem);
    out += "Grid groups of " + gridSystemName(k) + " (--grid-group NAME|N): projection key\n";
    for (int i = 0; i < GRPCOUNT; ++i)
      appendEntry(out, i, gridGroupName(i), displayText(GRPTAB[static_cast<std::size_t>(i)][10]));
  }
  return out;
}

PointConversion makeConversion(const Lists& lists, const Choices& choices) {
  const Ellipsoid ellipsoid = chosenEllipsoid(lists, choices);
  const GridDefinition grid = chosenGrid(lists, choices);
  if (choices.toleranceMetres) {
    if (!choices.inverse) throw UsageError("--tolerance: it is the tolerance of --inverse");
    if (!(*choices.toleranceMetres > 0) || !std::isfinite(*choices.toleranceMetres))
      throw UsageError("--tolerance: a distance in metres greater than 0");
  }
  return coreConversion(ellipsoid, grid,
                        Direction{choices.inverse, choices.sexagesimal, choices.derived, choices.toleranceMetres});
}

}  // namespace velqora::convert
