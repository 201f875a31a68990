#include "pfd/pfd_exchange.h"

#include "framework/link_state.h"
#include "pfd/accfg.h"
#include "pfd/minimums.h"
#include "pfd/pfd_convert.h"
#include "pfd/pfd_groups.h"
#include "pfd/pfd_settings.h"
#include "simlink/cells.h"
#include "simlink/simlink.h"

namespace {

constexpr uint32_t OFFSET_BARO_SETTING = 0x0330;

int queued_reads;

// One read request whose size is its destination's.
template <typename T>
void queue_read(uint32_t offset, T& destination) {
  uint32_t result;
  simlink_read(offset, sizeof destination, &destination, &result);
}

// The one lost-link rule: a lost server closes the link (a later frame
// reopens it); any other failure leaves the previous values. True while the
// link is still open.
bool still_connected(uint32_t result) {
  link_note_process(&g_pfd.common, false, result);
  return g_pfd.common.connected;
}

// The alert cell 0x73D5, read alone into raw.alert_cell; false when it was not read.
bool exchange_alert_cell() {
  if (!g_pfd.common.connected) return false;
  uint8_t cell = 0;
  uint32_t result = 0;
  if (simlink_read(CELL_ALERT, 1, &cell, &result) && simlink_process(&result)) {
    g_pfd.raw.alert_cell = cell;
    return true;
  }
  still_connected(result);
  return false;
}

}  // namespace

void pfd_queue_main_reads(PfdRaw* r, const PfdSide& side) {
  queued_reads = 0;
  auto read = [](uint32_t offset, auto& destination) {
    queue_read(offset, destination);
    ++queued_reads;
  };
  // Attitude and flight director.
  read(0x0578, r->pitch);
  read(0x057C, r->bank);
  read(0x2EE8, r->fd_pitch);
  read(0x2EF0, r->fd_bank);
  // Yaw damper, autopilot, flight director and altitude hold engaged.
  read(0x0808, r->yaw_damper);
  read(0x07BC, r->autopilot_master);
  read(0x2EE0, r->fd_active);
  read(0x07D0, r->altitude_hold);
  // Glideslope and marker beacons.
  read(0x2AB0, r->glideslope_deviation);
  read(0x0C4C, r->glideslope_alive);
  read(0x0BAC, r->marker_inner);
  read(0x0BAE, r->marker_middle);
  read(0x0BB0, r->marker_outer);
  // Barometric setting and the altitudes.
  read(0x0330, r->baro);
  read(0x3324, r->indicated_altitude);
  read(0x0020, r->ground_elevation);
  read(0x6020, r->gps_altitude);
  read(0x31E4, r->radio_altitude);
  // Selected altitude; 0x0570 and 0x0C18 are read and not used.
  read(0x0570, r->altitude_unused);
  read(0x07D4, r->selected_altitude);
  read(0x0C18, r->unused_0c18);
  // ADF bearings and identifier. 0x0C6A, 0x2AAC and 0x6058 are each read
  // twice, as the batch always has been; the second read lands the same
  // value in the same member.
  read(0x0C6A, r->adf1_bearing);
  read(0x0C6A, r->adf1_bearing);
  read(0x303E, r->adf_ident);
  read(0x02D8, r->adf2_bearing);
  // VOR identifiers; 0x0C29 and 0x0C33 are read and not used.
  read(0x3000, r->vor1_ident);
  read(0x301F, r->vor2_ident);
  read(0x0C29, r->unused_0c29);
  read(0x0C33, r->unused_0c33);
  // Radials; 0x0C4A and 0x0C5A are read and not used.
  read(0x0C50, r->nav1_radial);
  read(0x0C60, r->nav2_radial);
  read(0x0C4A, r->unused_0c4a);
  read(0x0C5A, r->unused_0c5a);
  // DME distances.
  read(0x0300, r->dme1_distance);
  read(0x0306, r->dme2_distance);
  // Heading, variation, navigation flags.
  read(0x0580, r->heading);
  read(0x02A0, r->magnetic_variation);
  read(0x3300, r->nav_flags);
  // Courses and NAV1 deviation (read twice).
  read(0x0C4E, r->nav1_course);
  read(0x0C5E, r->nav2_course);
  read(0x2AAC, r->nav1_deviation);
  read(0x2AAC, r->nav1_deviation);
  // Heading bug and the lateral holds.
  read(0x07CC, r->heading_bug);
  read(0x07C8, r->heading_hold);
  read(0x0800, r->approach_hold);
  // Wind.
  read(0x0E92, r->wind_direction);
  read(0x0E90, r->wind_speed);
  // NAV/GPS switch, NAV hold, flaps, NAV2 deviation.
  read(0x132C, r->nav_gps_switch);
  read(0x07C4, r->nav_hold);
  read(0x0BE4, r->flaps);
  read(0x2AB4, r->nav2_deviation);
  // GPS cross-track (read twice).
  read(0x6058, r->gps_cross_track);
  read(0x6058, r->gps_cross_track);
  // Battery and avionics masters.
  read(0x281C, r->battery_master);
  read(0x2E80, r->avionics_master);
  // Position.
  read(0x0560, r->latitude);
  read(0x0568, r->longitude);
  // The coupling bit.
  read(CELL_TCAS_FLAGS, r->tcas_flags);
  // Speeds.
  read(0x02B4, r->ground_speed);
  read(0x02BC, r->ias);
  read(0x11C6, r->mach);
  // Speed holds and targets; 0x036D and 0x036C are read and not used.
  read(0x07DC, r->airspeed_hold);
  read(0x07E2, r->airspeed_target);
  read(0x036D, r->unused_036d);
  read(0x036C, r->unused_036c);
  read(0x07E8, r->mach_target);
  // Acceleration, Mach hold, on the ground.
  read(0x3070, r->acceleration);
  read(0x07E4, r->mach_hold);
  read(0x0366, r->on_ground);
  // Vertical speed and its target.
  read(0x02C8, r->vertical_speed);
  read(0x07F2, r->vertical_speed_target);
  // The side's cells: minimums knob, EFIS mode byte, its companion (not used).
  read(side.knob_cell, r->knob_counter);
  read(side.efis_mode_cell, r->efis_mode);
  read(side.companion_cell, r->efis_companion);
  // GPS: next waypoint; 0x60F4 is read and not used.
  read(0x6048, r->gps_distance);
  read(0x6050, r->gps_bearing);
  read(0x60A4, r->gps_waypoint);
  read(0x60F4, r->unused_60f4);
  // TO/FROM flags, and the side's dimming.
  read(0x0C4B, r->nav1_to_from);
  read(0x0C5B, r->nav2_to_from);
  read(side.dimming_cell, r->dimming);
}

