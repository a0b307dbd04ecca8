// Speed of the dispatcher for each projection code beside PROJ's forward
// transformation of the same projection, and of DEGFACT with its seven texts.
// Each comparison runs both on the same batch of points in turn and reports
// ours_ns, proj_ns and their ratio per point; at the end the median ratio of each
// code over all repetitions is printed as "ratio code N: x.xx".

#include <benchmark/benchmark.h>
#include <proj.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "geodesy/constants.h"
#include "geodesy/derived_values.h"
#include "geodesy/grid.h"

namespace velqora {
namespace {

struct Setup {
  int code;
  const char* proj;  // PROJ's projection and its parameters, angles in degrees
  double a;          // km
  double rf;
  double lat0;  // degrees
  double lat1;
  double lat2;
};

constexpr std::array<Setup, 6> SETUPS{{
    {TRANSVERSE_MERCATOR, "+proj=tmerc +k_0=1", 6378.137, 298.257222101, 36, 0, 0},
    {OBLIQUE_MERCATOR, "+proj=somerc +k_0=1", 6377.397155, 299.1528128, 46.952405555, 0, 0},
    {LAMBERT_TWO_PARALLELS, "+proj=lcc", 6378.2064, 294.9786982, 27.833333333, 28.383333333, 30.283333333},
    {LAMBERT_ONE_PARALLEL, "+proj=lcc +k_0=1", 6378.2064, 294.9786982, 18, 0, 0},
    {CASSINI_SOLDNER, "+proj=cass", 6378.137, 298.257222101, 36, 0, 0},
    {OBLIQUE_STEREOGRAPHIC, "+proj=sterea +k=1", 6377.397155, 299.1528128, 52.156160555, 0, 0},
}};

std::string number(double v) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.17g", v);
  return buffer;
}

// Points within about 300 km of the origin, as a grid-to-geographic iteration or
// a day's conversions would ask for.
constexpr int BATCH = 64;
struct Point {
  double dlam;
  double phi;
};
std::array<Point, BATCH> batchAround(double phi0) {
  std::array<Point, BATCH> points{};
  for (int i = 0; i < BATCH; ++i) {
    const double r = 0.045 * ((i % 8) + 1) / 8;
    const double az = 2 * PI * i / BATCH;
    points[i] = {r * std::sin(az) / std::cos(phi0), phi0 + r * std::cos(az)};
  }
  return points;
}

// The grid of a setup.
Grid gridOf(const Setup& s, double k0, double xShift) {
  GridDefinition d;
  d.projection = static_cast<ProjectionCode>(s.code);
  d.originLatitude = {s.lat0, 0, 0};
  d.firstParallel = {s.lat1, 0, 0};
  d.secondParallel = {s.lat2, 0, 0};
  d.xShift = xShift;
  d.scaleFactor = k0;
  return *Grid::make({s.a, s.a - s.a / s.rf, s.rf, s.rf / std::sqrt(2 * s.rf - 1)}, d);
}

// Median ratio per code over the final run of every repetition.
struct RatioLog {
  std::map<int, std::vector<double>> ratios;
  ~RatioLog() {
    for (auto& [code, list] : ratios) {
      if (list.empty()) continue;
      std::sort(list.begin(), list.end());
      std::printf("ratio code %d: %.2f\n", code, list[list.size() / 2]);
    }
  }
};
RatioLog ratioLog;
std::map<int, benchmark::IterationCount> longestRun;

void BM_PrjslAgainstProj(benchmark::State& state) {
  const Setup& s = SETUPS[state.range(0)];
  const Grid grid = gridOf(s, 1, 500);
  const GridOrigin& o = grid.origin();
  const double phi0 = o.phi0, phi1 = o.phi1, phi2 = o.phi2;
  std::string definition = std::string(s.proj) + " +lat_0=" + number(phi0 * 180 / M_PI) + " +lon_0=0 +x_0=500000";
  if (s.code == LAMBERT_TWO_PARALLELS)
    definition += " +lat_1=" + number(phi1 * 180 / M_PI) + " +lat_2=" + number(phi2 * 180 / M_PI);
  if (s.code == LAMBERT_ONE_PARALLEL) definition += " +lat_1=" + number(phi0 * 180 / M_PI);
  definition += " +a=" + number(s.a * 1000) + " +rf=" + number(s.rf) + " +units=m +no_defs";
  PJ* pj = proj_create(PJ_DEFAULT_CTX, definition.c_str());
  if (pj == nullptr) {
    state.SkipWithError("PROJ refused the definition");
    return;
  }
  const std::array<Point, BATCH> points = batchAround(phi0);

  using Clock = std::chrono::steady_clock;
  Clock::duration ours{};
  Clock::duration theirs{};
  for (auto _ : state) {
    const auto t0 = Clock::now();
    for (const Point& p : points) benchmark::DoNotOptimize(grid.PRJSL(p.dlam, p.phi));
    const auto t1 = Clock::now();
    for (const Point& p : points) {
      PJ_COORD c = proj_trans(pj, PJ_FWD, proj_coord(p.dlam, p.phi, 0, 0));
      benchmark::DoNotOptimize(c);
    }
    const auto t2 = Clock::now();
    ours += t1 - t0;
    theirs += t2 - t1;
  }
  proj_destroy(pj);

  const double calls = static_cast<double>(state.iterations()) * BATCH;
  const double oursNs = std::chrono::duration<double, std::nano>(ours).count() / calls;
  const double theirsNs = std::chrono::duration<double, std::nano>(theirs).count() / calls;
  state.counters["ours_ns"] = oursNs;
  state.counters["proj_ns"] = theirsNs;
  state.counters["ratio"] = oursNs / theirsNs;
  // The framework first runs short trials to choose the iteration count; keep only
  // the runs of the chosen length.
  benchmark::IterationCount& longest = longestRun[s.code];
  std::vector<double>& list = ratioLog.ratios[s.code];
  if (state.iterations() > longest) {
    longest = state.iterations();
    list.clear();
  }
  if (state.iterations() == longest) list.push_back(oursNs / theirsNs);
}
BENCHMARK(BM_PrjslAgainstProj)->DenseRange(0, 5)->ArgName("setup");

// The dispatcher alone, per point, for each code.
void BM_Prjsl(benchmark::State& state) {
  const Grid grid = gridOf(SETUPS[state.range(0)], 1, 0);
  const std::array<Point, BATCH> points = batchAround(grid.origin().phi0);
  int i = 0;
  for (auto _ : state) {
    const Point& p = points[i++ % BATCH];
    benchmark::DoNotOptimize(grid.PRJSL(p.dlam, p.phi));
  }
}
BENCHMARK(BM_Prjsl)->DenseRange(0, 5)->ArgName("setup");

// DEGFACT with its seven texts, at a point whose projection is known.
void BM_Degfact(benchmark::State& state) {
  const Grid grid = gridOf(SETUPS[state.range(0)], 0.9999, 0);
  const std::array<Point, BATCH> points = batchAround(grid.origin().phi0);
  std::array<GridPoint, BATCH> projected{};
  for (int k = 0; k < BATCH; ++k) projected[k] = *grid.PRJSL(points[k].dlam, points[k].phi);
  int i = 0;
  for (auto _ : state) {
    const int k = i++ % BATCH;
    const auto v = DEGFACT(grid, {points[k].dlam, points[k].phi}, projected[k]);
    benchmark::DoNotOptimize(derivedTexts(*v));
  }
}
BENCHMARK(BM_Degfact)->DenseRange(0, 5)->ArgName("setup");

}  // namespace
}  // namespace velqora
