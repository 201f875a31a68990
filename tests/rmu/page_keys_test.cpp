// What the pages do with the keys and the knob, and which simulator words
// they queue: the radio page, the memory pages and the page menu.
#include <gtest/gtest.h>

#include <vector>

#include "rmu/rmu_input.h"
#include "rmu/rmu_page_parts.h"
#include "rmu/rmu_pages.h"
#include "rmu/rmu_state.h"

namespace {

struct Word {
  uint32_t offset, size, value;
  bool operator==(const Word& o) const { return offset == o.offset && size == o.size && value == o.value; }
};
std::ostream& operator<<(std::ostream& out, const Word& w) {
  return out << std::hex << "0x" << w.offset << ":" << w.size << "=0x" << w.value;
}

class RmuPageKeys : public ::testing::Test {
 protected:
  void SetUp() override {
    g_rmu = RmuState{};
    rmu_state_start_values();
  }
  // Runs the page's keys once and returns what it queued (then empties the list).
  std::vector<Word> keys(int32_t page, int32_t line, int32_t bottom = RMU_KEY_NONE) {
    g_rmu.page = page;
    if (line != RMU_KEY_NONE || bottom == RMU_KEY_NONE) g_rmu.input.selected_line = line;
    g_rmu.input.pending_bottom_key = bottom;
    rmu_page(page)->keys();
    std::vector<Word> words;
    for (int i = 0; i < g_rmu.writes.count; ++i) {
      const RmuWrite& w = g_rmu.writes.writes[i];
      words.push_back({w.offset, w.size, w.value});
    }
    g_rmu.writes.count = 0;
    return words;
  }
  void memories(RmuMemoryList* list, std::initializer_list<float> values) {
    list->count = 0;
    for (float v : values) list->values[list->count++] = v;
  }
};

TEST_F(RmuPageKeys, SwapsWriteBothWordsAndTwoSwapsRestoreThePair) {
  RmuRadios& r = g_rmu.radios;
  r.com_active = 119.9f;
  r.com_standby = 121.7001f;  // as read back from the simulator
  EXPECT_EQ(keys(RMU_PAGE_RADIO, RMU_KEY_L1), (std::vector<Word>{{0x034E, 2, 0x2170}, {0x311A, 2, 0x1990}}));
  EXPECT_EQ(g_rmu.input.selected_line, RMU_KEY_NONE);
  keys(RMU_PAGE_RADIO, RMU_KEY_L1);
  EXPECT_NEAR(r.com_active, 119.9, 1e-4);
  EXPECT_NEAR(r.com_standby, 121.7, 1e-4);
  // RMU2 swaps its own NAV words.
  g_rmu.settings.side = RMU_SIDE_2;
  r.nav_active = 110.3f;
  r.nav_standby = 116.8f;
  EXPECT_EQ(keys(RMU_PAGE_RADIO, RMU_KEY_R1), (std::vector<Word>{{0x0352, 2, 0x1680}, {0x3120, 2, 0x1030}}));
}

TEST_F(RmuPageKeys, SelectedStandbyIsTunedWrittenEveryFrameAndStored) {
  RmuRadios& r = g_rmu.radios;
  r.com_standby = 118.0f;
  g_rmu.input.knobs.inner_down = true;
  EXPECT_EQ(keys(RMU_PAGE_RADIO, RMU_KEY_L2), (std::vector<Word>{{0x311A, 2, 0x3599}}));
  EXPECT_EQ(g_rmu.cursor, 1);
  EXPECT_EQ(keys(RMU_PAGE_RADIO, RMU_KEY_L2), (std::vector<Word>{{0x311A, 2, 0x3599}}));  // still selected
  keys(RMU_PAGE_RADIO, RMU_KEY_L2, RMU_KEY_STORE);
  EXPECT_EQ(r.com_memories.count, 1);
  EXPECT_NEAR(r.com_memories.values[0], 135.99, 1e-4);
  EXPECT_EQ(g_rmu.input.pending_bottom_key, RMU_KEY_NONE);
  // A full list takes no more.
  memories(&r.nav_memories, {108, 109, 110, 111, 112, 113, 114, 115, 116, 117, 108.5f, 109.5f});
  r.nav_standby = 117.95f;
  g_rmu.input.knobs.outer_up = true;
  EXPECT_EQ(keys(RMU_PAGE_RADIO, RMU_KEY_R2, RMU_KEY_STORE), (std::vector<Word>{{0x311E, 2, 0x0895}}));
  EXPECT_EQ(g_rmu.cursor, 6);
  EXPECT_EQ(r.nav_memories.count, 12);
  EXPECT_EQ(g_rmu.input.pending_bottom_key, RMU_KEY_NONE);
}

TEST_F(RmuPageKeys, AdfWritesItsMainWordAndAZeroExtensionOnRmu1Only) {
  RmuRadios& r = g_rmu.radios;
  r.adf_hundreds = 17;
  r.adf_units = 49;
  g_rmu.input.knobs.outer_up = true;
  EXPECT_EQ(keys(RMU_PAGE_RADIO, RMU_KEY_R3), (std::vector<Word>{{0x034C, 2, 0x1750}, {0x0356, 2, 0}}));
  EXPECT_FLOAT_EQ(r.adf_frequency, 1750.0f);
  r.adf_hundreds = 3;
  r.adf_units = 51;
  g_rmu.input.knobs.outer_down = true;
  EXPECT_EQ(keys(RMU_PAGE_RADIO, RMU_KEY_R3), (std::vector<Word>{{0x034C, 2, 0x0350}, {0x0356, 2, 0}}));
  g_rmu.settings.side = RMU_SIDE_2;
  g_rmu.input.knobs.outer_down = true;
  EXPECT_TRUE(keys(RMU_PAGE_RADIO, RMU_KEY_R3).empty());
  EXPECT_EQ(g_rmu.cursor, 7);
  EXPECT_EQ(r.adf_units, 50);
}

TEST_F(RmuPageKeys, MemoryPagesSelectEditInsertDeleteAndRecall) {
  RmuMemoryList& list = g_rmu.radios.com_memories;
  memories(&list, {118.1f, 118.2f, 118.3f, 118.4f, 118.5f});
  // Insert after memory 3: the new entry is memory 4, memory 3 stays selected.
  keys(RMU_PAGE_COM_MEMORY, RMU_KEY_L4);
  EXPECT_EQ(g_rmu.cursor, 3);
  keys(RMU_PAGE_COM_MEMORY, RMU_KEY_R5);
  EXPECT_EQ(list.count, 6);
  EXPECT_FLOAT_EQ(list.values[3], 118.0f);
  EXPECT_EQ(g_rmu.input.selected_line, RMU_KEY_L4);
  EXPECT_TRUE(g_rmu.settings_save_requested);
  // Memory 9 of a list of 6 (second half, L3): appended as memory 7.
  g_rmu.settings_save_requested = false;
  keys(RMU_PAGE_COM_MEMORY, RMU_KEY_L5);
  EXPECT_TRUE(g_rmu.radios.second_memory_half);
  keys(RMU_PAGE_COM_MEMORY, RMU_KEY_L4);
  EXPECT_EQ(g_rmu.cursor, 9);
  keys(RMU_PAGE_COM_MEMORY, RMU_KEY_R5);
  EXPECT_EQ(list.count, 7);
  EXPECT_FLOAT_EQ(list.values[6], 118.0f);
  // Memory 8 does not exist yet: no edit, no delete, no save.
  g_rmu.settings_save_requested = false;
  g_rmu.input.knobs.outer_up = true;
  keys(RMU_PAGE_COM_MEMORY, RMU_KEY_L3);
  keys(RMU_PAGE_COM_MEMORY, RMU_KEY_R6);
  EXPECT_EQ(list.count, 7);
  EXPECT_FALSE(g_rmu.settings_save_requested);
  // Memory 7 edited by the knob, then recalled into COM active with L1.
  g_rmu.input.knobs.outer_up = true;
  keys(RMU_PAGE_COM_MEMORY, RMU_KEY_L2);
  EXPECT_FLOAT_EQ(list.values[6], 119.0f);
  EXPECT_EQ(keys(RMU_PAGE_COM_MEMORY, RMU_KEY_L1), (std::vector<Word>{{0x034E, 2, 0x1900}}));
  EXPECT_EQ(g_rmu.cursor, 7);
  // Delete memory 7; nothing is selected afterwards.
  keys(RMU_PAGE_COM_MEMORY, RMU_KEY_L2);
  keys(RMU_PAGE_COM_MEMORY, RMU_KEY_R6);
  EXPECT_EQ(list.count, 6);
  EXPECT_TRUE(g_rmu.settings_save_requested);
  keys(RMU_PAGE_COM_MEMORY, RMU_KEY_NONE);
  EXPECT_EQ(g_rmu.cursor, RMU_CURSOR_NONE);
  // The NAV page recalls into NAV active on RMU2's word; RADIOS goes back.
  g_rmu.settings.side = RMU_SIDE_2;
  memories(&g_rmu.radios.nav_memories, {109.0f, 110.0f, 111.0f, 112.0f, 113.0f, 114.0f, 115.0f, 116.8f});
  keys(RMU_PAGE_NAV_MEMORY, RMU_KEY_R3);  // second half still shown: memory 11 does not exist
  keys(RMU_PAGE_NAV_MEMORY, RMU_KEY_L5);
  keys(RMU_PAGE_NAV_MEMORY, RMU_KEY_R3);
  EXPECT_EQ(keys(RMU_PAGE_NAV_MEMORY, RMU_KEY_L1), (std::vector<Word>{{0x0352, 2, 0x1300}}));
  keys(RMU_PAGE_NAV_MEMORY, RMU_KEY_L6);
  EXPECT_EQ(g_rmu.page, RMU_PAGE_RADIO);
}

TEST_F(RmuPageKeys, PageMenuLeadsToEveryPageAndReturnsWhereItCameFrom) {
  struct Case { int32_t from; std::vector<int32_t> lines; int32_t page, return_page; };
  const Case cases[] = {
      {RMU_PAGE_RADIO, {RMU_KEY_L2}, RMU_PAGE_COM_MEMORY, RMU_PAGE_MENU},
      {RMU_PAGE_RADIO, {RMU_KEY_R4}, RMU_PAGE_ENGINE_2, RMU_PAGE_MENU},
      {RMU_PAGE_NAV_MEMORY, {RMU_KEY_L6}, RMU_PAGE_NAV_MEMORY, RMU_PAGE_RADIO},
      {RMU_PAGE_NAV_MEMORY, {RMU_KEY_L5, RMU_KEY_L6}, RMU_PAGE_RADIO, RMU_PAGE_RADIO},  // MLS, then RETURN
      {RMU_PAGE_NAV_MEMORY, {RMU_KEY_R6}, RMU_PAGE_MENU, RMU_PAGE_RADIO},
      {RMU_PAGE_NAV_MEMORY, {RMU_KEY_R1, RMU_KEY_R5}, RMU_PAGE_MENU, RMU_PAGE_NAV_MEMORY},
  };
  for (const Case& c : cases) {
    SetUp();
    g_rmu.page = c.from;
    g_rmu.radios.second_memory_half = true;
    rmu_open_page_menu(&g_rmu);
    for (int32_t line : c.lines) {
      g_rmu.input.selected_line = line;
      rmu_page(g_rmu.page)->keys();
    }
    EXPECT_EQ(g_rmu.page, c.page) << c.from << "/" << c.lines[0];
    EXPECT_EQ(g_rmu.return_page, c.return_page) << c.from << "/" << c.lines[0];
    EXPECT_EQ(g_rmu.input.selected_line, RMU_KEY_NONE);
    // Only the menu's own memory keys start a memory page on its first half.
    EXPECT_EQ(g_rmu.radios.second_memory_half, c.page != RMU_PAGE_COM_MEMORY);
  }
}

}  // namespace
