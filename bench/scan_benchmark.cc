// The scan alone, over buffers already in cache and holding no record, in
// bytes per second: find_old_block beside a plain check() on every block.

#include <cstddef>
#include <vector>

#include <benchmark/benchmark.h>

#include "patch.h"
#include "scan.h"

namespace {

std::vector<unsigned char> target_without_record(std::size_t size) {
  std::vector<unsigned char> data(size);
  for (std::size_t i = 0; i < size; ++i) {
    data[i] = static_cast<unsigned char>(i * 31 + 17);
  }
  return data;
}

void BM_FindOldBlock(benchmark::State& state) {
  const auto data =
      target_without_record(static_cast<std::size_t>(state.range(0)));
  // The loop variable is Google Benchmark's idiom and is never read.
  // NOLINTNEXTLINE(clang-analyzer-deadcode.DeadStores)
  for (auto _ : state) {
    benchmark::DoNotOptimize(find_old_block(data.data(), data.size()));
  }
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

void BM_CheckEveryBlock(benchmark::State& state) {
  const auto data =
      target_without_record(static_cast<std::size_t>(state.range(0)));
  // The loop variable is Google Benchmark's idiom and is never read.
  // NOLINTNEXTLINE(clang-analyzer-deadcode.DeadStores)
  for (auto _ : state) {
    std::size_t found = data.size();
    for (std::size_t at = 0; at + size_of_sequence <= data.size();
         at += size_of_sequence) {
      if (check(data.data() + at) == 1) {
        found = at;
        break;
      }
    }
    benchmark::DoNotOptimize(found);
  }
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

// 4 KiB to the program's 512 KiB piece.
BENCHMARK(BM_FindOldBlock)->RangeMultiplier(8)->Range(4 << 10, 512 << 10);
BENCHMARK(BM_CheckEveryBlock)->RangeMultiplier(8)->Range(4 << 10, 512 << 10);

}  // namespace

BENCHMARK_MAIN();
