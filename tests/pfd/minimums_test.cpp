#include <gtest/gtest.h>

#include "pfd/minimums.h"

namespace {
MinimumsState fresh() {
  MinimumsState m;
  minimums_reset(&m);
  return m;
}
}  // namespace

TEST(Minimums, StartsOffWith200FeetAndNoRequest) {
  MinimumsState m = fresh();
  EXPECT_EQ(m.mode, MINIMUMS_OFF);
  EXPECT_EQ(m.ra_minimums, 200);
  EXPECT_EQ(m.baro_minimums, 200);
  EXPECT_EQ(m.button_request, BUTTON_NONE);
}

TEST(Minimums, ModeCyclesOffRaBaroOffOnBit6RisingEdgesOnly) {
  MinimumsState m = fresh();
  const int expected[] = {MINIMUMS_RA, MINIMUMS_BARO, MINIMUMS_OFF, MINIMUMS_RA};
  for (int mode : expected) {
    minimums_bit6_step(&m, 0x40 | 0x03);  // other bits do not matter
    minimums_mode_step(&m);
    EXPECT_EQ(m.mode, mode);
    // Held: no further change.
    minimums_bit6_step(&m, 0x40);
    minimums_mode_step(&m);
    EXPECT_EQ(m.mode, mode);
    minimums_bit6_step(&m, 0x00);
    minimums_mode_step(&m);
    EXPECT_EQ(m.mode, mode);
  }
  EXPECT_EQ(m.button_request, BUTTON_NONE);
}

TEST(Minimums, StepsMoveOnlyTheActiveMinimumsAndGoBelowZero) {
  MinimumsState m = fresh();
  m.minimums_step_up = true;
  minimums_mode_step(&m);  // mode off: nothing
  EXPECT_EQ(m.ra_minimums, 200);
  EXPECT_EQ(m.baro_minimums, 200);
  EXPECT_FALSE(m.minimums_step_up);

  m.mode = MINIMUMS_RA;
  for (int i = 0; i < 25; i++) {
    m.minimums_step_down = true;
    minimums_mode_step(&m);
  }
  EXPECT_EQ(m.ra_minimums, -50);
  EXPECT_EQ(m.baro_minimums, 200);

  m.mode = MINIMUMS_BARO;
  m.minimums_step_up = true;
  minimums_mode_step(&m);
  EXPECT_EQ(m.baro_minimums, 210);
  EXPECT_EQ(m.ra_minimums, -50);
}

TEST(Minimums, MinimumsStayInsideTheReadoutField) {
  MinimumsState m = fresh();
  m.mode = MINIMUMS_RA;
  m.ra_minimums = MINIMUMS_LIMIT_FEET - 5;
  m.minimums_step_up = true;
  minimums_mode_step(&m);
  EXPECT_EQ(m.ra_minimums, MINIMUMS_LIMIT_FEET);
}

TEST(Baro, StandardButtonWrites16211) {
  MinimumsState m = fresh();
  m.button_request = BUTTON_STANDARD_BARO;
  uint16_t value = 0;
  ASSERT_TRUE(minimums_baro_step(&m, 30.12, &value));
  EXPECT_EQ(value, 16211);
  EXPECT_EQ(m.button_request, BUTTON_NONE);
  EXPECT_FALSE(minimums_baro_step(&m, 29.92, &value));  // served once
}

TEST(Baro, StepsOfOneHundredthRoundTripThroughTheOffset) {
  MinimumsState m = fresh();
  double inches = 29.92;
  for (int i = 0; i < 3; i++) {
    m.baro_step_up = true;
    uint16_t value = 0;
    ASSERT_TRUE(minimums_baro_step(&m, inches, &value));
    // The displayed inches come back from the offset on the next exchange.
    inches = static_cast<int>(value / 5.417411) / 100.0;
  }
  EXPECT_NEAR(inches, 29.95, 1e-9);
  m.baro_step_down = true;
  uint16_t value = 0;
  ASSERT_TRUE(minimums_baro_step(&m, inches, &value));
  EXPECT_NEAR(static_cast<int>(value / 5.417411) / 100.0, 29.94, 1e-9);
}

TEST(Baro, UnboundedStepsNeverWrapTheOffset) {
  EXPECT_EQ(baro_offset_value(-5.0), baro_offset_value(BARO_MIN_INCHES));
  EXPECT_EQ(baro_offset_value(500.0), baro_offset_value(BARO_MAX_INCHES));
  EXPECT_EQ(baro_offset_value(0.0 / 0.0), baro_offset_value(BARO_MIN_INCHES));
  EXPECT_GT(baro_offset_value(BARO_MIN_INCHES), 11900);  // 745 hPa x 16
  EXPECT_LT(baro_offset_value(BARO_MAX_INCHES), 17610);  // 1100 hPa x 16
  // Stepping down from the bottom of the window stays there.
  MinimumsState m = fresh();
  m.baro_step_down = true;
  uint16_t value = 0;
  ASSERT_TRUE(minimums_baro_step(&m, BARO_MIN_INCHES, &value));
  EXPECT_EQ(value, baro_offset_value(BARO_MIN_INCHES));
}

TEST(MinimumsAlert, DueOncePerCrossingInTheActiveModeOnly) {
  MinimumsState m = fresh();
  m.mode = MINIMUMS_RA;
  int alerts = 0;
  const double heights[] = {500, 300, 199, 150, 100, 250, 180, 170};
  for (double h : heights) {
    minimums_update_passed(&m, h, 5000.0);
    alerts += minimums_alert_due(&m);
  }
  EXPECT_EQ(alerts, 2);  // at 199 and, after clearing at 250, at 180
  EXPECT_TRUE(minimums_alert_shown(&m));

  // BARO passed while in RA mode: no alert, no box for it.
  MinimumsState b = fresh();
  b.mode = MINIMUMS_RA;
  minimums_update_passed(&b, 5000.0, 100.0);
  EXPECT_FALSE(minimums_alert_due(&b));
  EXPECT_FALSE(minimums_alert_shown(&b));
  b.mode = MINIMUMS_BARO;  // already passed: switching modes is no new crossing
  minimums_update_passed(&b, 5000.0, 100.0);
  EXPECT_FALSE(minimums_alert_due(&b));
  EXPECT_TRUE(minimums_alert_shown(&b));
}
