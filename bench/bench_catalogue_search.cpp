// The Find dialog's work on the whole EPSG catalogue: reading it when the dialog
// opens, and filtering and ranking every entry at each keystroke (the aim: well
// under 20 ms a keystroke).
#include <benchmark/benchmark.h>

#include <array>
#include <filesystem>
#include <string>

#include "datafiles/catalogue_search.h"
#include "datafiles/epsg_catalogue.h"

namespace {

using namespace velqora;

const std::string CATALOGUE =
    (std::filesystem::path(__FILE__).parent_path().parent_path() / "data" / EPSG_CATALOGUE_FILE).string();

const CatalogueReading& catalogue() {
  static const CatalogueReading reading = readCatalogue(CATALOGUE);
  return reading;
}

void BM_ReadCatalogue(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(readCatalogue(CATALOGUE));
  state.counters["entries"] = static_cast<double>(catalogue().entries.size());
}
BENCHMARK(BM_ReadCatalogue)->Unit(benchmark::kMillisecond);

void BM_IndexCatalogue(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(CatalogueSearch(catalogue().entries));
}
BENCHMARK(BM_IndexCatalogue)->Unit(benchmark::kMillisecond);

// Queries as they stand after a keystroke: a single common letter matches nearly every
// entry and sorts them all, the longer ones few.
constexpr std::array<const char*, 6> QUERIES = {"e", "l", "lambert", "lambert 9", "lambert 93", "nad83 texas s"};

void BM_SearchKeystroke(benchmark::State& state) {
  const CatalogueSearch search(catalogue().entries);
  const char* query = QUERIES[static_cast<std::size_t>(state.range(0))];
  std::size_t found = 0;
  for (auto _ : state) {
    const auto positions = search.find(query);
    found = positions.size();
    benchmark::DoNotOptimize(positions.data());
  }
  state.SetLabel(std::string("\"") + query + "\"");
  state.counters["found"] = static_cast<double>(found);
}
BENCHMARK(BM_SearchKeystroke)->DenseRange(0, QUERIES.size() - 1)->Unit(benchmark::kMillisecond);

}  // namespace
