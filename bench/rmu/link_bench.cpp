// The link's receiving side: a full burst of one sender (the four messages,
// five copies each: 20 datagrams) through the multicast link and drained by
// the receiver's next frame, against parsing and applying the same 20
// datagrams from memory in the same run; and a peer whose range line stays
// selected (five datagrams every frame). Counters: datagrams applied by the
// frame after the burst, datagrams lost, and the burst's cost as a multiple
// of the in-memory baseline. Runs in a private network namespace of its own
// (loopback only); without one it says so and measures nothing.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "rmu/rmu_datagram.h"
#include "rmu/rmu_link.h"
#include "rmu/rmu_state.h"
#include "tests/support/private_network.h"

namespace {

using Clock = std::chrono::steady_clock;
double baseline_seconds = 0.0;

struct Unit {
  RmuState state;
  explicit Unit(int side) {
    g_rmu = RmuState{};
    rmu_state_start_values();
    g_rmu.settings.side = side;
    g_rmu.transponder.tcas_range = 40;
    state = g_rmu;
  }
  void frame() {
    g_rmu = state;
    rmu_link_receive();
    rmu_link_send();
    state = g_rmu;
  }
  void close() {
    g_rmu = state;
    rmu_link_close();
  }
};

void raise_all(Unit* u) {
  RmuLink& l = u->state.link;
  l.send_transponder = l.send_range = l.send_band = l.send_ta_display = true;
}

void BM_BurstFromMemory(benchmark::State& state) {
  const RmuMessage messages[4] = {{'A', {0, 0, 7, 7}, 0}, {'C', {}, 6}, {'D', {}, 2}, {'B', {}, 1}};
  uint8_t datagrams[20][RMU_DATAGRAM_SIZE];
  for (int i = 0; i < 20; ++i) rmu_datagram_format(messages[i / 5], datagrams[i]);
  RmuTransponder t{};
  double total = 0;
  for (auto _ : state) {
    auto start = Clock::now();
    int applied = 0;
    for (auto& d : datagrams) applied += rmu_link_take_datagram(d, sizeof d, &t);
    benchmark::DoNotOptimize(applied);
    double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    total += seconds;
    state.SetIterationTime(seconds);
  }
  baseline_seconds = total / static_cast<double>(state.iterations());
}

void BM_BurstThroughTheLink(benchmark::State& state) {
  Unit sender(RMU_SIDE_1), receiver(RMU_SIDE_2);
  sender.frame();
  receiver.frame();
  double total = 0;
  int64_t applied = 0, lost = 0;
  for (auto _ : state) {
    auto start = Clock::now();
    raise_all(&sender);
    sender.frame();
    receiver.frame();
    double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    total += seconds;
    state.SetIterationTime(seconds);
    applied += receiver.state.link.last_frame_applied;
    lost += 20 - receiver.state.link.last_frame_applied;
  }
  double per_burst = total / static_cast<double>(state.iterations());
  state.counters["applied_next_frame"] = static_cast<double>(applied) / static_cast<double>(state.iterations());
  state.counters["lost"] = static_cast<double>(lost);
  if (baseline_seconds > 0) state.counters["x_memory_burst"] = per_burst / baseline_seconds;
  sender.close();
  receiver.close();
}

// Five datagrams every frame, 1000 frames: the receiver applies all of them,
// and a one-off TA toggle in the middle arrives.
void BM_PeerWithTheRangeLineSelected(benchmark::State& state) {
  constexpr int FRAMES = 1000;
  uint64_t lost = 0, missed_toggles = 0;
  for (auto _ : state) {
    Unit sender(RMU_SIDE_1), receiver(RMU_SIDE_2);
    sender.frame();
    receiver.frame();
    auto start = Clock::now();
    for (int frame = 0; frame < FRAMES; ++frame) {
      sender.state.link.send_range = true;
      if (frame == FRAMES / 2) sender.state.transponder.ta_mode = 1, sender.state.link.send_ta_display = true;
      sender.frame();
      receiver.frame();
    }
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    lost += sender.state.link.datagrams_sent - receiver.state.link.messages_applied;
    missed_toggles += receiver.state.transponder.ta_mode != 1;
    sender.close();
    receiver.close();
  }
  state.counters["datagrams_per_run"] = 5.0 * FRAMES + 5.0;
  state.counters["lost"] = static_cast<double>(lost);
  state.counters["missed_toggles"] = static_cast<double>(missed_toggles);
}

BENCHMARK(BM_BurstFromMemory)->UseManualTime()->MinTime(1.0);
BENCHMARK(BM_BurstThroughTheLink)->UseManualTime()->MinTime(1.0);
BENCHMARK(BM_PeerWithTheRangeLineSelected)->UseManualTime()->Iterations(20);

}  // namespace

int main(int argc, char** argv) {
  std::string why;
  if (!enter_private_network(true, &why)) {
    std::printf("rmu_link_bench: %s; nothing measured\n", why.c_str());
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
