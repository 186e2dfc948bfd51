// A typical name through code page 932 both ways, as the command line and the
// web page convert every name they read.
#include <benchmark/benchmark.h>

#include <cstring>

#include "sjis_utf8.h"

namespace {

const char kName[] = u8"髙橋　さくら";

void BM_NameToSjis(benchmark::State& state) {
  for (auto _ : state) {
    char sjis[32];
    std::size_t total = 0;
    for (const char* p = kName; std::size_t length = namori::utf8CharLength(p); p += length) {
      std::size_t sjisLength;
      namori::utf8CharToSjis(p, length, sjis + total, &sjisLength);
      total += sjisLength;
    }
    benchmark::DoNotOptimize(total);
  }
}
BENCHMARK(BM_NameToSjis);

void BM_NameToUtf8(benchmark::State& state) {
  const char sjis[] = "髙橋　さくら";
  for (auto _ : state) {
    char utf8[64];
    std::size_t length;
    namori::sjisToUtf8(sjis, std::strlen(sjis), utf8, sizeof utf8, &length);
    benchmark::DoNotOptimize(utf8[0]);
  }
}
BENCHMARK(BM_NameToUtf8);

}  // namespace
