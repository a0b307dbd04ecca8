#include <benchmark/benchmark.h>

#include <string>

#include "window/handlers.h"
#include "window/memory_form.h"

namespace {

using namespace velqora;

MemoryForm window(int code) {
  MemoryForm form;
  for (int i = 0; i < 7; ++i) form.appendEntry(COMBO4, "projection");
  form.selectPosition(COMBO4, code);
  form.setText(EDIT1, "6378.137");
  form.setText(EDIT3, "298.257222101");
  form.setText(EDIT5, "139");
  form.setText(EDIT6, "36");
  form.setText(EDIT13, "0.9999");
  form.setText(EDIT33, "35");
  form.setText(EDIT34, "37");
  return form;
}

// One click of a forward command: preamble, conversion, DEGFACT, all texts.
void BM_ForwardDecimalClick(benchmark::State& state) {
  MemoryForm form = window(static_cast<int>(state.range(0)));
  form.setText(EDIT2, "6356.75231414");
  form.setText(EDIT4, "12.2220714633");
  form.setText(EDIT20, "139.75");
  form.setText(EDIT21, "36.5");
  for (auto _ : state) BUTTON2_ON(form);
}
BENCHMARK(BM_ForwardDecimalClick)->DenseRange(1, 6);

void BM_ForwardSexagesimalClick(benchmark::State& state) {
  MemoryForm form = window(1);
  form.setText(EDIT14, "139");
  form.setText(EDIT16, "45");
  form.setText(EDIT18, "0");
  form.setText(EDIT15, "36");
  form.setText(EDIT17, "30");
  form.setText(EDIT19, "0");
  for (auto _ : state) BUTTON3_ON(form);
}
BENCHMARK(BM_ForwardSexagesimalClick);

void BM_GridToGeographicClick(benchmark::State& state) {
  MemoryForm form = window(1);
  form.setText(EDIT22, "80");
  form.setText(EDIT23, "60");
  for (auto _ : state) BUTTON4_ON(form);
}
BENCHMARK(BM_GridToGeographicClick);

// The worst case of a click: a grid point that no geographic point reaches, so the
// iteration runs to its bound of 90001 projections. On the two Lambert cones the last
// estimate is shown; on Transverse Mercator it lies beyond the series' limit and is
// refused, after the bound. Oblique Mercator, Cassini-Soldner and the stereographic
// projection refuse such points as soon as an estimate leaves what they can convert
// (within 0.2 ms on a grid of points out to 40,000 km), so none of their clicks runs to
// the bound.
void BM_GridToGeographicWorstCase(benchmark::State& state) {
  const int code = static_cast<int>(state.range(0));
  const bool refused = code == 1;
  MemoryForm form = window(code);
  form.setText(EDIT22, code == 1 ? "-10000" : "0");
  form.setText(EDIT23, code == 1 ? "-5000" : "-10000");
  for (auto _ : state) BUTTON4_ON(form);
  if (form.messages.empty() == refused) state.SkipWithError("the point did not end as expected");
}
BENCHMARK(BM_GridToGeographicWorstCase)->Arg(1)->Arg(3)->Arg(4)->Unit(benchmark::kMillisecond);

}  // namespace
