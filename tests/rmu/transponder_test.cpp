// Squawk digits, TCAS range and band under the knob, and the band's bits in
// the shared band byte.
#include <gtest/gtest.h>

#include "rmu/rmu_transponder.h"

namespace {

enum Knob { INNER_DOWN, INNER_UP, OUTER_DOWN, OUTER_UP };

RmuKnobs knob(Knob k) {
  RmuKnobs knobs{};
  (k == INNER_DOWN ? knobs.inner_down : k == INNER_UP ? knobs.inner_up : k == OUTER_DOWN ? knobs.outer_down : knobs.outer_up) = true;
  return knobs;
}

TEST(RmuTransponder, CodeStepsWrapEachPairWithoutCarry) {
  struct Case { uint16_t before; Knob step; uint16_t after; };
  const Case cases[] = {
      {0, OUTER_DOWN, 77}, {77, OUTER_UP, 0}, {7, OUTER_UP, 10}, {7777, INNER_UP, 77},
      {1200, INNER_DOWN, 1100}, {1000, INNER_DOWN, 700}, {7700, OUTER_UP, 7701}, {10, OUTER_DOWN, 7},
  };
  for (const Case& c : cases) {
    uint8_t d[4] = {static_cast<uint8_t>(c.before % 10), static_cast<uint8_t>(c.before / 10 % 10),
                    static_cast<uint8_t>(c.before / 100 % 10), static_cast<uint8_t>(c.before / 1000)};
    RmuKnobs k = knob(c.step);
    ASSERT_TRUE(rmu_transponder_knob_step(d, &k));
    EXPECT_EQ(rmu_transponder_code(d), c.after) << c.before;
    EXPECT_FALSE(k.inner_down || k.inner_up || k.outer_down || k.outer_up);
  }
  const uint8_t code_1200[4] = {0, 0, 2, 1};
  EXPECT_EQ(rmu_transponder_word(code_1200), 0x1200);
}

TEST(RmuTransponder, RangeHoldsAndBandWrapsIntoTheSharedByte) {
  struct RangeCase { uint8_t before; Knob step; uint8_t after; };
  for (const RangeCase& c : {RangeCase{40, OUTER_UP, 40}, RangeCase{6, OUTER_DOWN, 6}, RangeCase{20, OUTER_UP, 22}}) {
    uint8_t range = c.before;
    RmuKnobs k = knob(c.step);
    rmu_tcas_range_step(&range, &k);
    EXPECT_EQ(range, c.after);
  }
  struct BandCase { int32_t before; Knob step; int32_t after; uint8_t byte_read, byte; };
  const BandCase bands[] = {
      {2, OUTER_UP, 0, 0x08, 0x04},  // BELOW up: NORMAL, bits 3..2 = 01
      {0, OUTER_DOWN, 2, 0x04, 0x08},
      {0, OUTER_UP, 1, 0xF3, 0xFF},  // the other bits pass through
      {1, INNER_UP, 1, 0x00, 0x0C},  // the inner knob does not step the band
  };
  for (const BandCase& c : bands) {
    int32_t band = c.before;
    RmuKnobs k = knob(c.step);
    rmu_tcas_band_step(&band, &k);
    EXPECT_EQ(band, c.after) << c.before;
    EXPECT_EQ(rmu_band_byte(c.byte_read, band), c.byte) << c.before;
  }
}

}  // namespace
