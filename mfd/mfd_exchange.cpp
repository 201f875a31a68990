#include "mfd/mfd_exchange.h"

#include "mfd/mfd_convert.h"
#include "mfd/map_logic.h"
#include "mfd/mfd_pages.h"
#include "mfd/mfd_role.h"
#include "mfd/mfd_state.h"
#include "simlink/cells.h"
#include "nav/nav_geodesy.h"
#include "simlink/simlink.h"

namespace {

constexpr uint8_t ALERT_RELOAD_BOTH = ALERT_RELOAD_CAPT | ALERT_RELOAD_FO;

int queued;

// One read request whose size is its destination's.
template <typename T>
void queue(uint32_t offset, T& destination) {
  uint32_t result;
  simlink_read(offset, sizeof destination, &destination, &result);
  ++queued;
}

}  // namespace

int mfd_queue_main_reads(MfdRaw* r, int32_t mode) {
  queued = 0;
  const DuCells cells = du_cells(mode);
  queue(0x07CC, r->autopilot_heading_setting);
  // Fuel: capacities, levels, weight per gallon.
  queue(0x0B80, r->left_tank_capacity);
  queue(0x0B98, r->right_tank_capacity);
  queue(0x0B78, r->fuselage_tank_capacity);
  queue(0x0B7C, r->left_tank_level);
  queue(0x0B94, r->right_tank_level);
  queue(0x0B74, r->fuselage_tank_level);
  queue(0x0AF4, r->fuel_weight);
  // Oil, fuel flow.
  queue(0x0950, r->right_oil_temperature);
  queue(0x08B8, r->left_oil_temperature);
  queue(0x3B60, r->left_oil_pressure);
  queue(0x3AA0, r->right_oil_pressure);
  queue(0x2060, r->left_fuel_flow);
  queue(0x2160, r->right_fuel_flow);
  // Spoilers, flaps, trims.
  queue(0x0BD4, r->left_spoiler_position);
  queue(0x0BD8, r->right_spoiler_position);
  queue(0x0BE4, r->flap_position);
  queue(0x0BDC, r->flap_control);
  queue(0x2EA0, r->elevator_trim);
  queue(0x2EB0, r->aileron_trim);
  queue(0x2EC0, r->rudder_trim);
  // Electrical, hydraulic.
  queue(0x2880, r->left_bus_voltage);
  queue(0x2890, r->right_bus_voltage);
  queue(0x2888, r->left_generator_current);
  queue(0x2898, r->right_generator_current);
  queue(0x2870, r->emergency_bus_voltage);
  queue(0x08D8, r->left_hydraulic_pressure);
  queue(0x0970, r->right_hydraulic_pressure);
  // Air data and wind.
  queue(0x02C8, r->vertical_speed);
  queue(0x3324, r->indicated_altitude);
  queue(0x02A0, r->magnetic_variation);
  queue(0x02B4, r->ground_speed);
  queue(0x02BC, r->indicated_airspeed);
  queue(0x02B8, r->true_airspeed);
  queue(0x28D0, r->air_temperature);
  queue(0x0E92, r->wind_value_a);
  queue(0x0E90, r->wind_value_b);
  // The heading setting again (the 38th request), as the batch always had
  // it; the same value lands in the same member.
  queue(0x07CC, r->autopilot_heading_setting);
  // Heading, navigation ident, power, position.
  queue(0x0580, r->heading);
  queue(0x3000, r->navigation_ident);
  queue(0x281C, r->battery_switch);
  queue(0x2E80, r->avionics_switch);
  queue(0x0560, r->latitude);
  queue(0x0568, r->longitude);
  // Engines.
  queue(0x0898, r->left_n1);
  queue(0x0930, r->right_n1);
  queue(0x0896, r->left_n2);
  queue(0x092E, r->right_n2);
  queue(0x2038, r->left_itt);
  queue(0x2138, r->right_itt);
  queue(0x0E8C, r->outside_air_temperature);
  // GPS and the clock for the map's data block.
  queue(0x6048, r->gps_distance);
  queue(0x60E8, r->gps_arrival_time);
  queue(0x0238, r->clock_hour);
  queue(0x0239, r->clock_minute);
  queue(0x023A, r->clock_second);
  queue(0x6050, r->gps_value_c);
  queue(0x6058, r->gps_value_d);
  queue(0x60A4, r->gps_next_waypoint);
  queue(0x60F4, r->gps_value_e);
  // Radio, navigation and sync flags, spoiler control.
  queue(0x3300, r->radio_flags);
  queue(0x0300, r->navigation_value);
  queue(0x330C, r->sync_flags);
  queue(0x0BD0, r->spoiler_control);
  // This display's cells, by the mode setting, not by the page shown.
  queue(cells.knob, r->knob_counter);
  queue(cells.softkeys, r->soft_key_bits);
  queue(cells.dimming, r->brightness);
  // What the crew-alert conditions need.
  queue(0x3366, r->engine_fire_flags);
  queue(0x0BC8, r->parking_brake);
  queue(0x0BE8, r->gear_control);
  queue(0x207C, r->left_engine_value);
  queue(0x217C, r->right_engine_value);
  queue(0x0BCC, r->spoiler_arm);
  queue(0x0366, r->on_ground);
  queue(0x3367, r->door_flags);
  queue(0x088C, r->left_thrust_lever);
  queue(0x0924, r->right_thrust_lever);
  queue(0x08F8, r->left_fuel_pressure);
  queue(0x0990, r->right_fuel_pressure);
  queue(0x3AF0, r->left_engine_combustion);
  queue(0x3A30, r->right_engine_combustion);
  queue(0x0892, r->left_starter_switch);
  queue(0x092A, r->right_starter_switch);
  queue(0x029C, r->pitot_heat_switch);
  // A DU3 also reads the first officer's EFIS companion byte; nothing uses it.
  if (mode != MFD_MODE_EICAS) queue(CELL_FO_EFIS_COMPANION, r->du3_companion);
  return queued;
}

