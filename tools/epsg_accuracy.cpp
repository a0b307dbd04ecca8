// Compares every grid of the EPSG catalogue, converted as the window converts it, with
// PROJ (tools/epsg/accuracy_check.h) and prints, by projection, the grids and points
// compared, the points either side refused, and the worst difference; for the two
// series projections also the percentiles of the grids' worst differences.
//
//   epsg_accuracy [--sample N] [CATALOGUE]     default data/epsg-grids.txt
//
// --sample N checks N grids: those whose record carries a series error, the others
// spread evenly over each projection's grids. Exits with 1 when a
// closed-form projection differs by more than 1 mm, when a series grid's record
// understates its worst difference (or lacks the figure above 1 cm), or when a grid
// cannot be checked; 2 when the catalogue cannot be read.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "datafiles/epsg_catalogue.h"
#include "geodesy/projection_code.h"
#include "tools/epsg/accuracy_check.h"
#include "tools/epsg/pj.h"

namespace {

using namespace velqora;
using namespace velqora::epsg;

struct Totals {
  int grids = 0;
  int compared = 0;
  int refused = 0;
  int refusedByProj = 0;
  double worst = 0;
  int worstCode = 0;
  std::vector<double> gridWorst;  // each grid's worst difference
};

bool seriesProjection(int code) { return code == TRANSVERSE_MERCATOR || code == CASSINI_SOLDNER; }

std::string length(double metres) {
  char text[32];
  if (metres < 1) {
    std::snprintf(text, sizeof text, "%.4f mm", metres * 1000);
  } else {
    std::snprintf(text, sizeof text, "%.2f m", metres);
  }
  return text;
}

// The nearest-rank percentile of sorted values.
double percentile(const std::vector<double>& sorted, double p) {
  if (sorted.empty()) return 0;
  const auto rank = static_cast<std::size_t>(std::max(1.0, std::ceil(p / 100 * static_cast<double>(sorted.size()))));
  return sorted[std::min(rank, sorted.size()) - 1];
}

// The grids to check: all, or n of them: every grid whose record carries a series
// error, and the others spread evenly over each projection's grids in proportion to
// their number, at least 5 of each projection (all of one with fewer).
std::vector<std::size_t> sampleOf(const std::vector<CatalogueEntry>& entries, std::size_t n) {
  std::vector<std::size_t> chosen;
  const bool all = n == 0 || n >= entries.size();
  std::array<std::vector<std::size_t>, 7> others;
  for (std::size_t k = 0; k < entries.size(); ++k) {
    if (all || entries[k].seriesError) {
      chosen.push_back(k);
    } else {
      others[static_cast<std::size_t>(standardProjectionCode(entries[k].projectionKey))].push_back(k);
    }
  }
  if (all) return chosen;
  const std::size_t rest = entries.size() - chosen.size();
  const std::size_t wanted = n > chosen.size() ? n - chosen.size() : 0;
  std::array<std::size_t, 7> quota{};
  std::size_t total = 0;
  for (std::size_t p = 0; p < others.size(); ++p) {
    const std::size_t size = others[p].size();
    quota[p] = std::min(size, std::max(std::min<std::size_t>(5, size), wanted * size / rest));
    total += quota[p];
  }
  // The largest projection takes up the rounding, so that n grids are checked.
  const auto largest = static_cast<std::size_t>(
      std::max_element(others.begin(), others.end(), [](const auto& x, const auto& y) { return x.size() < y.size(); }) -
      others.begin());
  if (total < wanted) quota[largest] = std::min(others[largest].size(), quota[largest] + (wanted - total));
  if (total > wanted) quota[largest] -= std::min(quota[largest], total - wanted);
  for (std::size_t p = 0; p < others.size(); ++p) {
    for (std::size_t i = 0; i < quota[p]; ++i) chosen.push_back(others[p][i * others[p].size() / quota[p]]);
  }
  std::sort(chosen.begin(), chosen.end());
  return chosen;
}

}  // namespace

