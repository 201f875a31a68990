#include <gtest/gtest.h>

#include "mfd/mfd_exchange.h"
#include "mfd/mfd_keyboard.h"
#include "mfd/mfd_state.h"
#include "mfd/mfd_unit.h"

namespace {

class MfdInput : public ::testing::Test {
 protected:
  void SetUp() override {
    g_mfd = MfdState{};
    bezel_fill_soft_key_table(&g_mfd.bezel);
    g_mfd.bezel.soft_key_event = SOFT_KEY_NONE;
    g_mfd.common.x_size = 433;
    g_mfd.common.y_size = 605;
  }
};

TEST_F(MfdInput, RangeKeysFirstDownWinsAndTheIndexIsClamped) {
  g_mfd.common.keys['5'] = true;
  g_mfd.common.keys['3'] = true;
  mfd_keyboard_handling();
  EXPECT_EQ(g_mfd.map_range_index, 2);
  EXPECT_TRUE(g_mfd.common.keys['3']);  // range keys stay down while held
  g_mfd.common.keys['5'] = g_mfd.common.keys['3'] = false;
  g_mfd.map_range_index = 12;
  mfd_keyboard_handling();
  EXPECT_EQ(g_mfd.map_range_index, 8);
  g_mfd.map_range_index = -4;
  mfd_keyboard_handling();
  EXPECT_EQ(g_mfd.map_range_index, 0);
}

TEST_F(MfdInput, LayerKeysToggleOncePerKeyDown) {
  for (int key : {'A', 'V', 'I', 'N', 'P'}) g_mfd.common.keys[key] = true;
  mfd_keyboard_handling();
  EXPECT_TRUE(g_mfd.show_airports && g_mfd.show_vors && g_mfd.show_intersections && g_mfd.show_ndbs &&
              g_mfd.show_plan);
  for (int key : {'A', 'V', 'I', 'N', 'P'}) EXPECT_FALSE(g_mfd.common.keys[key]);
  mfd_keyboard_handling();  // not pressed again: no change
  EXPECT_TRUE(g_mfd.show_airports);
  g_mfd.common.keys['A'] = true;  // auto-repeat key-down toggles again
  mfd_keyboard_handling();
  EXPECT_FALSE(g_mfd.show_airports);
  EXPECT_TRUE(g_mfd.show_vors);
}

TEST_F(MfdInput, KnobCellIsSeededByItsFirstReadThenGivesOneEventPerChange) {
  struct Case { uint8_t counter; bool increment, decrement; };
  const Case cases[] = {
      {200, false, false},  // first read: seeds, no phantom step
      {200, false, false},  // unchanged
      {250, true, false},   // any increase is one step up
      {249, false, true},
      {255, true, false},
      {0, true, false},     // 255 -> 0 wraps up
      {255, false, true},   // 0 -> 255 wraps down
  };
  for (const Case& c : cases) {
    g_mfd.bezel.knob_increment = g_mfd.bezel.knob_decrement = false;
    mfd_knob_cell_step(c.counter);
    EXPECT_EQ(g_mfd.bezel.knob_increment, c.increment) << int(c.counter);
    EXPECT_EQ(g_mfd.bezel.knob_decrement, c.decrement) << int(c.counter);
  }
}

TEST_F(MfdInput, ClicksOnTheBezelUseTheDrawingArea) {
  // Soft key 3 spans 49..56 % of the 433-pixel drawing width, 87..90 % of 605.
  mfd_unit_hooks().left_click(225, 535);
  EXPECT_EQ(g_mfd.bezel.soft_key_event, 3);
  g_mfd.bezel.soft_key_event = SOFT_KEY_NONE;
  mfd_unit_hooks().left_click(385, 540);  // 88.9 %: knob increment side
  EXPECT_TRUE(g_mfd.bezel.knob_increment);
  mfd_unit_hooks().left_click(108, 535);  // 24.9 %: between keys 0 and 1
  EXPECT_EQ(g_mfd.bezel.soft_key_event, SOFT_KEY_NONE);
  EXPECT_FALSE(g_mfd.bezel.knob_increment);
}

}  // namespace
