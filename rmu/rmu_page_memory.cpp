// The COM and NAV memory pages: twelve stored frequencies, six at a time,
// with recall into the active radio, editing, insert and delete. The two
// pages differ only in their list, band, words and legends.
#include "framework/text.h"
#include "rmu/rmu_draw.h"
#include "rmu/rmu_frequency.h"
#include "rmu/rmu_memories.h"
#include "rmu/rmu_page_parts.h"
#include "rmu/rmu_sim_words.h"
#include "rmu/rmu_state.h"

namespace {

constexpr int COM_KIND = 0, NAV_KIND = 1;
constexpr float VALUE_X[2] = {-0.106f, 0.106f};  // first and second three of a half
constexpr float VALUE_ROW_Y[3] = {0.135f, 0.061f, -0.013f};
constexpr float RULE_Y = 0.17f;
// The memory numbers sit at the outline's inner edges, small, beside their values.
constexpr float NUMBER_LEFT_X = -0.192f, NUMBER_RIGHT_X = 0.18f;

struct Legend {
  const char* text;
  RmuColour colour;
};

struct MemoryPage {
  int kind;
  RmuMemoryList* list;
  float* active;
  RmuBand band;
  uint32_t active_word;
  float inserted_mhz;  // a new entry's value
  const char* title;
  Legend legends[3];   // static, top right; no function
};

MemoryPage memory_page(int kind) {
  RmuRadios& r = g_rmu.radios;
  const RmuRadioWords words = rmu_radio_words(g_rmu.settings.side);
  bool side_2 = g_rmu.settings.side == RMU_SIDE_2;
  if (kind == COM_KIND)
    return MemoryPage{COM_KIND, &r.com_memories, &r.com_active, RMU_COM_BAND, words.com_active, 118.0f,
                      side_2 ? "COM2" : "COM1",
                      {{"BANDWIDTH", RMU_GREEN}, {"SELECT", RMU_GREEN}, {"WIDE", RMU_YELLOW}}};
  return MemoryPage{NAV_KIND, &r.nav_memories, &r.nav_active, RMU_NAV_BAND, words.nav_active, 108.0f,
                    side_2 ? "NAV2" : "NAV1", {{"FMS", RMU_GREEN}, {"ENABLED", RMU_YELLOW}, {nullptr, RMU_GREEN}}};
}

int half_offset() { return g_rmu.radios.second_memory_half ? RMU_MEMORIES_PER_HALF : 0; }

void page_keys(const MemoryPage& p) {
  RmuInput& in = g_rmu.input;
  const int32_t line = in.selected_line;
  if ((line >= RMU_KEY_L2 && line <= RMU_KEY_L4) || (line >= RMU_KEY_R2 && line <= RMU_KEY_R4)) {
    // L2..L4 select the first three of the half, R2..R4 the next three.
    g_rmu.cursor = (line <= RMU_KEY_L4 ? line - RMU_KEY_L2 + 1 : line - RMU_KEY_R2 + 4) + half_offset();
    if (float* memory = rmu_memory_at(p.list, g_rmu.cursor)) rmu_frequency_knob_step(memory, p.band, &in.knobs);
  } else if (line == RMU_KEY_L1) {
    // Recall, every frame while L1 stays selected.
    if (const float* memory = rmu_memory_at(p.list, g_rmu.cursor)) {
      *p.active = rmu_normalise(*memory, p.band);
      rmu_queue_write(&g_rmu.writes, p.active_word, 2, rmu_frequency_word(*p.active));
    }
  } else if (line == RMU_KEY_L5) {
    g_rmu.radios.second_memory_half = !g_rmu.radios.second_memory_half;
    in.selected_line = RMU_KEY_NONE;
  } else if (line == RMU_KEY_L6) {
    g_rmu.page = RMU_PAGE_RADIO;
    in.selected_line = RMU_KEY_NONE;
  } else if (line == RMU_KEY_R5) {
    if (rmu_memory_insert(p.list, g_rmu.cursor, p.inserted_mhz)) g_rmu.settings_save_requested = true;
    in.selected_line = g_rmu.previous_memory_line[p.kind];  // memory k stays selected
  } else if (line == RMU_KEY_R6) {
    if (rmu_memory_delete(p.list, g_rmu.cursor)) g_rmu.settings_save_requested = true;
    in.selected_line = RMU_KEY_NONE;
  } else if (line != RMU_KEY_R1) {
    g_rmu.cursor = RMU_CURSOR_NONE;
  }
  g_rmu.previous_memory_line[p.kind] = in.selected_line;
}

void page_draw(const MemoryPage& p) {
  const RmuTitle title = {p.title, -0.18f, 0.29f};
  rmu_page_outline(&title, 1, g_rmu.common.bezel_shown);
  rmu_titled_rule(RULE_Y, nullptr, 0);
  rmu_text(0.0f, 0.235f, RMU_TEXT_LARGE, RMU_WHITE, ALIGN_CENTRED, "%3.2f", *p.active);
  rmu_text(0.0f, 0.185f, RMU_TEXT_NORMAL, RMU_GREEN, ALIGN_CENTRED, "MEMORIES");
  for (int i = 0; i < 3 && p.legends[i].text; ++i)
    rmu_text(RMU_RIGHT_LABEL_X, 0.287f - 0.024f * i, RMU_TEXT_SMALL, p.legends[i].colour, ALIGN_RIGHT, "%s",
             p.legends[i].text);
  const int first = half_offset() + 1;
  for (int i = 0; i < RMU_MEMORIES_PER_HALF; ++i) {
    const int number = first + i;
    const int column = i / 3;
    const float y = VALUE_ROW_Y[i % 3];
    if (column == 0) rmu_text(NUMBER_LEFT_X, y, RMU_TEXT_SMALL, RMU_GREEN, ALIGN_LEFT, "%d", number);
    else rmu_text(NUMBER_RIGHT_X, y, RMU_TEXT_SMALL, RMU_GREEN, ALIGN_RIGHT, "%d", number);
    if (const float* memory = rmu_memory_at(p.list, number))
      rmu_text(VALUE_X[column], y, RMU_TEXT_NORMAL, RMU_CYAN, ALIGN_CENTRED, "%3.2f", *memory);
    if (number == g_rmu.cursor)
      rmu_selection_box(VALUE_X[column] - 0.062f, y - 0.01f, VALUE_X[column] + 0.062f, y + 0.03f);
  }
  rmu_text(RMU_LEFT_LABEL_X, RMU_KEY_ROW_Y[4], RMU_TEXT_NORMAL, RMU_GREEN, ALIGN_LEFT, "MORE");
  rmu_text(RMU_LEFT_LABEL_X, RMU_KEY_ROW_Y[5], RMU_TEXT_NORMAL, RMU_GREEN, ALIGN_LEFT, "RADIOS");
  rmu_text(RMU_RIGHT_LABEL_X, RMU_KEY_ROW_Y[4], RMU_TEXT_NORMAL, RMU_GREEN, ALIGN_RIGHT, "INSERT");
  rmu_text(RMU_RIGHT_LABEL_X, RMU_KEY_ROW_Y[5], RMU_TEXT_NORMAL, RMU_GREEN, ALIGN_RIGHT, "DELETE");
}

}  // namespace

void rmu_com_memory_page_keys() { page_keys(memory_page(COM_KIND)); }
void rmu_com_memory_page_draw() { page_draw(memory_page(COM_KIND)); }
void rmu_nav_memory_page_keys() { page_keys(memory_page(NAV_KIND)); }
void rmu_nav_memory_page_draw() { page_draw(memory_page(NAV_KIND)); }
