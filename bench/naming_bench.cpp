// Ranking every given-name candidate for a surname.
#include <benchmark/benchmark.h>

#include "naming.h"

namespace {

void BM_RankAllCandidates(benchmark::State& state) {
  const std::size_t candidates = namori::candidateCount();  // loads the data
  for (auto _ : state) {
    const namori::Suggestions ranked = namori::suggestGivenNames("山田");
    benchmark::DoNotOptimize(ranked[ranked.size() - 1]);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * candidates));
}
BENCHMARK(BM_RankAllCandidates);

}  // namespace
