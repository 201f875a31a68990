#pragma once
// The baseline the server benchmarks are measured against in the same run:
// one copy of the whole 64 KiB offset space.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

inline void BM_SpaceCopyBaseline(benchmark::State& state) {
  std::vector<uint8_t> from(0x10000, 1), to(0x10000);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), from.size());
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
}
