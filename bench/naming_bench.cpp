// Ranking the given-name candidates for a surname, per candidate the scope
// holds: every scope, each order, with the filters that cost most per
// candidate (a contained sound, a kanji, the sex of each reading).
#include <benchmark/benchmark.h>

#include "naming.h"

namespace {

using namori::NameScope;
using namori::SexFilter;
using namori::SuggestOrder;

void rank(benchmark::State& state, const namori::SuggestFilter& filter) {
  // The candidates the scope holds for the sex, whatever the other filters
  // keep: for every name, all of them.
  namori::SuggestFilter scope;
  scope.names = filter.names;
  scope.sex = filter.sex;
  scope.anyKanji = scope.allReadings = true;
  const std::size_t candidates = filter.names == NameScope::kAll
                                     ? namori::candidateCount()
                                     : namori::suggestGivenNames("山田", scope).size();
  for (auto _ : state) {
    const namori::Suggestions ranked = namori::suggestGivenNames("山田", filter);
    benchmark::DoNotOptimize(ranked.size() ? ranked[ranked.size() - 1].score : 0);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * candidates));
}

// Arguments: scope (common, people, all), sex (any, f, m), order (score,
// people, popular).
void BM_Rank(benchmark::State& state) {
  namori::SuggestFilter filter;
  filter.names = static_cast<NameScope>(state.range(0));
  filter.sex = static_cast<SexFilter>(state.range(1));
  filter.order = static_cast<SuggestOrder>(state.range(2));
  rank(state, filter);
}
BENCHMARK(BM_Rank)->ArgsProduct({{0, 1, 2}, {0, 1, 2}, {0, 1, 2}});

void BM_RankFiltered(benchmark::State& state) {
  namori::SuggestFilter filter;
  filter.names = static_cast<NameScope>(state.range(0));
  filter.reading = "*な*";
  filter.without = "子";
  filter.sex = SexFilter::kFemale;
  filter.order = SuggestOrder::kPeople;
  rank(state, filter);
}
BENCHMARK(BM_RankFiltered)->DenseRange(0, 2);

}  // namespace
