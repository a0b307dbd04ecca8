#include <benchmark/benchmark.h>

#include <cmath>

#include "geodesy/constants.h"
#include "geodesy/display.h"
#include "geodesy/ellipsoid.h"
#include "geodesy/meridian_arc.h"
#include "geodesy/projections.h"

namespace {

using namespace velqora;

void useGrs80() {
  const double rf = 298.257222101;
  EARTH = {6378.137, 6378.137 - 6378.137 / rf, rf, rf / std::sqrt(2 * rf - 1)};
}

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
  useGrs80();
  double phi = 36 / DEGPRAD;
  for (auto _ : state) {
    benchmark::DoNotOptimize(FRMEQTR(phi));
    benchmark::DoNotOptimize(phi);
  }
}
BENCHMARK(BM_FRMEQTR);

template <Domain (*Projection)(double, double, double&, double&)>
void BM_SeriesProjection(benchmark::State& state) {
  useGrs80();
  double dlam = 1 / DEGPRAD;
  double phi = 36 / DEGPRAD;
  double X = 0;
  double Y = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(Projection(dlam, phi, X, Y));
    benchmark::DoNotOptimize(X);
    benchmark::DoNotOptimize(dlam);
  }
}
BENCHMARK(BM_SeriesProjection<TMXYZ>)->Name("BM_TMXYZ");
BENCHMARK(BM_SeriesProjection<CSXYZ>)->Name("BM_CSXYZ");

}  // namespace