int pfd_main_read_count() { return queued_reads; }

bool pfd_reload_handshake() {
  if (!exchange_alert_cell()) return g_pfd.common.connected;
  const uint8_t cell = g_pfd.raw.alert_cell;
  if (!(cell & g_pfd.side.reload_bit)) return true;
  // The write-back follows the read in the very next batch, and only when our
  // own bit was set, so bits that peers set are erased as rarely as possible.
  uint8_t cleared = cell & static_cast<uint8_t>(~g_pfd.side.reload_bit);
  uint32_t result = 0;
  if (!(simlink_write(CELL_ALERT, 1, &cleared, &result) && simlink_process(&result))) return still_connected(result);
  g_pfd.raw.alert_cell = cleared;
  accfg_load(pfd_side_config_folder(g_pfd.settings), &g_pfd.config);
  plan_geometry_update();
  return true;
}

bool pfd_exchange_main() {
  if (!pfd_reload_handshake()) return false;

  uint32_t result = 0;
  pfd_queue_main_reads(&g_pfd.raw, g_pfd.side);
  if (!simlink_process(&result)) return still_connected(result);
  convert_main_batch(g_pfd.raw, g_pfd.config, &g_pfd.value);

  CounterStep step = counter_step(&g_pfd.knob_reader, g_pfd.raw.knob_counter);
  if (step != STEP_NONE) minimums_knob_step(step);

  if (side_drives_nav_gps(g_pfd.settings.side, g_pfd.raw.tcas_flags)) {
    uint32_t value = pfd_nav_gps_value(g_pfd.raw.efis_mode);
    if (!(simlink_write(OFFSET_NAV_GPS_SWITCH, sizeof value, &value, &result) && simlink_process(&result)))
      return still_connected(result);
  }
  return true;
}

void pfd_exchange_bearing_sources() {
  if (!g_pfd.common.connected) return;
  uint32_t result = 0;
  uint8_t sources[2] = {g_pfd.raw.bearing1_source, g_pfd.raw.bearing2_source};
  if (simlink_read(g_pfd.side.bearing1_cell, 1, &sources[0], &result) &&
      simlink_read(g_pfd.side.bearing2_cell, 1, &sources[1], &result) && simlink_process(&result)) {
    g_pfd.raw.bearing1_source = sources[0];
    g_pfd.raw.bearing2_source = sources[1];
  } else {
    still_connected(result);
  }
}

void pfd_exchange_altitude_controls() {
  MinimumsState* m = &g_pfd.minimums;
  uint16_t baro = 0;
  // A request made while the link is closed is served without a write.
  if (minimums_baro_step(m, g_pfd.value.baro_inches, &baro) && g_pfd.common.connected) {
    uint32_t result = 0;
    if (!(simlink_write(OFFSET_BARO_SETTING, sizeof baro, &baro, &result) && simlink_process(&result)))
      still_connected(result);
  }
  if (exchange_alert_cell()) minimums_bit6_step(m, g_pfd.raw.alert_cell);
  minimums_mode_step(m);
}

void pfd_exchange_speed_data() {
  if (g_pfd.common.connected) {
    uint32_t result = 0;
    PfdRaw& r = g_pfd.raw;
    queue_read(0x28C8, r.unused_28c8);
    queue_read(0x28C0, r.unused_28c0);
    queue_read(0x02B8, r.tas);
    queue_read(0x0E8C, r.outside_temperature);
    if (!simlink_process(&result)) still_connected(result);
  }
  convert_speed_data(g_pfd.raw, &g_pfd.value);
  exchange_alert_cell();  // bit 6 picks the Mach tape
}
