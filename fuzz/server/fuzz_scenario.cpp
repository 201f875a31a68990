// Any bytes as a scenario file: the parser must answer without a crash or an
// out-of-bounds access, and a scenario it accepts must fly a few steps.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "server/aircraft_model.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static auto scenario = std::make_unique<Scenario>();
  static auto aircraft = std::make_unique<Aircraft>();
  static std::vector<uint8_t> space(0x10000);
  ScenarioError error;
  if (scenario_parse_text(reinterpret_cast<const char*>(data), size, "fuzz", scenario.get(), &error)) {
    aircraft_init(aircraft.get(), scenario.get());
    for (int i = 0; i < 20; ++i) aircraft_step(aircraft.get(), 1.0, space.data());
  }
  return 0;
}
