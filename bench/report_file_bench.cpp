// The cost of File output: one report replaced on disk, flushed and renamed.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>

#include "report_file.h"

namespace {

// Reports land in the current directory; the benchmark writes in a new
// folder inside it, on the same file system.
void BM_WriteReportFile(benchmark::State& state) {
  char directory[] = "namori-bench-XXXXXX";
  if (mkdtemp(directory) == nullptr || chdir(directory) != 0) {
    state.SkipWithError("no temporary directory");
    return;
  }
  const std::string report(400, 'x');  // about the size of a name report
  for (auto _ : state) {
    if (!namori::writeFileAtomically("bench.TXT", report.data(), report.size())) {
      state.SkipWithError("write failed");
      break;
    }
  }
  unlink("bench.TXT");
  if (chdir("..") == 0) rmdir(directory);
}
BENCHMARK(BM_WriteReportFile)->Unit(benchmark::kMicrosecond);

}  // namespace