void mfd_knob_cell_step(uint8_t counter) {
  CounterStep step = counter_step(&g_mfd.knob_reader, counter);
  if (step == STEP_UP) g_mfd.bezel.knob_increment = true;
  if (step == STEP_DOWN) g_mfd.bezel.knob_decrement = true;
}

bool mfd_exchange_alert_cell(uint32_t* result) {
  bool announce = g_mfd.mfd_shown && g_mfd.accfg_rewrite_pending;
  if (!announce) {
    // The EICAS keeps the byte as read (its own bits are its alert list's).
    uint8_t cell = 0;
    if (!(simlink_read(CELL_ALERT, 1, &cell, result) && simlink_process(result))) return false;
    g_mfd.raw.alert_cell = cell;
    return true;
  }
  // Read, set both reload bits, write back only when that changed the byte,
  // so a PFD's clearing or the hardware's acknowledge is never undone.
  uint8_t cell = g_mfd.raw.alert_cell;
  if (!update_shared_bits(CELL_ALERT, ALERT_RELOAD_BOTH, ALERT_RELOAD_BOTH, &cell, result)) return false;
  g_mfd.raw.alert_cell = cell;
  g_mfd.accfg_rewrite_pending = false;
  return true;
}

bool mfd_exchange(uint32_t* result) {
  *result = 0;
  mfd_queue_main_reads(&g_mfd.raw, g_mfd.mode);
  if (!simlink_process(result)) return false;
  mfd_knob_cell_step(g_mfd.raw.knob_counter);

  uint8_t reversion = g_mfd.raw.reversion_cell;
  if (!(simlink_read(CELL_REVERSION, 1, &reversion, result) && simlink_process(result))) return false;
  g_mfd.raw.reversion_cell = reversion;
  mfd_role_update(reversion);

  return mfd_exchange_alert_cell(result);
}

void mfd_convert() {
  mfd_convert_values(g_mfd.raw, g_mfd.limits, &g_mfd.value);
  DisplayPower& p = g_mfd.power;
  p.battery_on = g_mfd.raw.battery_switch;
  p.avionics_on = g_mfd.raw.avionics_switch;
  p.brightness = g_mfd.raw.brightness;
  bezel_soft_key_byte(&g_mfd.bezel, g_mfd.raw.soft_key_bits);
}

bool mfd_exchange_map(uint32_t* result) {
  int32_t source = g_mfd.map.navigation_source;
  uint8_t alert = g_mfd.raw.alert_cell;
  if (!(simlink_read(OFFSET_NAV_GPS_SWITCH, sizeof source, &source, result) &&
        simlink_read(CELL_ALERT, sizeof alert, &alert, result) && simlink_process(result)))
    return false;
  g_mfd.map.navigation_source = source;
  g_mfd.raw.alert_cell = alert;
  return true;
}

