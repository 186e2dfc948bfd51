// One batch line to its JSON reading, the work namori-cli --batch does per
// line.
#include <benchmark/benchmark.h>

#include <string>

#include "cli_reading.h"

namespace {

void BM_JsonReading(benchmark::State& state) {
  std::string out;
  for (auto _ : state) {
    namori::cli::batchLine(u8"山田 太郎", 1, false, &out);
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_JsonReading);

}  // namespace
