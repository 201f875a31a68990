#include "pfd/pfd_exchange.h"

#include "framework/link_state.h"
#include "pfd/accfg.h"
#include "pfd/pfd_convert.h"
#include "pfd/pfd_groups.h"
#include "pfd/pfd_settings.h"
#include "simlink/cells.h"
#include "simlink/simlink.h"

static int queued_reads;

static void rd(uint32_t offset, uint32_t size, void* destination) {
  uint32_t result;
  simlink_read(offset, size, destination, &result);
  ++queued_reads;
}

void pfd_queue_main_reads(PfdRaw* r, const PfdSide& side) {
  queued_reads = 0;
  rd(0x0578, 4, &r->pitch);
  rd(0x057C, 4, &r->bank);
  rd(0x2EE8, 8, &r->fd_pitch);
  rd(0x2EF0, 8, &r->fd_bank);
  rd(0x0808, 4, &r->yaw_damper);
  rd(0x07BC, 4, &r->autopilot_master);
  rd(0x2EE0, 4, &r->fd_active);
  rd(0x07D0, 4, &r->altitude_hold);
  rd(0x2AB0, 4, &r->glideslope_deviation);
  rd(0x0C4C, 1, &r->glideslope_alive);
  rd(0x0BAC, 2, &r->marker_inner);
  rd(0x0BAE, 2, &r->marker_middle);
  rd(0x0BB0, 2, &r->marker_outer);
  rd(0x0330, 2, &r->baro);
  rd(0x3324, 4, &r->indicated_altitude);
  rd(0x0020, 4, &r->ground_elevation);
  rd(0x6020, 8, &r->gps_altitude);
  rd(0x31E4, 4, &r->radio_altitude);
  rd(0x0570, 8, &r->altitude_unused);
  rd(0x07D4, 4, &r->selected_altitude);
  rd(0x0C18, 2, &r->unused_0c18);
  rd(0x0C6A, 2, &r->adf1_bearing);
  rd(0x0C6A, 2, &r->adf1_bearing);
  rd(0x303E, 6, r->adf_ident);
  rd(0x02D8, 2, &r->adf2_bearing);
  rd(0x3000, 6, r->vor1_ident);
  rd(0x301F, 6, r->vor2_ident);
  rd(0x0C29, 5, r->unused_0c29);
  rd(0x0C33, 5, r->unused_0c33);
  rd(0x0C50, 2, &r->nav1_radial);
  rd(0x0C60, 2, &r->nav2_radial);
  rd(0x0C4A, 1, &r->unused_0c4a);
  rd(0x0C5A, 1, &r->unused_0c5a);
  rd(0x0300, 2, &r->dme1_distance);
  rd(0x0306, 2, &r->dme2_distance);
  rd(0x0580, 4, &r->heading);
  rd(0x02A0, 2, &r->magnetic_variation);
  rd(0x3300, 2, &r->nav_flags);
  rd(0x0C4E, 2, &r->nav1_course);
  rd(0x0C5E, 2, &r->nav2_course);
  rd(0x2AAC, 4, &r->nav1_deviation);
  rd(0x2AAC, 4, &r->nav1_deviation);
  rd(0x07CC, 2, &r->heading_bug);
  rd(0x07C8, 4, &r->heading_hold);
  rd(0x0800, 4, &r->approach_hold);
  rd(0x0E92, 2, &r->wind_direction);
  rd(0x0E90, 2, &r->wind_speed);
  rd(0x132C, 4, &r->nav_gps_switch);
  rd(0x07C4, 4, &r->nav_hold);
  rd(0x0BE4, 4, &r->flaps);
  rd(0x2AB4, 4, &r->nav2_deviation);
  rd(0x6058, 8, &r->gps_cross_track);
  rd(0x6058, 8, &r->gps_cross_track);
  rd(0x281C, 4, &r->battery_master);
  rd(0x2E80, 4, &r->avionics_master);
  rd(0x0560, 8, &r->latitude);
  rd(0x0568, 8, &r->longitude);
  rd(CELL_TCAS_FLAGS, 1, &r->tcas_flags);
  rd(0x02B4, 4, &r->ground_speed);
  rd(0x02BC, 4, &r->ias);
  rd(0x11C6, 2, &r->mach);
  rd(0x07DC, 4, &r->airspeed_hold);
  rd(0x07E2, 2, &r->airspeed_target);
  rd(0x036D, 1, &r->unused_036d);
  rd(0x036C, 1, &r->unused_036c);
  rd(0x07E8, 4, &r->mach_target);
  rd(0x3070, 8, &r->acceleration);
  rd(0x07E4, 4, &r->mach_hold);
  rd(0x0366, 2, &r->on_ground);
  rd(0x02C8, 4, &r->vertical_speed);
  rd(0x07F2, 2, &r->vertical_speed_target);
  rd(side.knob_cell, 1, &r->knob_counter);
  rd(side.efis_mode_cell, 1, &r->efis_mode);
  rd(side.companion_cell, 1, &r->efis_companion);
  rd(0x6048, 8, &r->gps_distance);
  rd(0x6050, 8, &r->gps_bearing);
  rd(0x60A4, 6, r->gps_waypoint);
  rd(0x60F4, 8, &r->unused_60f4);
  rd(0x0C4B, 1, &r->nav1_to_from);
  rd(0x0C5B, 1, &r->nav2_to_from);
  rd(side.dimming_cell, 1, &r->dimming);
}

