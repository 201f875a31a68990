// The map's in-range refresh with whole-world lists (27,000 navaids, 34,000
// airports): the latitude-banded selection the map uses, against a scan of
// the whole list in the same run. The map refreshes one list on a frame at
// most (navaids on the first of four frames, airports on the fourth), so a
// row's time is the most one frame spends on it.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "nav/nav_map_range.h"

namespace {

constexpr size_t WORLD_NAVAIDS = 27000, WORLD_AIRPORTS = 34000;
const double RANGES_NM[] = {25, 100, 1000};

// Records spread over the globe, two thirds of them in the northern
// mid-latitudes where the traffic is.
std::vector<NavRecord> world(size_t count, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<float> lon(-180, 180), lat(-60, 75), busy(25, 60);
  std::vector<NavRecord> list(count);
  for (size_t i = 0; i < count; ++i) {
    list[i].latitude = i % 3 ? busy(random) : lat(random);
    list[i].longitude = lon(random);
    list[i].runway_ok = i % 4 == 0;
  }
  return list;
}

std::vector<NavRecord>& navaids() {
  static std::vector<NavRecord> list = world(WORLD_NAVAIDS, 1);
  return list;
}
std::vector<NavRecord>& airports() {
  static std::vector<NavRecord> list = world(WORLD_AIRPORTS, 2);
  return list;
}

NavMapOrigin olympia(benchmark::State& state) { return {46.97, -122.9, 15.6, RANGES_NM[state.range(0)]}; }

void BM_NavaidsBanded(benchmark::State& state) {
  NavLatitudeIndex index{};
  NavMapSelection out{};
  for (auto _ : state) {
    nav_map_select(navaids(), &index, olympia(state), NAV_FILTER_ALL, &out);
    benchmark::DoNotOptimize(out.count);
  }
  state.counters["in_range"] = out.in_range;
}
void BM_NavaidsWholeScan(benchmark::State& state) {
  NavMapSelection out{};
  for (auto _ : state) {
    nav_map_select_scan(navaids(), olympia(state), NAV_FILTER_ALL, &out);
    benchmark::DoNotOptimize(out.count);
  }
  state.counters["in_range"] = out.in_range;
}
void BM_AirportsBanded(benchmark::State& state) {
  NavLatitudeIndex index{};
  NavMapSelection out{};
  for (auto _ : state) {
    nav_map_select(airports(), &index, olympia(state), NAV_FILTER_DRAWABLE_AIRPORT, &out);
    benchmark::DoNotOptimize(out.count);
  }
  state.counters["in_range"] = out.in_range;
}
void BM_AirportsWholeScan(benchmark::State& state) {
  NavMapSelection out{};
  for (auto _ : state) {
    nav_map_select_scan(airports(), olympia(state), NAV_FILTER_DRAWABLE_AIRPORT, &out);
    benchmark::DoNotOptimize(out.count);
  }
  state.counters["in_range"] = out.in_range;
}

BENCHMARK(BM_NavaidsWholeScan)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NavaidsBanded)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AirportsWholeScan)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AirportsBanded)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

}  // namespace
