#include <benchmark/benchmark.h>

#include <cmath>

#include "geodesy/cassini_soldner.h"
#include "geodesy/constants.h"
#include "geodesy/display.h"
#include "geodesy/meridian_arc.h"
#include "geodesy/transverse_mercator.h"

namespace {

using namespace velqora;

constexpr double GRS80_RF = 298.257222101;
const Ellipsoid GRS80{6378.137, 6378.137 - 6378.137 / GRS80_RF, GRS80_RF, GRS80_RF / std::sqrt(2 * GRS80_RF - 1)};

void BM_DSPDCM(benchmark::State& state) {
  double x = 3986.005190123;
  for (auto _ : state) {
    benchmark::DoNotOptimize(DSPDCM(x, 11));
    benchmark::DoNotOptimize(x);
  }
}
BENCHMARK(BM_DSPDCM);

void BM_DSPSEXA(benchmark::State& state) {
  double x = 139.7;
  std::string d, m, s;
  for (auto _ : state) {
    DSPSEXA(x, d, m, s);
    benchmark::DoNotOptimize(s);
    benchmark::DoNotOptimize(x);
  }
}
BENCHMARK(BM_DSPSEXA);

void BM_FRMEQTR(benchmark::State& state) {
  const MeridianArc arc(GRS80.a, GRS80.inverseEccentricity);
  double phi = 36 / DEGPRAD;
  for (auto _ : state) {
    benchmark::DoNotOptimize(arc.FRMEQTR(phi));
    benchmark::DoNotOptimize(phi);
  }
}
BENCHMARK(BM_FRMEQTR);

template <class Projection, Projected (Projection::*Project)(double, double) const>
void BM_SeriesProjection(benchmark::State& state) {
  const Projection projection(GRS80);
  double dlam = 1 / DEGPRAD;
  double phi = 36 / DEGPRAD;
  for (auto _ : state) {
    benchmark::DoNotOptimize((projection.*Project)(dlam, phi));
    benchmark::DoNotOptimize(dlam);
  }
}
BENCHMARK(BM_SeriesProjection<TransverseMercator, &TransverseMercator::TMXYZ>)->Name("BM_TMXYZ");
BENCHMARK(BM_SeriesProjection<CassiniSoldner, &CassiniSoldner::CSXYZ>)->Name("BM_CSXYZ");

}  // namespace