int pfd_main_read_count() { return queued_reads; }

// A lost server closes the link so that a later frame reopens it; other
// failures leave the previous values in place.
static bool lost(uint32_t result) {
  link_note_process(&g_pfd.common, false, result);
  return !g_pfd.common.connected;
}

bool pfd_reload_handshake() {
  uint8_t cell = 0;
  uint32_t result = 0;
  simlink_read(CELL_ALERT, 1, &cell, &result);
  if (!simlink_process(&result)) return !lost(result);
  g_pfd.raw.alert_cell = cell;
  if (!(cell & g_pfd.side.reload_bit)) return true;
  // The write-back follows the read in the very next batch, and only when our
  // own bit was set, so bits that peers set are erased as rarely as possible.
  uint8_t cleared = cell & static_cast<uint8_t>(~g_pfd.side.reload_bit);
  simlink_write(CELL_ALERT, 1, &cleared, &result);
  if (!simlink_process(&result)) return !lost(result);
  g_pfd.raw.alert_cell = cleared;
  accfg_load(pfd_side_config_folder(g_pfd.settings), &g_pfd.config);
  plan_geometry_update();
  return true;
}

int pfd_knob_counter_step(uint8_t* last, bool* seeded, uint8_t value) {
  if (!*seeded) {
    *seeded = true;
    *last = value;
    return 0;
  }
  if (value == *last) return 0;
  int step;
  if (*last == 255 && value == 0) step = +1;
  else if (*last == 0 && value == 255) step = -1;
  else step = value > *last ? +1 : -1;
  *last = value;
  return step;
}

bool pfd_exchange() {
  uint32_t result = 0;
  if (!pfd_reload_handshake()) return false;

  pfd_queue_main_reads(&g_pfd.raw, g_pfd.side);
  if (!simlink_process(&result)) return !lost(result);
  convert_raw(g_pfd.raw, g_pfd.config, &g_pfd.value);

  int step = pfd_knob_counter_step(&g_pfd.knob_last, &g_pfd.knob_seeded, g_pfd.raw.knob_counter);
  if (step) minimums_knob_step(step);

  if (pfd_drives_nav_gps(g_pfd.settings.side, g_pfd.raw.tcas_flags)) {
    uint32_t value = pfd_nav_gps_value(g_pfd.raw.efis_mode);
    simlink_write(OFFSET_NAV_GPS_SWITCH, 4, &value, &result);
    if (!simlink_process(&result)) return !lost(result);
  }
  return true;
}

void speed_data_exchange() {
  uint32_t result = 0;
  simlink_read(0x28C8, 8, &g_pfd.raw.unused_28c8, &result);
  simlink_read(0x28C0, 8, &g_pfd.raw.unused_28c0, &result);
  simlink_read(0x02B8, 4, &g_pfd.raw.tas, &result);
  simlink_read(0x0E8C, 2, &g_pfd.raw.outside_temperature, &result);
  if (simlink_is_open() && !simlink_process(&result)) lost(result);
  convert_raw(g_pfd.raw, g_pfd.config, &g_pfd.value);
  pfd_read_alert_cell();  // bit 6 picks the Mach tape
}

uint8_t pfd_read_alert_cell() {
  uint32_t result = 0;
  uint8_t cell = g_pfd.raw.alert_cell;
  if (!simlink_is_open()) return cell;
  simlink_read(CELL_ALERT, 1, &cell, &result);
  if (simlink_process(&result)) g_pfd.raw.alert_cell = cell;
  else lost(result);
  return g_pfd.raw.alert_cell;
}
