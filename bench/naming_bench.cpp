// Ranking every given-name candidate for a surname, plainly and with the
// filters that cost most per candidate (a contained sound, a kanji, the sex
// of each reading) in the people-first order.
#include <benchmark/benchmark.h>

#include "naming.h"

namespace {

void rank(benchmark::State& state, const namori::SuggestFilter& filter) {
  const std::size_t candidates = namori::candidateCount();  // loads the data
  for (auto _ : state) {
    const namori::Suggestions ranked = namori::suggestGivenNames("山田", filter);
    benchmark::DoNotOptimize(ranked.size() ? ranked[ranked.size() - 1].score : 0);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * candidates));
}

void BM_RankAllCandidates(benchmark::State& state) {
  rank(state, {});
}
BENCHMARK(BM_RankAllCandidates);

void BM_RankFilteredByPeople(benchmark::State& state) {
  namori::SuggestFilter filter;
  filter.reading = "*な*";
  filter.without = "子";
  filter.sex = namori::SexFilter::kFemale;
  filter.order = namori::SuggestOrder::kPeople;
  rank(state, filter);
}
BENCHMARK(BM_RankFilteredByPeople);

}  // namespace
