#include <gtest/gtest.h>

#include "simlink/cells.h"

TEST(Cells, SideSelectionPicksEachSidesOwnCells) {
  EfisCells captain = efis_cells(0), first_officer = efis_cells(1);
  EXPECT_EQ(captain.mode, 0x73FEu);
  EXPECT_EQ(captain.companion, 0x73FFu);
  EXPECT_EQ(captain.bearing1, 0x73DBu);
  EXPECT_EQ(captain.bearing2, 0x73DCu);
  EXPECT_EQ(captain.minimums_knob, 0x73D2u);
  EXPECT_EQ(captain.dimming, 0x73D7u);
  EXPECT_EQ(captain.reload_bit, 0x01);
  EXPECT_EQ(first_officer.mode, 0x73D0u);
  EXPECT_EQ(first_officer.companion, 0x73D1u);
  EXPECT_EQ(first_officer.bearing1, 0x73DDu);
  EXPECT_EQ(first_officer.bearing2, 0x73DEu);
  EXPECT_EQ(first_officer.minimums_knob, 0x73D3u);
  EXPECT_EQ(first_officer.dimming, 0x73DAu);
  EXPECT_EQ(first_officer.reload_bit, 0x02);

  DuCells du2 = du_cells(1), du3 = du_cells(0);
  EXPECT_EQ(du2.softkeys, 0x73F8u);
  EXPECT_EQ(du2.knob, 0x73FCu);
  EXPECT_EQ(du2.dimming, 0x73D8u);
  EXPECT_EQ(du3.softkeys, 0x73F9u);
  EXPECT_EQ(du3.knob, 0x73FDu);
  EXPECT_EQ(du3.dimming, 0x73D9u);

  RmuCells rmu1 = rmu_cells(0), rmu2 = rmu_cells(1);
  EXPECT_EQ(rmu1.buttons_a, 0x73F0u);
  EXPECT_EQ(rmu1.buttons_b, 0x73F1u);
  EXPECT_EQ(rmu1.inner_knob, 0x73F4u);
  EXPECT_EQ(rmu1.outer_knob, 0x73F5u);
  EXPECT_EQ(rmu2.buttons_a, 0x73F2u);
  EXPECT_EQ(rmu2.buttons_b, 0x73F3u);
  EXPECT_EQ(rmu2.inner_knob, 0x73F6u);
  EXPECT_EQ(rmu2.outer_knob, 0x73F7u);
}

TEST(Cells, NavGpsCouplingBitNamesExactlyOneSide) {
  for (int flags = 0; flags < 256; ++flags) {
    bool fo = (flags & 0x02) != 0;
    EXPECT_EQ(side_drives_nav_gps(0, uint8_t(flags)), !fo) << flags;
    EXPECT_EQ(side_drives_nav_gps(1, uint8_t(flags)), fo) << flags;
  }
}

TEST(Cells, CounterTakesOneStepPerChangeWithWrap) {
  EXPECT_EQ(counter_direction(10, 200), STEP_UP);
  EXPECT_EQ(counter_direction(0, 255), STEP_DOWN);
  EXPECT_EQ(counter_direction(255, 0), STEP_UP);
  EXPECT_EQ(counter_direction(200, 10), STEP_DOWN);
  EXPECT_EQ(counter_direction(7, 7), STEP_NONE);
  // Only the two neighbours of the wrap are special: 254 -> 0 is a decrease.
  EXPECT_EQ(counter_direction(254, 0), STEP_DOWN);
  EXPECT_EQ(counter_direction(0, 254), STEP_UP);
}

TEST(Cells, CounterReaderSeedsFromItsFirstValue) {
  CounterReader reader{};
  EXPECT_EQ(counter_step(&reader, 57), STEP_NONE);  // late start: no phantom step
  EXPECT_EQ(counter_step(&reader, 57), STEP_NONE);
  EXPECT_EQ(counter_step(&reader, 58), STEP_UP);
  EXPECT_EQ(counter_step(&reader, 100), STEP_UP);   // a jump is still one step
  EXPECT_EQ(counter_step(&reader, 99), STEP_DOWN);

  CounterReader at_wrap{};
  EXPECT_EQ(counter_step(&at_wrap, 0), STEP_NONE);
  EXPECT_EQ(counter_step(&at_wrap, 255), STEP_DOWN);
  EXPECT_EQ(counter_step(&at_wrap, 0), STEP_UP);
}

TEST(Cells, RisingBitIsTheLowestNewlySetWithinRange) {
  EXPECT_EQ(lowest_rising_bit(0x00, 0x00, 6), -1);
  EXPECT_EQ(lowest_rising_bit(0x00, 0x24, 6), 2);
  EXPECT_EQ(lowest_rising_bit(0x04, 0x24, 6), 5);   // bit 2 held, bit 5 new
  EXPECT_EQ(lowest_rising_bit(0x24, 0x24, 6), -1);  // held buttons do not repeat
  EXPECT_EQ(lowest_rising_bit(0x00, 0xC0, 6), -1);  // bits beyond the soft keys ignored
  EXPECT_EQ(lowest_rising_bit(0x00, 0x80, 8), 7);
}

TEST(Cells, ReplaceBitsChangesOnlyTheMaskAndReportsChange) {
  bool changed = true;
  EXPECT_EQ(replace_bits(0x41, 0x01, 0x00, &changed), 0x40);
  EXPECT_TRUE(changed);
  EXPECT_EQ(replace_bits(0x40, 0x01, 0x00, &changed), 0x40);
  EXPECT_FALSE(changed);
  // Bits outside the mask in `bits` are not taken over.
  EXPECT_EQ(replace_bits(0xF3, 0x0C, 0xFF, &changed), 0xFF);
  EXPECT_EQ(replace_bits(0xF3, 0x0C, 0x08, &changed), 0xFB);
}
