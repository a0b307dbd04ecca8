// The elementary functions beside the standard library's (glibc's here), over 1024
// arguments of the kind the projections pass: angles of a few radians, tangents and
// ratios near 1, exponents of the cone constants; and sincos beside sin and cos.

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstdint>

#include "geodesy/elementary.h"

namespace {

constexpr std::size_t COUNT = 1024;

std::array<double, COUNT> arguments(double lo, double hi) {
  std::array<double, COUNT> a{};
  std::uint64_t s = 12345;
  for (double& x : a) {
    s = s * 6364136223846793005ULL + 1442695040888963407ULL;
    x = lo + (hi - lo) * static_cast<double>(s >> 11) * 0x1p-53;
  }
  return a;
}

template <double (*F)(double)>
void unary(benchmark::State& state, double lo, double hi) {
  const auto a = arguments(lo, hi);
  for (auto _ : state) {
    for (const double x : a) benchmark::DoNotOptimize(F(x));
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * COUNT));
}

template <double (*F)(double, double)>
void binary(benchmark::State& state, double lo, double hi, double ylo, double yhi) {
  const auto a = arguments(lo, hi);
  const auto b = arguments(ylo, yhi);
  for (auto _ : state) {
    for (std::size_t i = 0; i < COUNT; ++i) benchmark::DoNotOptimize(F(a[i], b[COUNT - 1 - i]));
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * COUNT));
}

double std_sin(double x) { return std::sin(x); }
double std_cos(double x) { return std::cos(x); }
double std_tan(double x) { return std::tan(x); }
double std_atan(double x) { return std::atan(x); }
double std_log(double x) { return std::log(x); }
double std_exp(double x) { return std::exp(x); }
double std_atan2(double y, double x) { return std::atan2(y, x); }
double std_pow(double x, double y) { return std::pow(x, y); }

// Each function as ours and as std's, side by side.
#define VELQORA_BENCH_UNARY(name, lo, hi)                                                    \
  void BM_##name##_velqora(benchmark::State& state) { unary<velqora::name>(state, lo, hi); } \
  void BM_##name##_std(benchmark::State& state) { unary<std_##name>(state, lo, hi); }        \
  BENCHMARK(BM_##name##_velqora);                                                            \
  BENCHMARK(BM_##name##_std)
#define VELQORA_BENCH_BINARY(name, lo, hi, ylo, yhi)                                                    \
  void BM_##name##_velqora(benchmark::State& state) { binary<velqora::name>(state, lo, hi, ylo, yhi); } \
  void BM_##name##_std(benchmark::State& state) { binary<std_##name>(state, lo, hi, ylo, yhi); }        \
  BENCHMARK(BM_##name##_velqora);                                                                       \
  BENCHMARK(BM_##name##_std)

VELQORA_BENCH_UNARY(sin, -3.2, 3.2);
VELQORA_BENCH_UNARY(cos, -3.2, 3.2);
VELQORA_BENCH_UNARY(tan, -1.5, 1.5);
VELQORA_BENCH_UNARY(atan, -4, 4);
VELQORA_BENCH_BINARY(atan2, -1, 1, -1, 1);
VELQORA_BENCH_UNARY(log, 0.5, 4);
VELQORA_BENCH_UNARY(exp, -3, 3);
VELQORA_BENCH_BINARY(pow, 0.5, 2, 0.3, 1.5);

// sincos beside a call of sin and one of cos on the same angle.
void BM_sincos_velqora(benchmark::State& state) {
  const auto a = arguments(-3.2, 3.2);
  for (auto _ : state) {
    for (const double x : a) {
      const velqora::SineCosine r = velqora::sincos(x);
      benchmark::DoNotOptimize(r.sin);
      benchmark::DoNotOptimize(r.cos);
    }
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * COUNT));
}
void BM_sinpluscos_velqora(benchmark::State& state) {
  const auto a = arguments(-3.2, 3.2);
  for (auto _ : state) {
    for (const double x : a) {
      benchmark::DoNotOptimize(velqora::sin(x));
      benchmark::DoNotOptimize(velqora::cos(x));
    }
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * COUNT));
}
BENCHMARK(BM_sincos_velqora);
BENCHMARK(BM_sinpluscos_velqora);

}  // namespace
