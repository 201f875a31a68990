// Cost of one model step at the server's 100 Hz rate: the flight update plus
// writing every offset of the table. The baseline is a plain copy of the
// 64 KiB space, measured in the same run. At 100 Hz, 1 % of a core is a
// budget of 100 microseconds per step.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "bench/server/space_copy_baseline.h"
#include "server/aircraft_model.h"

namespace {

constexpr double STEP_S = 0.01;

std::unique_ptr<Aircraft> cruising_aircraft(std::vector<uint8_t>* space) {
  auto scenario = std::make_unique<Scenario>();
  ScenarioError error;
  std::string path = std::string(COCKPIT_SOURCE_DIR) + "/server/scenarios/ksea_kpdx.scenario";
  if (!scenario_load_file(path.c_str(), scenario.get(), &error)) return nullptr;
  auto a = std::make_unique<Aircraft>();
  aircraft_init(a.get(), scenario.get());
  while (a->phase != PHASE_CRUISE && a->time_s < 3600) aircraft_step(a.get(), 0.25, space->data());
  return a;
}

BENCHMARK(BM_SpaceCopyBaseline);

void BM_ModelStep100Hz(benchmark::State& state) {
  std::vector<uint8_t> space(0x10000);
  auto a = cruising_aircraft(&space);
  if (!a) {
    state.SkipWithError("default scenario missing");
    return;
  }
  for (auto _ : state) {
    aircraft_step(a.get(), STEP_S, space.data());
    benchmark::DoNotOptimize(space.data());
  }
  // Share of one core when stepping 100 times a second.
  state.counters["core_percent_at_100Hz"] = benchmark::Counter(
      1e-4, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ModelStep100Hz);

}  // namespace
