#include "mfd/alert_logic.h"

#include <cmath>

#include "simlink/cells.h"

namespace {

constexpr double FUEL_PRESS_WARNING_PSI = 2.4;
constexpr double FUEL_PRESS_CAUTION_PSI = 5.0;
constexpr double GENERATOR_FAILED_VOLTS = 5.0;
constexpr double OIL_PRESS_WARNING_PSI = 49.0;
constexpr double GEAR_WARNING_IAS_KT = 250.0;
constexpr double SPOILER_OUT_DEG = 1.0;
constexpr double FLAPS_SPOILER_CAUTION_DEG = 3.0;
constexpr int STARTER_ON = 1;
constexpr int64_t BLINK_PERIOD_MS = 1000;
constexpr int64_t BLINK_HALF_MS = 500;

struct SidePair { int left, right, both; };

constexpr SidePair WARNING_PAIRS[] = {
    {WARN_FUEL_PRESS_L, WARN_FUEL_PRESS_R, WARN_FUEL_PRESS_LR},
    {WARN_GEN_FAIL_L, WARN_GEN_FAIL_R, WARN_GEN_FAIL_LR},
    {WARN_OIL_PRESS_L, WARN_OIL_PRESS_R, WARN_OIL_PRESS_LR},
};
constexpr SidePair CAUTION_PAIRS[] = {
    {CAUT_FUEL_PRESS_L, CAUT_FUEL_PRESS_R, CAUT_FUEL_PRESS_LR},
    {CAUT_GEN_FAIL_L, CAUT_GEN_FAIL_R, CAUT_GEN_FAIL_LR},
    {CAUT_FUEL_QTY_L, CAUT_FUEL_QTY_R, CAUT_FUEL_QTY_LR},
};
constexpr SidePair ADVISORY_PAIRS[] = {
    {ADV_ENG_SHUTDOWN_L, ADV_ENG_SHUTDOWN_R, ADV_ENG_SHUTDOWN_LR},
    {ADV_HYD_PUMP_L, ADV_HYD_PUMP_R, ADV_HYD_PUMP_LR},
};

// What a shut-down engine takes out of the list on its own side: its oil
// pressure warning, fuel pressure and generator cautions, hydraulic pump
// advisory. Index by EngineSide.
struct ShutdownSuppression { int oil_warning, fuel_caution, generator_caution, pump_advisory; };
constexpr ShutdownSuppression SHUTDOWN_SUPPRESSES[2] = {
    {WARN_OIL_PRESS_L, CAUT_FUEL_PRESS_L, CAUT_GEN_FAIL_L, ADV_HYD_PUMP_L},
    {WARN_OIL_PRESS_R, CAUT_FUEL_PRESS_R, CAUT_GEN_FAIL_R, ADV_HYD_PUMP_R},
};

template <int N>
void combine(AlertRecord (&records)[N], const SidePair& pair) {
  bool both = records[pair.left].active && records[pair.right].active;
  records[pair.both].active = both;
  if (both) records[pair.left].active = records[pair.right].active = false;
}

template <int N>
void clear_records(AlertRecord (&records)[N]) {
  for (AlertRecord& r : records) r = AlertRecord{};
}

template <int N>
bool any_flashing(const AlertRecord (&records)[N]) {
  for (const AlertRecord& r : records)
    if (r.active && r.flashing) return true;
  return false;
}

// Rising edges start flashing; returns the number of new messages. The
// record `not_a_message` ("END") is always there and never news.
template <int N>
int raise_new(AlertRecord (&records)[N], uint8_t* byte, int not_a_message = -1) {
  int count = 0;
  for (int i = 0; i < N; ++i) {
    AlertRecord& r = records[i];
    if (i != not_a_message && r.active && !r.was_active) {
      r.flashing = true;
      r.acknowledged = false;
      *byte &= static_cast<uint8_t>(~ALERT_ACKNOWLEDGE);
      ++count;
    }
  }
  return count;
}

template <int N>
void acknowledge_all(AlertRecord (&records)[N]) {
  for (AlertRecord& r : records) {
    r.flashing = false;
    r.acknowledged = true;
  }
}

void set_bit(uint8_t* byte, uint8_t bit, bool on) {
  *byte = on ? static_cast<uint8_t>(*byte | bit) : static_cast<uint8_t>(*byte & ~bit);
}

}  // namespace

AlertDerived alert_derived(const AlertInputs& in) {
  AlertDerived d{};
  for (int side = 0; side < 2; ++side) d.running[side] = in.n1_pct[side] > ENGINE_RUNNING_N1_PCT;
  d.high_power = (d.running[ENGINE_RIGHT] && in.n1_pct[ENGINE_LEFT] > HIGH_POWER_N1_PCT) ||
                 (d.running[ENGINE_LEFT] && in.n1_pct[ENGINE_RIGHT] > HIGH_POWER_N1_PCT);
  d.spoilers_out = in.spoiler_deg[ENGINE_LEFT] > SPOILER_OUT_DEG && in.spoiler_deg[ENGINE_RIGHT] > SPOILER_OUT_DEG;
  d.trim_out_of_takeoff_range = in.pitch_trim < TAKEOFF_PITCH_TRIM_MIN ||
                                std::fabs(in.rudder_trim_deg) > TAKEOFF_TRIM_MAX_DEG ||
                                std::fabs(in.aileron_trim_deg) > TAKEOFF_TRIM_MAX_DEG;
  return d;
}

