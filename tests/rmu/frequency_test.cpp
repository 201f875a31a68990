// The radio words and the tuning arithmetic, against the words the simulator
// expects and the bands the fields wrap in.
#include <gtest/gtest.h>

#include <cmath>

#include "rmu/rmu_frequency.h"

namespace {

TEST(RmuFrequency, WordsAreTheNearestChannelInValidBcd) {
  struct Case { double mhz; uint16_t word; };
  const Case cases[] = {
      {123.45, 0x2345}, {118.0, 0x1800}, {135.99, 0x3599}, {108.0, 0x0800},
      {127.995, 0x2800},                   // carried into the MHz
      {128.00999, 0x2801}, {127.0299, 0x2703},
      {0.0, 0x0000}, {-5.0, 0x0000}, {NAN, 0x0000}, {250.0, 0x9999},  // held at the ends
  };
  for (const Case& c : cases) EXPECT_EQ(rmu_frequency_word(c.mhz), c.word) << c.mhz;
  EXPECT_NEAR(rmu_word_frequency(0x2345), 123.4501, 1e-4);
  // A word read back gives the same word again.
  for (uint16_t word : {0x1800, 0x3599, 0x0895, 0x1705}) EXPECT_EQ(rmu_frequency_word(rmu_word_frequency(word)), word);
}

TEST(RmuFrequency, KnobStepsWrapInTheBandAndNeverMistune) {
  enum Event { OUTER_DOWN, OUTER_UP, INNER_DOWN, INNER_UP };
  struct Case { float start; RmuBand band; Event event; double expected; };
  const Case cases[] = {
      {118.00f, RMU_COM_BAND, INNER_DOWN, 135.99}, {135.99f, RMU_COM_BAND, INNER_UP, 118.00},
      {135.50f, RMU_COM_BAND, OUTER_UP, 118.50},   {118.50f, RMU_COM_BAND, OUTER_DOWN, 135.50},
      {117.95f, RMU_NAV_BAND, OUTER_UP, 108.95},   {108.00f, RMU_NAV_BAND, INNER_DOWN, 117.99},
      // Values the truncating encoding tuned wrongly.
      {128.01f, RMU_COM_BAND, INNER_DOWN, 128.00}, {127.02f, RMU_COM_BAND, INNER_UP, 127.03},
      {127.27f, RMU_COM_BAND, INNER_UP, 127.28},   {127.52f, RMU_COM_BAND, INNER_UP, 127.53},
      {127.77f, RMU_COM_BAND, INNER_UP, 127.78},   {127.99f, RMU_COM_BAND, INNER_UP, 128.00},
      // A field tuned from nothing lands in its band.
      {0.0f, RMU_COM_BAND, INNER_UP, 135.00},
  };
  for (const Case& c : cases) {
    RmuKnobs knobs{};
    bool* events[] = {&knobs.outer_down, &knobs.outer_up, &knobs.inner_down, &knobs.inner_up};
    *events[c.event] = true;
    float mhz = c.start;
    ASSERT_TRUE(rmu_frequency_knob_step(&mhz, c.band, &knobs));
    EXPECT_NEAR(mhz, c.expected, 1e-4) << c.start << " event " << c.event;
    EXPECT_FALSE(knobs.outer_down || knobs.outer_up || knobs.inner_down || knobs.inner_up);
  }
  // One event per step, outer before inner.
  RmuKnobs both{};
  both.inner_up = both.outer_down = true;
  float mhz = 120.0f;
  rmu_frequency_knob_step(&mhz, RMU_COM_BAND, &both);
  EXPECT_NEAR(mhz, 119.0, 1e-4);
  EXPECT_TRUE(both.inner_up);
}

TEST(RmuFrequency, AdfWordsAndTuning) {
  EXPECT_EQ(rmu_adf_word(1750), 0x1750);
  EXPECT_EQ(rmu_adf_word(350), 0x0350);
  EXPECT_EQ(rmu_adf_word(12345), 0x9999);
  EXPECT_NEAR(rmu_adf_frequency(0x0256, 0x0005), 256.5, 1e-4);

  struct Step { int32_t hundreds, units; bool RmuKnobs::*event; int32_t hundreds_after, units_after; };
  const Step steps[] = {
      {17, 50, &RmuKnobs::inner_up, 0, 50},  {0, 50, &RmuKnobs::inner_down, 17, 50},
      {3, 0, &RmuKnobs::outer_down, 3, 99},  {3, 99, &RmuKnobs::outer_up, 3, 0},
  };
  for (const Step& s : steps) {
    RmuKnobs knobs{};
    knobs.*s.event = true;
    int32_t hundreds = s.hundreds, units = s.units;
    ASSERT_TRUE(rmu_adf_knob_step(&hundreds, &units, &knobs));
    EXPECT_EQ(hundreds, s.hundreds_after);
    EXPECT_EQ(units, s.units_after);
  }
  // A simulator word with nibbles above 9 still gives a tuning state in range.
  int32_t hundreds = -1, units = -1;
  rmu_adf_tuning_of(rmu_adf_frequency(0xFFFF, 0x00FF), &hundreds, &units);
  EXPECT_EQ(hundreds, 17);
  EXPECT_EQ(units, 99);
  rmu_adf_tuning_of(256.5f, &hundreds, &units);
  EXPECT_EQ(hundreds, 2);
  EXPECT_EQ(units, 56);
}

}  // namespace
