// One batch line to its JSON reading, the work namori-cli --batch does per
// line: the line split from the input, read and written as JSON.
#include <benchmark/benchmark.h>

#include <string_view>

#include "utf8_reading.h"

namespace {

void BM_JsonReading(benchmark::State& state) {
  namori::text::BatchReader reader(false);
  const namori::text::BatchReader::Emit emit = [](std::string_view out) {
    benchmark::DoNotOptimize(out.data());
    return true;
  };
  for (auto _ : state) reader.feed(u8"山田 太郎\n", emit);
}
BENCHMARK(BM_JsonReading);

}  // namespace
