#include "rmu/rmu_exchange.h"

#include "framework/link_state.h"
#include "rmu/rmu_convert.h"
#include "rmu/rmu_input.h"
#include "rmu/rmu_sim_words.h"
#include "simlink/cells.h"
#include "simlink/simlink.h"

namespace {

int queued_reads;

// One read request whose size is its destination's.
template <typename T>
void read(uint32_t offset, T& destination) {
  uint32_t result = 0;
  if (simlink_read(offset, sizeof destination, &destination, &result)) ++queued_reads;
}

// The one lost-link rule: a lost server closes the link (a later frame
// reopens it); any other failure leaves the previous values.
void note(bool ok, uint32_t result) { link_note_process(&g_rmu.common, ok, result); }

}  // namespace

int rmu_queue_read_set(RmuRaw* r, int side, bool simulator_master) {
  queued_reads = 0;
  const RmuRadioWords words = rmu_radio_words(side);
  const RmuCells cells = rmu_cells(side);
  if (simulator_master) {
    read(words.com_active, r->com_active);
    read(words.com_standby, r->com_standby);
    read(words.nav_active, r->nav_active);
    read(words.nav_standby, r->nav_standby);
    read(OFFSET_ADF_MAIN, r->adf_main);
    read(OFFSET_ADF_EXTENSION, r->adf_extension);
    read(OFFSET_TRANSPONDER, r->transponder);
  }
  read(OFFSET_ADF_MAIN, r->adf_main_seen);
  read(OFFSET_ADF_EXTENSION, r->adf_extension_seen);
  read(OFFSET_TRANSPONDER_STANDBY, r->transponder_standby);
  // Engines: N1, N2, ITT, oil pressure and temperature, fuel flow.
  read(0x0898, r->n1[0]);
  read(0x0930, r->n1[1]);
  read(0x0896, r->n2[0]);
  read(0x092E, r->n2[1]);
  read(0x2038, r->itt[0]);
  read(0x2138, r->itt[1]);
  read(0x3B60, r->oil_pressure[0]);
  read(0x3AA0, r->oil_pressure[1]);
  read(0x08B8, r->oil_temperature[0]);
  read(0x0950, r->oil_temperature[1]);
  read(0x2060, r->fuel_flow[0]);
  read(0x2160, r->fuel_flow[1]);
  // Main tanks: level and capacity.
  read(0x0B7C, r->left_tank_level);
  read(0x0B80, r->left_tank_capacity);
  read(0x0B94, r->right_tank_level);
  read(0x0B98, r->right_tank_capacity);
  // Hydraulics, flaps, spoilers, trims, air temperature.
  read(0x08D8, r->hydraulic);
  read(0x0BE4, r->flaps);
  read(0x0BD4, r->spoilers);
  read(0x2EA0, r->elevator_trim);
  read(0x2EB0, r->aileron_trim);
  read(0x2EC0, r->rudder_trim);
  read(0x28D0, r->air_temperature);
  // Flight ID and ATC altitude.
  read(0x313C, r->flight_id);
  read(0x6020, r->atc_altitude);
  // Heading and variation.
  read(0x0580, r->heading);
  read(0x02A0, r->magnetic_variation);
  // NAV1: needles, TO/FROM, course, bearings, markers, DME and identity.
  read(0x0C48, r->localiser);
  read(0x0C49, r->glideslope);
  read(0x0C4B, r->to_from);
  read(OFFSET_NAV1_COURSE, r->nav1_course);
  read(0x0C56, r->vor_bearing);
  read(0x0C60, r->bearing_0c60);
  read(0x0BAC, r->marker_inner);
  read(0x0BAE, r->marker_middle);
  read(0x0BB0, r->marker_outer);
  read(0x0300, r->dme);
  read(0x303E, r->identity);
  read(0x3300, r->nav_flags);
  // Battery, ident, the band byte and the side's button cells.
  read(OFFSET_BATTERY, r->battery);
  read(OFFSET_TRANSPONDER_IDENT, r->ident);
  read(CELL_TCAS_BAND, r->band_byte);
  read(cells.buttons_a, r->buttons[0]);
  read(cells.buttons_b, r->buttons[1]);
  return queued_reads;
}

bool rmu_exchange_read_set() {
  if (!g_rmu.common.connected) return false;
  uint32_t result = 0;
  rmu_queue_read_set(&g_rmu.raw, g_rmu.settings.side, !g_rmu.settings.com_write_to_sim);
  bool ok = simlink_process(&result);
  note(ok, result);
  if (!ok) return false;
  rmu_convert_values(g_rmu.raw, &g_rmu.value);
  rmu_convert_radios(g_rmu.raw, !g_rmu.settings.com_write_to_sim, &g_rmu.radios, &g_rmu.transponder);
  return true;
}

void rmu_exchange_button_cells() {
  if (!g_rmu.input.buttons_taken) return;
  g_rmu.input.buttons_taken = false;
  if (!g_rmu.common.connected) return;
  const RmuCells cells = rmu_cells(g_rmu.settings.side);
  const uint8_t zero = 0;
  uint32_t result = 0;
  bool ok = simlink_write(cells.buttons_a, 1, &zero, &result) && simlink_write(cells.buttons_b, 1, &zero, &result) &&
            simlink_process(&result);
  note(ok, result);
}

void rmu_exchange_knob_counters() {
  if (!g_rmu.common.connected) return;
  const RmuCells cells = rmu_cells(g_rmu.settings.side);
  uint8_t* counters = g_rmu.raw.knobs;
  uint32_t result = 0;
  bool ok = simlink_read(cells.inner_knob, 1, &counters[0], &result) &&
            simlink_read(cells.outer_knob, 1, &counters[1], &result) && simlink_process(&result);
  note(ok, result);
  // Only values actually read reach the counter readers (the first seeds them).
  if (ok) rmu_knob_counters(&g_rmu, counters[0], counters[1]);
}

void rmu_exchange_page_writes() {
  RmuWriteList& list = g_rmu.writes;
  if (list.count > 0 && g_rmu.common.connected) {
    uint32_t result = 0;
    bool ok = true;
    for (int i = 0; i < list.count && ok; ++i) {
      const RmuWrite& w = list.writes[i];
      // Little-endian, whatever the host.
      const uint8_t bytes[2] = {static_cast<uint8_t>(w.value), static_cast<uint8_t>(w.value >> 8)};
      ok = simlink_write(w.offset, w.size, bytes, &result);
    }
    ok = ok && simlink_process(&result);
    note(ok, result);
  }
  list.count = 0;
}

void rmu_exchange_ta_cell() {
  RmuTransponder& t = g_rmu.transponder;
  if (!t.ta_cell_pending) return;
  t.ta_cell_pending = false;
  if (!g_rmu.common.connected) return;
  uint8_t cell = 0;
  uint32_t result = 0;
  bool ok = simlink_read(CELL_TCAS_FLAGS, 1, &cell, &result) && simlink_process(&result);
  note(ok, result);
  if (!ok) return;
  uint8_t changed = static_cast<uint8_t>((cell & ~TCAS_FLAG_TA_AUTO) | (t.ta_byte & TCAS_FLAG_TA_AUTO));
  if (changed == cell) return;
  ok = simlink_write(CELL_TCAS_FLAGS, 1, &changed, &result) && simlink_process(&result);
  note(ok, result);
}
