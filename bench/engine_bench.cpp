// Stroke lookup and grade computation speed.
#include <benchmark/benchmark.h>

#include <string>

#include "engine.h"

namespace {

// 〇 stands in no row: the walk reads all 6,568 characters before giving up.
constexpr unsigned char kAbsentLead = 0x81, kAbsentTrail = 0x5A;

void BM_StrokeCountLinear(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(namori::strokeCountByWalk(kAbsentLead, kAbsentTrail));
  }
}
BENCHMARK(BM_StrokeCountLinear);

void BM_StrokeCountIndexed(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(namori::strokeCount(kAbsentLead, kAbsentTrail));
  }
}
BENCHMARK(BM_StrokeCountIndexed);

void BM_FiveGrades(benchmark::State& state) {
  std::string surname, given;
  for (int i = 0; i < 17; ++i) {
    surname += "鬱";
    given += "驫";
  }
  for (auto _ : state) {
    benchmark::DoNotOptimize(namori::computeGrades(surname.c_str(), given.c_str()));
  }
}
BENCHMARK(BM_FiveGrades);

}  // namespace
