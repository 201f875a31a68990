#include <gtest/gtest.h>

#include "framework/bezel_input.h"

namespace {

BezelInput fresh_input() {
  BezelInput input{};
  bezel_fill_soft_key_table(&input);
  input.soft_key_event = SOFT_KEY_NONE;
  return input;
}

// Clicks given in percent of a 1000 x 1000 drawing area, so pixels = percent * 10.
BezelInput click_percent(float px, float py) {
  BezelInput input = fresh_input();
  bezel_hit_test(&input, static_cast<int>(px * 10), static_cast<int>(py * 10), 1000, 1000);
  return input;
}

TEST(BezelHitTest, KnobBoxesShareTheBorderAt87) {
  BezelInput at_87 = click_percent(87.0f, 90.0f);
  EXPECT_TRUE(at_87.knob_increment);
  EXPECT_FALSE(at_87.knob_decrement);

  BezelInput left = click_percent(83.0f, 87.0f);
  EXPECT_TRUE(left.knob_decrement);
  BezelInput just_left = click_percent(86.9f, 92.0f);
  EXPECT_TRUE(just_left.knob_decrement);
  BezelInput right_edge = click_percent(91.0f, 92.0f);
  EXPECT_TRUE(right_edge.knob_increment);

  for (auto [px, py] : {std::pair{82.9f, 90.0f}, {91.1f, 90.0f}, {85.0f, 86.9f}, {85.0f, 92.1f}}) {
    BezelInput miss = click_percent(px, py);
    EXPECT_FALSE(miss.knob_increment || miss.knob_decrement) << px << "," << py;
    EXPECT_EQ(miss.soft_key_event, SOFT_KEY_NONE);
  }
}

TEST(BezelHitTest, SoftKeysInclusiveBoundsAndGaps) {
  const int edges[SOFT_KEY_COUNT][2] = {{17, 24}, {27, 34}, {38, 45}, {49, 56}, {59, 66}, {70, 76}};
  for (int key = 0; key < SOFT_KEY_COUNT; ++key) {
    EXPECT_EQ(click_percent(edges[key][0], 87.0f).soft_key_event, key);
    EXPECT_EQ(click_percent(edges[key][1], 90.0f).soft_key_event, key);
  }
  EXPECT_EQ(click_percent(25.0f, 88.0f).soft_key_event, SOFT_KEY_NONE);
  EXPECT_EQ(click_percent(20.0f, 90.5f).soft_key_event, SOFT_KEY_NONE);
  EXPECT_EQ(click_percent(20.0f, 86.5f).soft_key_event, SOFT_KEY_NONE);
}

TEST(BezelHitTest, ClickClearsKnobEventsAndKeepsPendingKey) {
  BezelInput input = fresh_input();
  input.knob_increment = input.knob_decrement = true;
  input.soft_key_event = 3;
  bezel_hit_test(&input, 10, 10, 433, 605);
  EXPECT_FALSE(input.knob_increment);
  EXPECT_FALSE(input.knob_decrement);
  EXPECT_EQ(input.soft_key_event, 3);
}

TEST(BezelHitTest, DegenerateAreaDoesNothing) {
  BezelInput input = fresh_input();
  bezel_hit_test(&input, 380, 540, 0, 0);
  EXPECT_EQ(input.soft_key_event, SOFT_KEY_NONE);
}

TEST(KnobCounter, WrapsAndJumpsAreOneStep) {
  const struct { uint8_t previous, now; bool up, down; } cases[] = {
      {255, 0, true, false}, {0, 255, false, true}, {10, 200, true, false},
      {200, 10, false, true}, {254, 0, false, true}, {7, 7, false, false}};
  for (const auto& c : cases) {
    BezelInput input = fresh_input();
    input.previous_knob_value = c.previous;
    input.knob_value = c.now;
    bezel_knob_step(&input);
    EXPECT_EQ(input.knob_increment, c.up) << int(c.previous) << "->" << int(c.now);
    EXPECT_EQ(input.knob_decrement, c.down) << int(c.previous) << "->" << int(c.now);
  }

  BezelInput input = fresh_input();
  input.previous_knob_value = 255;
  input.knob_value = 0;
  bezel_knob_step(&input);
  EXPECT_TRUE(input.knob_increment);
  EXPECT_FALSE(input.knob_decrement);
  EXPECT_EQ(input.previous_knob_value, 0);
  input.knob_increment = false;
  bezel_knob_step(&input);  // unchanged: no event
  EXPECT_FALSE(input.knob_increment || input.knob_decrement);
  input.knob_value = 255;
  bezel_knob_step(&input);
  EXPECT_TRUE(input.knob_decrement);
}

TEST(SoftKeyByte, LowestRisingBitWinsAndBitsAreRemembered) {
  BezelInput input = fresh_input();
  bezel_soft_key_byte(&input, 0x14);  // keys 2 and 4 rise together
  EXPECT_EQ(input.soft_key_event, 2);
  input.soft_key_event = SOFT_KEY_NONE;
  bezel_soft_key_byte(&input, 0x14);  // held: nothing new
  EXPECT_EQ(input.soft_key_event, SOFT_KEY_NONE);
  bezel_soft_key_byte(&input, 0x15);  // key 0 rises while 2 and 4 are held
  EXPECT_EQ(input.soft_key_event, 0);
  input.soft_key_event = SOFT_KEY_NONE;
  bezel_soft_key_byte(&input, 0xC0);  // bits 6 and 7 are no soft keys
  EXPECT_EQ(input.soft_key_event, SOFT_KEY_NONE);
  EXPECT_EQ(input.previous_soft_key_bits, 0xC0);
  bezel_soft_key_byte(&input, 0xE0);  // bit 5 rises
  EXPECT_EQ(input.soft_key_event, 5);
}

}  // namespace