void alert_evaluate(const AlertInputs& in, AlertLists* lists) {
  AlertRecord* w = lists->warnings;
  AlertRecord* c = lists->cautions;
  AlertRecord* a = lists->advisories;
  if (in.battery_was_off) {
    clear_records(lists->warnings);
    clear_records(lists->cautions);
    clear_records(lists->advisories);
  }
  // The spoiler advisory looks at the spoiler caution of the previous frame.
  const bool spoiler_caution_before = c[CAUT_SPOILERS_EXT].active;
  const AlertDerived d = alert_derived(in);
  const bool hp = d.high_power;

  w[WARN_APU_FIRE].active = in.engine_fire != 0;
  w[WARN_PARK_BRAKE].active = in.parking_brake && hp;
  w[WARN_ENTRY_DOOR].active = in.door != 0;
  w[WARN_GEAR].active = in.ias_kt >= GEAR_WARNING_IAS_KT && in.gear_down;
  w[WARN_SPOILERS_EXT].active = d.spoilers_out && hp && in.on_ground;
  w[WARN_TAKEOFF_TRIM].active = in.on_ground && hp && d.trim_out_of_takeoff_range;
  c[CAUT_SPOILERS_EXT].active = !in.on_ground && in.spoiler_deg[ENGINE_LEFT] > 0 &&
                                in.spoiler_deg[ENGINE_RIGHT] > 0 && in.flaps_deg > FLAPS_SPOILER_CAUTION_DEG;
  c[CAUT_PITOT_HEAT].active = !in.pitot_heat_on;
  a[ADV_AUTOSPOILER_ARM].active = in.spoilers_armed && !d.spoilers_out;
  a[ADV_PARK_BRAKE].active = in.parking_brake && !w[WARN_PARK_BRAKE].active;
  a[ADV_SPOILERS_EXT].active = d.spoilers_out && !spoiler_caution_before;
  a[ADV_TAKEOFF_TRIM].active = in.battery_on && in.on_ground && !hp && d.trim_out_of_takeoff_range;
  a[ADV_END].active = true;
  for (int side = 0; side < 2; ++side) {
    w[WARN_FUEL_PRESS_L + side].active = in.fuel_pressure_psi[side] < FUEL_PRESS_WARNING_PSI && hp;
    w[WARN_GEN_FAIL_L + side].active = in.bus_voltage[side] < GENERATOR_FAILED_VOLTS && hp;
    w[WARN_OIL_PRESS_L + side].active = in.oil_pressure_psi[side] < OIL_PRESS_WARNING_PSI;
    c[CAUT_FUEL_PRESS_L + side].active = in.fuel_pressure_psi[side] < FUEL_PRESS_CAUTION_PSI && !hp;
    c[CAUT_GEN_FAIL_L + side].active = in.bus_voltage[side] < GENERATOR_FAILED_VOLTS && !hp;
    c[CAUT_FUEL_QTY_L + side].active = in.tank_lb[side] <= FUEL_QTY_LOW_LB;
    a[ADV_ENG_SHUTDOWN_L + side].active = in.combustion[side] == 0.0 && in.starter[side] != STARTER_ON;
    a[ADV_HYD_PUMP_L + side].active = !d.running[side];
  }

  // Each side's shut-down first, then the sides combine: a shut-down engine
  // must not leave an "L R" line behind that names it.
  for (int side = 0; side < 2; ++side) {
    if (!a[ADV_ENG_SHUTDOWN_L + side].active) continue;
    const ShutdownSuppression& s = SHUTDOWN_SUPPRESSES[side];
    w[s.oil_warning].active = false;
    c[s.fuel_caution].active = false;
    c[s.generator_caution].active = false;
    a[s.pump_advisory].active = false;
  }
  for (const SidePair& p : WARNING_PAIRS) combine(lists->warnings, p);
  for (const SidePair& p : CAUTION_PAIRS) combine(lists->cautions, p);
  for (const SidePair& p : ADVISORY_PAIRS) combine(lists->advisories, p);
}

uint8_t alert_update_byte(AlertLists* lists, uint8_t byte_read, int* chimes) {
  uint8_t byte = byte_read;
  int count = raise_new(lists->warnings, &byte);
  count += raise_new(lists->cautions, &byte);
  count += raise_new(lists->advisories, &byte, ADV_END);
  lists->advisories[ADV_END].flashing = false;
  lists->advisories[ADV_END].acknowledged = true;
  for (AlertRecord& r : lists->warnings) r.was_active = r.active;
  for (AlertRecord& r : lists->cautions) r.was_active = r.active;

  // The master lamps show what flashes before this frame's acknowledgement,
  // so they go out one frame after it.
  set_bit(&byte, ALERT_MASTER_CAUTION, any_flashing(lists->cautions));
  set_bit(&byte, ALERT_MASTER_WARNING, any_flashing(lists->warnings));
  bool something_flashing =
      any_flashing(lists->warnings) || any_flashing(lists->cautions) || any_flashing(lists->advisories);
  if (something_flashing && (byte & ALERT_ACKNOWLEDGE)) {
    acknowledge_all(lists->warnings);
    acknowledge_all(lists->cautions);
    acknowledge_all(lists->advisories);
    byte &= static_cast<uint8_t>(~ALERT_ACKNOWLEDGE);
  }
  if (chimes) *chimes = count;
  return byte;
}

void alert_advance_advisories(AlertLists* lists, int64_t now_ms) {
  for (AlertRecord& r : lists->advisories) {
    if (r.active && r.flashing) {
      if (!r.was_active) r.first_seen_ms = now_ms;
      r.now_ms = now_ms;
      if (r.now_ms - r.first_seen_ms > ADVISORY_FLASH_MS) r.flashing = false;  // not acknowledged
    }
    r.was_active = r.active;
  }
}

bool alert_blink_on(int64_t now_ms) {
  int64_t phase = now_ms % BLINK_PERIOD_MS;
  if (phase < 0) phase += BLINK_PERIOD_MS;
  return phase > BLINK_HALF_MS;
}
