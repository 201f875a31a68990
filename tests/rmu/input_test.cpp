// The three input paths: bezel clicks, the hardware button and knob cells,
// and the rules that tie them to the page menu and the dim page.
#include <gtest/gtest.h>

#include "rmu/rmu_dim.h"
#include "rmu/rmu_input.h"
#include "rmu/rmu_state.h"

namespace {

RmuState fresh() {
  RmuState s{};
  s.page = RMU_PAGE_RADIO;
  s.input.selected_line = s.input.pending_bottom_key = RMU_KEY_NONE;
  return s;
}

TEST(RmuInput, ClickZones) {
  struct Case { float x, y; RmuZoneKind kind; int32_t value; };
  const Case cases[] = {
      {77, 93, RMU_ZONE_KNOB, RMU_INNER_DOWN}, {77.1f, 93, RMU_ZONE_KNOB, RMU_INNER_UP},
      {77, 88, RMU_ZONE_KNOB, RMU_OUTER_UP},   {76.9f, 97, RMU_ZONE_KNOB, RMU_OUTER_DOWN},
      {70, 86, RMU_ZONE_KNOB, RMU_OUTER_DOWN}, {84, 98, RMU_ZONE_KNOB, RMU_OUTER_UP},
      {5, 18, RMU_ZONE_KEY, RMU_KEY_L1},       {14.36f, 70, RMU_ZONE_KEY, RMU_KEY_L6},
      {10, 40, RMU_ZONE_KEY, RMU_KEY_L3},      {95, 27, RMU_ZONE_KEY, RMU_KEY_R2},
      {84, 60, RMU_ZONE_KEY, RMU_KEY_R5},      {18, 80, RMU_ZONE_KEY, RMU_KEY_B1},
      {35, 83, RMU_ZONE_KEY, RMU_KEY_B2},      {64, 96, RMU_ZONE_KEY, RMU_KEY_B8},
      {50, 93, RMU_ZONE_KEY, RMU_KEY_B7},      {43, 90, RMU_ZONE_KEY, RMU_KEY_B7},
      // Between keys, beside the columns and on the screen: nothing.
      {10, 25, RMU_ZONE_NONE, 0}, {14.5f, 20, RMU_ZONE_NONE, 0}, {30, 83, RMU_ZONE_NONE, 0},
      {50, 88, RMU_ZONE_NONE, 0}, {50, 50, RMU_ZONE_NONE, 0},    {69.9f, 90, RMU_ZONE_NONE, 0},
  };
  for (const Case& c : cases) {
    RmuZone zone = rmu_click_zone(c.x, c.y);
    EXPECT_EQ(zone.kind, c.kind) << c.x << "," << c.y;
    if (zone.kind == c.kind && c.kind != RMU_ZONE_NONE) {
      EXPECT_EQ(zone.value, c.value) << c.x << "," << c.y;
    }
  }
  // Pixels become percent of the drawing area; an empty area takes no click.
  RmuState s = fresh();
  rmu_click(&s, 50, 105, 500, 500);
  EXPECT_EQ(s.input.selected_line, RMU_KEY_L1);
  rmu_click(&s, 0, 0, 0, 0);
  EXPECT_EQ(s.input.selected_line, RMU_KEY_L1);
}

TEST(RmuInput, PageAndIdentKeysActAtOnceFromEitherPath) {
  for (bool hardware : {false, true}) {
    RmuState s = fresh();
    s.page = RMU_PAGE_COM_MEMORY;
    s.input.selected_line = RMU_KEY_L3;
    if (hardware) {
      s.raw.buttons[1] = 1u << 4 | 1u << 5;  // page and ident together: the page key comes first
      EXPECT_TRUE(rmu_take_buttons(&s));
      EXPECT_TRUE(s.input.buttons_taken);
      EXPECT_EQ(s.raw.buttons[1], 0);
      EXPECT_FALSE(s.transponder.ident_request);
    } else {
      rmu_click_percent(&s, 35, 93);  // B6
    }
    EXPECT_EQ(s.page, RMU_PAGE_MENU) << hardware;
    EXPECT_EQ(s.return_page, RMU_PAGE_COM_MEMORY);
    EXPECT_EQ(s.input.selected_line, RMU_KEY_NONE);
    EXPECT_EQ(s.input.pending_bottom_key, RMU_KEY_PAGE);
  }
  RmuState s = fresh();
  rmu_click_percent(&s, 20, 93);  // B5
  EXPECT_TRUE(s.transponder.ident_request);
}

TEST(RmuInput, ButtonCellsGiveTheFirstBitInTableOrder) {
  struct Case { uint8_t first, second; int32_t key; };
  const Case cases[] = {
      {0x01, 0x00, RMU_KEY_L1}, {0x02, 0x00, RMU_KEY_R1}, {0x06, 0x00, RMU_KEY_R1},
      {0x80, 0x01, RMU_KEY_R2}, {0x00, 0x01, RMU_KEY_R3}, {0x00, 0x08, RMU_KEY_R6},
      {0x00, 0x40, RMU_KEY_DIM}, {0x00, 0x80, RMU_KEY_STORE}, {0x00, 0xA0, RMU_KEY_IDENT},
      {0x00, 0x00, RMU_KEY_NONE},
  };
  for (const Case& c : cases) EXPECT_EQ(rmu_button_key(c.first, c.second), c.key) << int(c.first) << "," << int(c.second);
  // Both cells are cleared whatever else was set.
  RmuState s = fresh();
  s.raw.buttons[0] = 0x48;
  s.raw.buttons[1] = 0x81;
  EXPECT_TRUE(rmu_take_buttons(&s));
  EXPECT_EQ(s.input.selected_line, RMU_KEY_L3);
  EXPECT_EQ(s.raw.buttons[0] | s.raw.buttons[1], 0);
  EXPECT_FALSE(rmu_take_buttons(&s));
}

TEST(RmuInput, KnobCountersTakeOneStepPerChangeAfterTheFirstRead) {
  struct Step { uint8_t inner, outer; bool inner_up, inner_down, outer_up, outer_down; };
  const Step steps[] = {
      {200, 0, false, false, false, false},  // the first read only seeds
      {200, 255, false, false, false, true},
      {201, 0, true, false, true, false},    // 255 -> 0 is up
      {10, 0, false, true, false, false},
      {40, 30, true, false, true, false},
  };
  RmuState s = fresh();
  for (const Step& st : steps) {
    s.input.knobs = RmuKnobs{};
    rmu_knob_counters(&s, st.inner, st.outer);
    EXPECT_EQ(s.input.knobs.inner_up, st.inner_up) << int(st.inner);
    EXPECT_EQ(s.input.knobs.inner_down, st.inner_down) << int(st.inner);
    EXPECT_EQ(s.input.knobs.outer_up, st.outer_up) << int(st.outer);
    EXPECT_EQ(s.input.knobs.outer_down, st.outer_down) << int(st.outer);
  }
}

TEST(RmuInput, DimPageTakesTheOuterKnobAndAnyKeyOnlyClosesIt) {
  RmuState s = fresh();
  s.input.selected_line = RMU_KEY_L2;
  rmu_click_percent(&s, 35, 83);  // B2
  rmu_dim_keys(&s);
  EXPECT_TRUE(s.dim_page_shown);
  EXPECT_EQ(s.input.selected_line, RMU_KEY_NONE);
  for (int i = 0; i < 60; ++i) {
    rmu_click_percent(&s, 72, 92);  // outer ring, down: darker
    rmu_dim_keys(&s);
  }
  EXPECT_FLOAT_EQ(s.dim_level, 255.0f);  // held at black
  rmu_click_percent(&s, 82, 92);       // up: brighter
  rmu_dim_keys(&s);
  EXPECT_FLOAT_EQ(s.dim_level, 250.0f);
  EXPECT_TRUE(s.dim_page_shown);       // knob clicks never close it
  rmu_click_percent(&s, 10, 30);       // L2 only takes the page down
  EXPECT_FALSE(s.dim_page_shown);
  EXPECT_EQ(s.input.selected_line, RMU_KEY_NONE);
  EXPECT_FLOAT_EQ(s.dim_level, 250.0f);  // the level stays until tuned back
}

TEST(RmuInput, UnusedKnobStepsAndBottomKeysAreDroppedAtTheEndOfTheFrame) {
  RmuState s = fresh();
  rmu_click_percent(&s, 78, 93);
  rmu_click_percent(&s, 60, 83);  // B4
  EXPECT_TRUE(s.input.knobs.inner_up == false);  // a click clears the knob events first
  rmu_knob_counters(&s, 0, 0);
  rmu_knob_counters(&s, 1, 0);
  EXPECT_TRUE(s.input.knobs.inner_up);
  EXPECT_EQ(s.input.pending_bottom_key, RMU_KEY_STORE);
  rmu_discard_unused_inputs(&s);
  EXPECT_FALSE(s.input.knobs.inner_up);
  EXPECT_EQ(s.input.pending_bottom_key, RMU_KEY_NONE);
}

}  // namespace