namespace {

constexpr uint32_t TRAFFIC_INDICATORS = 0xF008;
constexpr uint32_t TRAFFIC_RECORDS = 0xF084;
constexpr uint32_t TRAFFIC_RECORD_SIZE = 40;
constexpr uint32_t TRAFFIC_LONGITUDE = 4, TRAFFIC_ALTITUDE = 8, TRAFFIC_VERTICAL_SPEED = 16;

// One slot: its indicator and its record are read in one batch, and the
// record is taken only when the indicator changed since the slot's last
// visit; an empty slot (indicator 0) keeps nothing.
bool refresh_slot(uint32_t* result) {
  MapTraffic& t = g_mfd.traffic;
  if (t.cursor < 0 || t.cursor >= TRAFFIC_SLOT_COUNT) t.cursor = 0;
  TrafficSlot& slot = t.slot[t.cursor];
  const uint32_t record = TRAFFIC_RECORDS + TRAFFIC_RECORD_SIZE * static_cast<uint32_t>(t.cursor);
  uint8_t range = t.range_cell, band = t.band_cell, indicator = slot.indicator;
  float latitude = 0, longitude = 0, altitude = 0;
  int16_t vertical_speed = 0;
  bool ok = simlink_read(CELL_TCAS_RANGE, 1, &range, result) && simlink_read(CELL_TCAS_BAND, 1, &band, result) &&
            simlink_read(TRAFFIC_INDICATORS + t.cursor, 1, &indicator, result) &&
            simlink_read(record, 4, &latitude, result) &&
            simlink_read(record + TRAFFIC_LONGITUDE, 4, &longitude, result) &&
            simlink_read(record + TRAFFIC_ALTITUDE, 4, &altitude, result) &&
            simlink_read(record + TRAFFIC_VERTICAL_SPEED, 2, &vertical_speed, result) && simlink_process(result);
  if (!ok) return false;
  t.range_cell = range;
  t.band_cell = band;
  t.range = traffic_range(range);
  if (indicator != slot.indicator) {
    slot.latitude = latitude;
    slot.longitude = longitude;
    slot.altitude = altitude;
    slot.vertical_speed = vertical_speed;
  }
  slot.indicator = indicator;
  t.cursor = (t.cursor + 1) % TRAFFIC_SLOT_COUNT;
  return true;
}

}  // namespace

void mfd_traffic_classify() {
  MapTraffic& t = g_mfd.traffic;
  const MfdValues& v = g_mfd.value;
  t.band = traffic_band(t.band_cell, t.band);
  t.threat = false;
  // Every slot: a freed slot in the middle of the table hides nothing after it.
  for (TrafficSlot& s : t.slot) {
    s.threat_class = TRAFFIC_OTHER;
    if (s.indicator == 0) continue;
    const double d = nav_distance(v.latitude, v.longitude, s.latitude, s.longitude);
    s.distance = static_cast<float>(d);
    s.display_course =
        static_cast<float>(nav_map_course(v.latitude, v.longitude, s.latitude, s.longitude, d) + v.magnetic_variation);
    s.threat_class = traffic_class(d, g_mfd.raw.indicated_altitude - static_cast<double>(s.altitude));
    if (s.threat_class != TRAFFIC_OTHER) t.threat = true;
  }
}

bool mfd_traffic_step(uint32_t* result) {
  MapTraffic& t = g_mfd.traffic;
  const bool top = g_mfd.menu_level == MFD_MENU_TOP;
  t.range = traffic_range(t.range_cell);
  t.display_active = top && ((!t.automatic && g_mfd.tcas_flag) || (t.automatic && t.threat));
  const bool connected = g_mfd.common.connected;
  if (connected) {
    uint8_t flags = t.flags_cell;
    if (!(simlink_read(CELL_TCAS_FLAGS, 1, &flags, result) && simlink_process(result))) return false;
    t.flags_cell = flags;
    t.automatic = flags & TCAS_FLAG_TA_AUTO;
  }
  t.drawn = false;
  if (!t.display_active && !t.automatic) return true;
  if (connected && !refresh_slot(result)) return false;
  mfd_traffic_classify();
  // The button acts from the top menu only, and the picture follows it.
  t.drawn = top && ((t.automatic && t.threat) || (!t.automatic && g_mfd.tcas_flag));
  return true;
}
