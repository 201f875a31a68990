// The radio page: this side's COM and NAV (active over standby) and, on RMU1,
// the ADF in the upper half; the transponder and TCAS in the lower half.
#include "framework/text.h"
#include "rmu/rmu_draw.h"
#include "rmu/rmu_frequency.h"
#include "rmu/rmu_memories.h"
#include "rmu/rmu_page_parts.h"
#include "rmu/rmu_sim_words.h"
#include "rmu/rmu_state.h"
#include "rmu/rmu_transponder_fields.h"

namespace {

// Cursor numbers of the radio page's fields.
constexpr int32_t CURSOR_COM_STANDBY = 1;
constexpr int32_t CURSOR_NAV_STANDBY = 6;
constexpr int32_t CURSOR_ADF = 7;

// The selection box of each cursor number 1..7 (left, bottom, right, top).
constexpr float CURSOR_BOXES[7][4] = {
    {-0.185f, 0.177f, -0.009f, 0.222f},   // 1 COM standby
    {-0.185f, 0.022f, -0.023f, 0.067f},   // 2 transponder code
    {-0.185f, -0.026f, -0.023f, 0.010f},  // 3 transponder mode
    {-0.185f, -0.120f, -0.009f, -0.082f}, // 4 TCAS range
    {-0.185f, -0.171f, -0.009f, -0.135f}, // 5 TCAS band
    {0.012f, 0.176f, 0.188f, 0.221f},     // 6 NAV standby
    {0.012f, 0.022f, 0.188f, 0.067f},     // 7 ADF
};

constexpr float UPPER_DIVIDER_Y = 0.103f, LOWER_DIVIDER_Y = -0.035f;

const char* const ADF_MODE_LEGENDS[] = {"ANT", "ADF", "BFO", "VOICE"};

void draw_frame_and_titles(bool side_2, bool bezel_shown) {
  const RmuTitle top[] = {{side_2 ? "COM2" : "COM1", -0.18f, 0.29f}, {side_2 ? "NAV2" : "NAV1", 0.013f, 0.29f}};
  const RmuTitle upper[] = {{"ATC/TCAS", -0.18f, 0.085f}, {"ADF", 0.016f, 0.085f}};
  const RmuTitle lower[] = {{"TCAS DSPY", -0.177f, -0.054f}};
  rmu_page_outline(top, 2, bezel_shown);
  rmu_colour(RMU_GREEN);
  rmu_line(0.0f, RMU_FRAME_TOP, 0.0f, RMU_FRAME_BOTTOM);
  rmu_titled_rule(UPPER_DIVIDER_Y, upper, 2);
  rmu_titled_rule(LOWER_DIVIDER_Y, lower, 1);
}

// "MEMORY-n" for the first memory on the standby's channel, else "TEMP-1".
void memory_legend(float x, float y, const RmuMemoryList& list, float standby) {
  int number = rmu_memory_matching(list, standby);
  if (number > 0) rmu_text(x, y, RMU_TEXT_SMALL, RMU_CYAN, ALIGN_CENTRED, "MEMORY-%d", number);
  else rmu_text(x, y, RMU_TEXT_SMALL, RMU_CYAN, ALIGN_CENTRED, "TEMP-1");
}

// The ADF frequency with one decimal, zero-padded to four whole digits.
void adf_frequency(float x, float y, float khz) {
  const char* format = khz >= 1000.0f ? "%4.1f" : khz >= 100.0f ? "0%3.1f" : khz >= 10.0f ? "00%3.1f" : "000%3.1f";
  if (khz < 1.0f) rmu_text(x, y, RMU_TEXT_LARGE, RMU_WHITE, ALIGN_CENTRED, "0000.0");
  else rmu_text(x, y, RMU_TEXT_LARGE, RMU_WHITE, ALIGN_CENTRED, format, khz);
}

void draw_cursor(int32_t cursor) {
  if (cursor < 1 || cursor > 7) return;
  const float* b = CURSOR_BOXES[cursor - 1];
  rmu_selection_box(b[0], b[1], b[2], b[3]);
}

// Active and standby change places; both words go out.
void swap(float* active, float* standby, RmuBand band, uint32_t active_word, uint32_t standby_word) {
  float new_active = rmu_normalise(*standby, band);
  *standby = rmu_normalise(*active, band);
  *active = new_active;
  rmu_queue_write(&g_rmu.writes, active_word, 2, rmu_frequency_word(*active));
  rmu_queue_write(&g_rmu.writes, standby_word, 2, rmu_frequency_word(*standby));
  g_rmu.input.selected_line = RMU_KEY_NONE;
}

// A selected standby field: the knob tunes it, it is written every frame,
// and the store key appends it to the memories.
void standby_field(int32_t cursor, float* standby, RmuBand band, uint32_t word, RmuMemoryList* memories) {
  g_rmu.cursor = cursor;
  rmu_frequency_knob_step(standby, band, &g_rmu.input.knobs);
  *standby = rmu_normalise(*standby, band);
  rmu_queue_write(&g_rmu.writes, word, 2, rmu_frequency_word(*standby));
  if (g_rmu.input.pending_bottom_key != RMU_KEY_STORE) return;
  rmu_memory_append(memories, *standby);
  g_rmu.input.pending_bottom_key = RMU_KEY_NONE;
}

// The ADF (RMU1 only): the knobs step units and hundreds; the main word and
// a zero extension go out every frame, so no tenth of a kHz is left behind.
void adf_field() {
  g_rmu.cursor = CURSOR_ADF;
  if (g_rmu.settings.side != RMU_SIDE_1) return;
  RmuRadios& r = g_rmu.radios;
  rmu_adf_knob_step(&r.adf_hundreds, &r.adf_units, &g_rmu.input.knobs);
  int khz = 100 * r.adf_hundreds + r.adf_units;
  r.adf_frequency = static_cast<float>(khz);
  rmu_queue_write(&g_rmu.writes, OFFSET_ADF_MAIN, 2, rmu_adf_word(khz));
  rmu_queue_write(&g_rmu.writes, OFFSET_ADF_EXTENSION, 2, 0);
}

}  // namespace

