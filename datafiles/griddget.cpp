#include <cmath>
#include <string>

#include "datafiles/grid_group.h"
#include "geodesy/number_text.h"
#include "window/form.h"

namespace velqora {

namespace {

constexpr const char* ORIGIN_MESSAGE = "Please set correct data.";
constexpr const char* SCALE_MESSAGE = "Please set a correct data.";

// A standard parallel's degrees text that carries no number: empty, or signs only.
bool hasNoParallelDegrees(const std::string& text) { return text.empty() || text == "-" || text == "--"; }

// Reads one standard parallel (degrees, arc-minutes, arc-seconds) into GRID(first..first+2).
// Returns false when the degrees text carries no number or a part is not finite.
bool readParallel(const Form& form, Field degrees, Field minutes, Field seconds, int first) {
  const std::string text = form.text(degrees);
  const double s = Sign(text);
  if (hasNoParallelDegrees(text)) return false;
  GRID[first] = Number(text);
  GRID[first + 1] = s * Number(form.text(minutes));
  GRID[first + 2] = s * Number(form.text(seconds));
  // A typed number beyond the double range reads as infinite; no projection can use it.
  return std::isfinite(GRID[first]) && std::isfinite(GRID[first + 1]) && std::isfinite(GRID[first + 2]);
}

}  // namespace

void GRIDDGET(Form& form, int& status) {
  const auto reject = [&](const char* message) {
    form.showMessage(message);
    status = 0;
  };
  status = 1;

  // Origin longitude; the sign of the whole angle is the first character of the degrees
  // text, so "-0" with arc-minutes lies west of the origin meridian.
  std::string text = form.text(EDIT5);
  GRID[0] = Number(text);
  double s = Sign(text);
  // Written as "not inside" so that a value that is no number at all is refused too.
  if (text.empty() || !(GRID[0] >= -180.0 && GRID[0] <= 180.0)) return reject(ORIGIN_MESSAGE);
  GRID[1] = s * Number(form.text(EDIT7));
  GRID[2] = s * Number(form.text(EDIT9));
  if (!std::isfinite(GRID[1]) || !std::isfinite(GRID[2])) return reject(ORIGIN_MESSAGE);

  // Origin latitude.
  text = form.text(EDIT6);
  GRID[3] = Number(text);
  s = Sign(text);
  if (text.empty() || !(GRID[3] >= -90.0 && GRID[3] <= 90.0)) return reject(ORIGIN_MESSAGE);
  GRID[4] = s * Number(form.text(EDIT8));
  GRID[5] = s * Number(form.text(EDIT10));
  if (!std::isfinite(GRID[4]) || !std::isfinite(GRID[5])) return reject(ORIGIN_MESSAGE);

  // Shifts and scale factor: an empty field is refused, a blank one reads as 0.
  if (form.text(EDIT11).empty() || form.text(EDIT12).empty() || form.text(EDIT13).empty())
    return reject(ORIGIN_MESSAGE);
  GRID[6] = Number(form.text(EDIT11));
  GRID[7] = Number(form.text(EDIT12));
  GRID[8] = Number(form.text(EDIT13));
  if (!std::isfinite(GRID[6]) || !std::isfinite(GRID[7])) return reject(ORIGIN_MESSAGE);
  if (!(GRID[8] > 0.0) || !std::isfinite(GRID[8])) return reject(SCALE_MESSAGE);

  PRJKIND = form.selectedPosition(COMBO4);

  // Only the two-parallel Lambert projection reads its standard parallels; for every
  // other projection GRID(9) to GRID(14) keep their values and go unused.
  if (PRJKIND == 3) {
    if (!readParallel(form, EDIT33, EDIT35, EDIT37, 9)) return reject(SCALE_MESSAGE);
    if (!readParallel(form, EDIT34, EDIT36, EDIT38, 12)) return reject(SCALE_MESSAGE);
  }
}

}  // namespace velqora
