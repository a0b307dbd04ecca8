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
#include "geodesy/dispatcher.h"
#include "geodesy/ellipsoid.h"
#include "geodesy/grid_record.h"
#include "window/degfact.h"
#include "window/memory_form.h"

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

void setEllipsoid(double a, double rf) {
  EARTH = {a, a - a / rf, rf, rf / std::sqrt(2 * rf - 1)};
}

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

// Sets the ellipsoid, projection code and grid group of a setup; returns the origin
// latitude and the parallels in radians.
struct Request {
  double phi0, phi1, phi2;
};
Request useSetup(const Setup& s, double k0, double xShift) {
  setEllipsoid(s.a, s.rf);
  PRJKIND = s.code;
  GRID = {};
  GRID[6] = xShift;
  GRID[8] = k0;
  return {s.lat0 / DEGPRAD, s.lat1 / DEGPRAD, s.lat2 / DEGPRAD};
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
  const auto [phi0, phi1, phi2] = useSetup(s, 1, 500);
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
    for (const Point& p : points) {
      double X = 0;
      double Y = 0;
      benchmark::DoNotOptimize(PRJSL(p.dlam, p.phi, phi0, phi1, phi2, X, Y));
      benchmark::DoNotOptimize(X);
      benchmark::DoNotOptimize(Y);
    }
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
  const Setup& s = SETUPS[state.range(0)];
  const auto [phi0, phi1, phi2] = useSetup(s, 1, 0);
  const std::array<Point, BATCH> points = batchAround(phi0);
  int i = 0;
  for (auto _ : state) {
    const Point& p = points[i++ % BATCH];
    double X = 0;
    double Y = 0;
    benchmark::DoNotOptimize(PRJSL(p.dlam, p.phi, phi0, phi1, phi2, X, Y));
    benchmark::DoNotOptimize(X);
    benchmark::DoNotOptimize(Y);
  }
}
BENCHMARK(BM_Prjsl)->DenseRange(0, 5)->ArgName("setup");

// DEGFACT with its seven field texts on a form held in memory.
void BM_Degfact(benchmark::State& state) {
  const Setup& s = SETUPS[state.range(0)];
  const auto [phi0, phi1, phi2] = useSetup(s, 0.9999, 0);
  const std::array<Point, BATCH> points = batchAround(phi0);
  MemoryForm form;
  int i = 0;
  for (auto _ : state) {
    const Point& p = points[i++ % BATCH];
    benchmark::DoNotOptimize(DEGFACT(form, p.dlam, p.phi, phi0, phi1, phi2));
  }
}
BENCHMARK(BM_Degfact)->DenseRange(0, 5)->ArgName("setup");

}  // namespace
}  // namespace velqora