int main(int argc, char** argv) {
  std::string file = "data/epsg-grids.txt";
  std::size_t sample = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--sample" && i + 1 < argc) {
      sample = std::strtoul(argv[++i], nullptr, 10);
    } else {
      file = arg;
    }
  }
  const CatalogueReading catalogue = readCatalogue(file);
  for (const std::string& problem : catalogue.problems) std::fprintf(stderr, "%s\n", problem.c_str());
  if (!catalogue.problems.empty() || catalogue.entries.empty()) return 2;

  const std::vector<std::size_t> chosen = sampleOf(catalogue.entries, sample);
  const std::size_t count = catalogue.entries.size();
  const std::size_t n = chosen.size();

  const Context context(proj_context_create());
  std::array<Totals, 7> totals{};
  int failures = 0;
  for (const std::size_t k : chosen) {
    const CatalogueEntry& entry = catalogue.entries[k];
    const int code = standardProjectionCode(entry.projectionKey);
    const GridAccuracy a = checkGrid(context.get(), entry);
    if (!a.failure.empty()) {
      std::printf("EPSG:%d not checked: %s\n", entry.code, a.failure.c_str());
      ++failures;
      continue;
    }
    Totals& t = totals[static_cast<std::size_t>(code)];
    ++t.grids;
    t.compared += a.compared;
    t.refused += a.refused;
    t.refusedByProj += a.refusedByProj;
    t.gridWorst.push_back(a.worstMetres);
    if (a.worstMetres > t.worst) {
      t.worst = a.worstMetres;
      t.worstCode = entry.code;
    }
    if (!seriesProjection(code) && a.worstMetres > 0.001) {
      std::printf("EPSG:%d %s differs by %s\n", entry.code, entry.name.c_str(), length(a.worstMetres).c_str());
      ++failures;
    }
    const auto figure = seriesErrorFigure(a.worstMetres);
    if (seriesProjection(code) && figure && !(entry.seriesError && *entry.seriesError >= a.worstMetres * (1 - 1e-9))) {
      std::printf("EPSG:%d %s: its record gives %s, the series differ by %s\n", entry.code, entry.name.c_str(),
                  entry.seriesError ? length(*entry.seriesError).c_str() : "no series error",
                  length(a.worstMetres).c_str());
      ++failures;
    }
  }

  std::printf("%zu of %zu grids of %s, %d points each\n\n", n, count, file.c_str(), CHECK_POINTS);
  std::printf(
      "| Projection | Grids | Points compared | Refused by Velqora | Refused by PROJ | Worst difference | at |\n");
  std::printf("|---|---|---|---|---|---|---|\n");
  for (std::size_t code = 1; code < totals.size(); ++code) {
    const Totals& t = totals[code];
    if (t.grids == 0) continue;
    std::printf("| %s | %d | %d | %d | %d | %s | EPSG:%d |\n", std::string(STANDARD_PROJECTION_KEYS[code]).c_str(),
                t.grids, t.compared, t.refused, t.refusedByProj, length(t.worst).c_str(), t.worstCode);
  }
  std::printf("\nEach series grid's worst difference, percentiles over the grids:\n\n");
  std::printf("| Projection | 50 | 90 | 99 | max |\n|---|---|---|---|---|\n");
  for (const int code : {TRANSVERSE_MERCATOR, CASSINI_SOLDNER}) {
    std::vector<double> worst = totals[static_cast<std::size_t>(code)].gridWorst;
    if (worst.empty()) continue;
    std::sort(worst.begin(), worst.end());
    std::printf("| %s | %s | %s | %s | %s |\n",
                std::string(STANDARD_PROJECTION_KEYS[static_cast<std::size_t>(code)]).c_str(),
                length(percentile(worst, 50)).c_str(), length(percentile(worst, 90)).c_str(),
                length(percentile(worst, 99)).c_str(), length(worst.back()).c_str());
  }
  if (failures > 0) std::printf("\n%d problems\n", failures);
  return failures > 0 ? 1 : 0;
}