void rmu_radio_page_keys() {
  RmuRadios& r = g_rmu.radios;
  const RmuRadioWords words = rmu_radio_words(g_rmu.settings.side);
  switch (g_rmu.input.selected_line) {
    case RMU_KEY_L1: swap(&r.com_active, &r.com_standby, RMU_COM_BAND, words.com_active, words.com_standby); break;
    case RMU_KEY_L2: standby_field(CURSOR_COM_STANDBY, &r.com_standby, RMU_COM_BAND, words.com_standby, &r.com_memories); break;
    case RMU_KEY_R1: swap(&r.nav_active, &r.nav_standby, RMU_NAV_BAND, words.nav_active, words.nav_standby); break;
    case RMU_KEY_R2: standby_field(CURSOR_NAV_STANDBY, &r.nav_standby, RMU_NAV_BAND, words.nav_standby, &r.nav_memories); break;
    case RMU_KEY_R3: adf_field(); break;
    default: break;  // L3..L6 belong to the transponder and TCAS lines
  }
  rmu_transponder_fields_keys();
}

void rmu_radio_page_draw() {
  const RmuRadios& r = g_rmu.radios;
  bool side_2 = g_rmu.settings.side == RMU_SIDE_2;
  bool bezel = g_rmu.common.bezel_shown;
  draw_frame_and_titles(side_2, bezel);
  rmu_text(-0.097f, 0.241f, RMU_TEXT_LARGE, RMU_WHITE, ALIGN_CENTRED, "%3.2f", r.com_active);
  rmu_text(-0.097f, 0.187f, RMU_TEXT_LARGE, RMU_CYAN, ALIGN_CENTRED, "%3.2f", r.com_standby);
  memory_legend(-0.1f, 0.141f, r.com_memories, r.com_standby);
  rmu_text(0.1f, 0.241f, RMU_TEXT_LARGE, RMU_WHITE, ALIGN_CENTRED, "%3.2f", r.nav_active);
  rmu_text(0.1f, 0.186f, RMU_TEXT_LARGE, RMU_CYAN, ALIGN_CENTRED, "%3.2f", r.nav_standby);
  memory_legend(0.102f, 0.141f, r.nav_memories, r.nav_standby);
  if (!side_2) {
    adf_frequency(0.103f, 0.032f, r.adf_frequency);
    int mode = r.adf_mode_index >= 0 && r.adf_mode_index < 4 ? r.adf_mode_index : 0;
    rmu_text(0.09f, -0.016f, RMU_TEXT_NORMAL, RMU_GREEN, ALIGN_CENTRED, "%s", ADF_MODE_LEGENDS[mode]);
  }
  rmu_transponder_fields_draw();
  draw_cursor(g_rmu.cursor);
}
