// Cost of one FlightGear packet in sim_server: parsing the line, mapping it
// onto the quantities and writing every offset of the table. The baseline is
// a plain copy of the 64 KiB space, measured in the same run. FlightGear
// sends 30 packets a second.
#include <benchmark/benchmark.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "bench/server/space_copy_baseline.h"
#include "server/flightgear_map.h"

namespace {

BENCHMARK(BM_SpaceCopyBaseline);

void BM_FlightGearPacket(benchmark::State& state) {
  std::ifstream in(std::string(COCKPIT_SOURCE_DIR) + "/tests/server/data/fg_stream.txt");
  std::string line;
  std::getline(in, line);
  static FgPacket packet;
  static ModelValues values;
  if (!fg_parse_packet(line.data(), line.size(), &packet)) {
    state.SkipWithError("recorded stream missing or unreadable");
    return;
  }
  std::vector<uint8_t> space(0x10000);
  FgDerived derived{0, 1};
  for (auto _ : state) {
    fg_parse_packet(line.data(), line.size(), &packet);
    fg_apply_packet(packet, derived, &values);
    offset_table_write(values, space.data());
    benchmark::DoNotOptimize(space.data());
  }
  // Share of one core when 30 packets come every second.
  state.counters["core_percent_at_30Hz"] =
      benchmark::Counter(1.0 / 3000, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_FlightGearPacket);

}  // namespace
