// The crew-alert logic: conditions, side combination and shut-down
// suppression, flashing, acknowledgement, master bits and time-outs.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "mfd/alert_logic.h"
#include "simlink/cells.h"

namespace {

// Both engines running at cruise power in the air, every system healthy.
AlertInputs cruise() {
  AlertInputs in{};
  in.battery_on = true;
  in.pitot_heat_on = true;
  in.ias_kt = 240;
  in.pitch_trim = 1.9;
  for (int side = 0; side < 2; ++side) {
    in.n1_pct[side] = 85;
    in.fuel_pressure_psi[side] = 20;
    in.bus_voltage[side] = 28;
    in.oil_pressure_psi[side] = 90;
    in.tank_lb[side] = 2000;
    in.combustion[side] = 1;
  }
  return in;
}

// The left engine shut down on the ground: no N1, no oil or fuel pressure, no generator.
void left_shut_down(AlertInputs& in) {
  in.on_ground = true;
  in.n1_pct[0] = 0;
  in.oil_pressure_psi[0] = 0;
  in.fuel_pressure_psi[0] = 0;
  in.bus_voltage[0] = 0;
  in.combustion[0] = 0;
}

// Active lines in display order, each marked W, C or A by its table.
std::vector<std::string> active_texts(const AlertLists& l) {
  std::vector<std::string> out;
  for (int i = 0; i < WARNING_COUNT; ++i)
    if (l.warnings[i].active) out.push_back(std::string("W ") + WARNING_TEXTS[i]);
  for (int i = 0; i < CAUTION_COUNT; ++i)
    if (l.cautions[i].active) out.push_back(std::string("C ") + CAUTION_TEXTS[i]);
  for (int i = 0; i < ADVISORY_COUNT; ++i)
    if (l.advisories[i].active) out.push_back(std::string("A ") + ADVISORY_TEXTS[i]);
  return out;
}

TEST(AlertConditions, SidesCombineAfterEachShutDownSideIsSuppressed) {
  struct Case {
    const char* name;
    std::function<void(AlertInputs&)> change;
    std::vector<std::string> expected;
  };
  const std::vector<Case> cases = {
      {"healthy cruise", [](AlertInputs&) {}, {"A END"}},
      {"both generators at high power", [](AlertInputs& in) { in.bus_voltage[0] = in.bus_voltage[1] = 0; },
       {"W L R GEN FAIL", "A END"}},
      {"one generator at low power", [](AlertInputs& in) { in.n1_pct[0] = in.n1_pct[1] = 50; in.bus_voltage[1] = 2; },
       {"C R   GEN FAIL", "A END"}},
      {"gear down at 250 kt, fire and door", [](AlertInputs& in) { in.ias_kt = 250; in.gear_down = true; in.engine_fire = 1; in.door = 4; },
       {"W     APU FIRE", "W     ENTRY DOOR", "W     GEAR", "A END"}},
      {"both tanks low, pitot heat off", [](AlertInputs& in) { in.tank_lb[0] = 330; in.tank_lb[1] = 12; in.pitot_heat_on = false; },
       {"C L R FUEL QTY LOW", "C L R PITOT HT", "A END"}},
      {"park brake at high power is a warning", [](AlertInputs& in) { in.parking_brake = true; },
       {"W     EMER/PARK BRK", "A END"}},
      {"park brake at idle is an advisory", [](AlertInputs& in) { in.parking_brake = true; in.n1_pct[0] = in.n1_pct[1] = 30; },
       {"A     EMER/PARK BRK", "A END"}},
      {"take-off trim on the ground at high power", [](AlertInputs& in) { in.on_ground = true; in.rudder_trim_deg = -1.1; },
       {"W     TAKEOFF TRIM", "A END"}},
      {"left engine shut down on the ground", left_shut_down,
       {"A L   ENG SHUTDOWN", "A END"}},
      {"left shut down, right oil pressure low", [](AlertInputs& in) { left_shut_down(in); in.oil_pressure_psi[1] = 10; },
       {"W R   OIL PRESS LOW", "A L   ENG SHUTDOWN", "A END"}},
      {"right shut down, left generator and pump", [](AlertInputs& in) {
         in.n1_pct[1] = 0; in.combustion[1] = 0; in.bus_voltage[1] = 0; in.bus_voltage[0] = 0; in.n1_pct[0] = 10; },
       {"C L   GEN FAIL", "A R   ENG SHUTDOWN", "A L   HYD PUMP LOW", "A END"}},
      {"both shut down", [](AlertInputs& in) {
         left_shut_down(in); in.n1_pct[1] = in.oil_pressure_psi[1] = in.fuel_pressure_psi[1] = in.bus_voltage[1] = 0;
         in.combustion[1] = 0; in.spoilers_armed = true; },
       {"A     AUTOSPLR ARM", "A L R ENG SHUTDOWN", "A END"}},
      {"a starting engine is not shut down", [](AlertInputs& in) { left_shut_down(in); in.starter[0] = 1; },
       {"W L   OIL PRESS LOW", "C L   FUEL PRESS LOW", "C L   GEN FAIL", "A L   HYD PUMP LOW", "A END"}},
      {"non-finite values raise nothing", [](AlertInputs& in) {
         in.oil_pressure_psi[0] = NAN; in.tank_lb[1] = NAN; in.ias_kt = NAN; in.gear_down = true; },
       {"A END"}},
  };
  for (const Case& c : cases) {
    AlertInputs in = cruise();
    c.change(in);
    AlertLists lists{};
    alert_evaluate(in, &lists);
    EXPECT_EQ(active_texts(lists), c.expected) << c.name;
  }
}

TEST(AlertConditions, SpoilerAdvisoryLooksAtTheCautionOfThePreviousFrame) {
  AlertInputs in = cruise();
  in.spoiler_deg[0] = in.spoiler_deg[1] = 5;
  in.flaps_deg = 8;
  AlertLists lists{};
  alert_evaluate(in, &lists);
  EXPECT_EQ(active_texts(lists), (std::vector<std::string>{"C     SPOILERS EXT", "A     SPOILERS EXT", "A END"}));
  alert_evaluate(in, &lists);
  EXPECT_EQ(active_texts(lists), (std::vector<std::string>{"C     SPOILERS EXT", "A END"}));
  EXPECT_TRUE(lists.cautions[CAUT_SPOILERS_EXT].active);
}

TEST(AlertByte, FlashingAcknowledgementAndMasterBitsFrameByFrame) {
  struct Frame {
    const char* name;
    std::function<void(AlertInputs&)> change;
    uint8_t byte_read, byte_written;
    int chimes;
  };
  const uint8_t ACK = ALERT_ACKNOWLEDGE, WARN = ALERT_MASTER_WARNING, CAUT = ALERT_MASTER_CAUTION;
  const uint8_t OTHERS = ALERT_RELOAD_CAPT | ALERT_MANUAL_N1 | ALERT_PFD_CONTROL;
  const std::vector<Frame> frames = {
      {"quiet; a stale request with nothing flashing stays", [](AlertInputs&) {}, ACK, ACK, 0},
      {"a new warning clears the request before it acknowledges", [](AlertInputs& in) { in.door = 1; }, ACK | OTHERS,
       WARN | OTHERS, 1},
      {"acknowledged: the lamp stays on in this byte", [](AlertInputs& in) { in.door = 1; }, WARN | ACK, WARN, 0},
      {"and goes out one frame later", [](AlertInputs& in) { in.door = 1; }, WARN, 0, 0},
      {"three new messages, three chimes", [](AlertInputs& in) {
         in.door = 1; in.pitot_heat_on = false; in.tank_lb[0] = 100; in.spoilers_armed = true; }, 0, CAUT, 3},
      {"still flashing, no new chime", [](AlertInputs& in) {
         in.door = 1; in.pitot_heat_on = false; in.tank_lb[0] = 100; in.spoilers_armed = true; }, CAUT, CAUT, 0},
      {"a message that goes away and comes back flashes again", [](AlertInputs& in) { in.door = 0; in.pitot_heat_on = false; in.tank_lb[0] = 100; in.spoilers_armed = true; },
       CAUT, CAUT, 0},
      {"back", [](AlertInputs& in) { in.door = 1; in.pitot_heat_on = false; in.tank_lb[0] = 100; in.spoilers_armed = true; },
       CAUT, WARN | CAUT, 1},
      {"battery was off: everything is new again", [](AlertInputs& in) {
         in.battery_was_off = true; in.door = 1; in.pitot_heat_on = false; in.tank_lb[0] = 100; in.spoilers_armed = true; },
       WARN | CAUT | ACK, WARN | CAUT, 4},
  };
  AlertLists lists{};
  for (const Frame& f : frames) {
    AlertInputs in = cruise();
    f.change(in);
    alert_evaluate(in, &lists);
    int chimes = -1;
    EXPECT_EQ(alert_update_byte(&lists, f.byte_read, &chimes), f.byte_written) << f.name;
    EXPECT_EQ(chimes, f.chimes) << f.name;
    alert_advance_advisories(&lists, 0);
    EXPECT_FALSE(lists.advisories[ADV_END].flashing) << f.name;
  }
}

TEST(AlertTiming, AdvisoriesStopFlashingAfterFiveSecondsAndTheBlinkPhase) {
  AlertInputs in = cruise();
  in.spoilers_armed = true;
  AlertLists lists{};
  const struct { int64_t now; bool flashing; } steps[] = {{1000, true}, {3000, true}, {6000, true}, {6001, false}, {9000, false}};
  for (const auto& s : steps) {
    alert_evaluate(in, &lists);
    alert_update_byte(&lists, 0, nullptr);
    alert_advance_advisories(&lists, s.now);
    EXPECT_EQ(lists.advisories[ADV_AUTOSPOILER_ARM].flashing, s.flashing) << s.now;
  }
  EXPECT_FALSE(lists.advisories[ADV_AUTOSPOILER_ARM].acknowledged);

  const struct { int64_t ms; bool on; } blinks[] = {{0, false}, {499, false}, {500, false}, {501, true}, {999, true}, {1000, false}, {123456, false}, {123501, true}};
  for (const auto& b : blinks) EXPECT_EQ(alert_blink_on(b.ms), b.on) << b.ms;
}

}  // namespace
