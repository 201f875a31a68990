#pragma once
// Shared set-up of the model tests: the default scenario and a flight runner.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "server/aircraft_model.h"

inline std::string default_scenario_path() {
  return std::string(COCKPIT_SOURCE_DIR) + "/server/scenarios/ksea_kpdx.scenario";
}

inline std::unique_ptr<Scenario> load_default_scenario() {
  auto s = std::make_unique<Scenario>();
  ScenarioError error;
  bool ok = scenario_load_file(default_scenario_path().c_str(), s.get(), &error);
  EXPECT_TRUE(ok) << scenario_error_text(error);
  return s;
}

struct Flight {
  std::unique_ptr<Aircraft> aircraft = std::make_unique<Aircraft>();
  std::vector<uint8_t> space = std::vector<uint8_t>(OFFSET_SPACE_BYTES, 0);
  static constexpr size_t OFFSET_SPACE_BYTES = 0x10000;
  explicit Flight(const Scenario& s) { aircraft_init(aircraft.get(), &s); aircraft_publish(aircraft.get(), space.data()); }
  void step(double dt) { aircraft_step(aircraft.get(), dt, space.data()); }
  // Runs until the phase is reached or the time limit passes; true when reached.
  bool run_until(FlightPhase phase, double limit_s, double dt = 0.1) {
    while (aircraft->time_s < limit_s) {
      if (aircraft->phase == phase) return true;
      step(dt);
    }
    return aircraft->phase == phase;
  }
  void write(uint32_t offset, const void* bytes, uint32_t size) {
    const uint8_t* b = static_cast<const uint8_t*>(bytes);
    for (uint32_t i = 0; i < size; ++i) space[offset + i] = b[i];
    aircraft_on_write(aircraft.get(), offset, size, space.data());
  }
  double read(uint32_t offset) const {
    const OffsetEntry* e = offset_entry_at(offset);
    EXPECT_NE(e, nullptr) << std::hex << offset;
    return e ? offset_decode(*e, space.data() + offset) : 0;
  }
  std::string text(uint32_t offset, size_t size) const {
    std::string s(reinterpret_cast<const char*>(space.data() + offset), size);
    return s.substr(0, s.find('\0'));
  }
};
