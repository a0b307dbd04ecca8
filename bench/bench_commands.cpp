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
// iteration runs to its bound of 90001 projections.
void BM_GridToGeographicWorstCase(benchmark::State& state) {
  const int code = static_cast<int>(state.range(0));
  const std::pair<const char*, const char*> unreachable[] = {
      {"", ""}, {"10000", "-5000"}, {"40000", "0"}, {"0", "-10000"}, {"0", "-10000"}, {"7500", "-2500"}, {"30000", "0"}};
  MemoryForm form = window(code);
  form.setText(EDIT22, unreachable[code].first);
  form.setText(EDIT23, unreachable[code].second);
  for (auto _ : state) BUTTON4_ON(form);
  if (!form.messages.empty()) state.SkipWithError("the point was refused instead of running to the bound");
}
BENCHMARK(BM_GridToGeographicWorstCase)->DenseRange(1, 6)->Unit(benchmark::kMillisecond);

}  // namespace
