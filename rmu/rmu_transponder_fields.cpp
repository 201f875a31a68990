#include "rmu/rmu_transponder_fields.h"

#include "framework/text.h"
#include "rmu/rmu_draw.h"
#include "rmu/rmu_sim_words.h"
#include "rmu/rmu_state.h"
#include "rmu/rmu_transponder.h"
#include "simlink/cells.h"

namespace {

constexpr int32_t CURSOR_CODE = 2, CURSOR_MODE = 3, CURSOR_RANGE = 4, CURSOR_BAND = 5;
const char* const MODE_LEGENDS[] = {"ATC_ON", "STANDBY", "ATC_ALT", "TA_ONLY", "TA_RA"};
constexpr int MODE_STANDBY = 1;
const char* const BAND_LEGENDS[] = {"NORMAL", "ABOVE", "BELOW"};

void code_line(RmuTransponder* t, RmuLink* link) {
  g_rmu.cursor = CURSOR_CODE;
  link->send_transponder = true;
  if (!rmu_transponder_knob_step(t->digits, &g_rmu.input.knobs)) return;
  t->code = rmu_transponder_code(t->digits);
  rmu_queue_write(&g_rmu.writes, OFFSET_TRANSPONDER, 2, rmu_transponder_word(t->digits));
}

// Only the master of the radios switches the transponder; either way the key is taken.
void mode_line(RmuTransponder* t) {
  g_rmu.cursor = CURSOR_MODE;
  g_rmu.input.selected_line = RMU_KEY_NONE;
  if (!g_rmu.settings.com_write_to_sim) return;
  t->mode_byte = t->mode != 0 ? 0 : 1;
  t->mode = t->mode_byte;
  rmu_queue_write(&g_rmu.writes, OFFSET_TRANSPONDER_STANDBY, 1, static_cast<uint32_t>(t->mode_byte));
}

void range_line(RmuTransponder* t, RmuLink* link) {
  g_rmu.cursor = CURSOR_RANGE;
  rmu_tcas_range_step(&t->tcas_range, &g_rmu.input.knobs);
  rmu_queue_write(&g_rmu.writes, CELL_TCAS_RANGE, 1, t->tcas_range);
  link->send_range = true;
}

// The band byte is shared: only bits 2 and 3 are ours, and it is written
// only when they change what was read.
void band_line(RmuTransponder* t, RmuLink* link) {
  g_rmu.cursor = CURSOR_BAND;
  link->send_band = true;
  rmu_tcas_band_step(&t->band_tuning, &g_rmu.input.knobs);
  t->band = t->band_tuning;
  uint8_t byte = rmu_band_byte(g_rmu.raw.band_byte, t->band);
  if (byte == g_rmu.raw.band_byte) return;
  g_rmu.raw.band_byte = byte;
  rmu_queue_write(&g_rmu.writes, CELL_TCAS_BAND, 1, byte);
}

// A press writes 1 once; seeing it read back the next frame writes 0.
void ident(RmuTransponder* t) {
  t->ident_shown = t->ident_request || g_rmu.raw.ident != 0;
  if (!t->ident_shown) return;
  rmu_queue_write(&g_rmu.writes, OFFSET_TRANSPONDER_IDENT, 1, t->ident_request ? 1 : 0);
  t->ident_request = false;
}

}  // namespace

void rmu_transponder_fields_keys() {
  RmuTransponder& t = g_rmu.transponder;
  RmuLink& link = g_rmu.link;
  switch (g_rmu.input.selected_line) {
    case RMU_KEY_L3: code_line(&t, &link); break;
    case RMU_KEY_L4: mode_line(&t); break;
    case RMU_KEY_L5: range_line(&t, &link); break;
    case RMU_KEY_L6: band_line(&t, &link); break;
    default: break;
  }
  if (g_rmu.input.selected_line != RMU_KEY_L5) link.send_range = false;
  ident(&t);
}

void rmu_transponder_fields_draw() {
  const RmuTransponder& t = g_rmu.transponder;
  const char* code_format = t.code < 10 ? "000%d" : t.code < 100 ? "00%d" : t.code < 1000 ? "0%d" : "%d";
  rmu_text(-0.104f, 0.032f, RMU_TEXT_LARGE, RMU_WHITE, ALIGN_CENTRED, code_format, static_cast<int>(t.code));
  if (g_rmu.settings.side == RMU_SIDE_1 && t.mode >= 0 && t.mode <= 4)
    rmu_text(-0.103f, -0.016f, RMU_TEXT_NORMAL, t.mode == MODE_STANDBY ? RMU_YELLOW : RMU_GREEN, ALIGN_CENTRED, "%s",
             MODE_LEGENDS[t.mode]);
  if (t.ident_shown) {
    rmu_colour(RMU_BLACK);
    rmu_filled_box(-0.045f, 0.078f, -0.001f, 0.106f);
    rmu_text(-0.023f, 0.082f, RMU_TEXT_NORMAL, RMU_YELLOW, ALIGN_CENTRED, "ID");
  }
  rmu_text(-0.136f, -0.11f, RMU_TEXT_NORMAL, RMU_CYAN, ALIGN_CENTRED, "RANGE");
  rmu_text(-0.04f, -0.11f, RMU_TEXT_NORMAL, RMU_GREEN, ALIGN_CENTRED, "%d", static_cast<int>(t.tcas_range));
  if (t.band >= 0 && t.band < 3)
    rmu_text(-0.168f, -0.161f, RMU_TEXT_NORMAL, RMU_GREEN, ALIGN_LEFT, "%s", BAND_LEGENDS[t.band]);
}
