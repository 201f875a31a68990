// The airspeed tape's derived speeds, tape mode and readout colour rule.
#include <gtest/gtest.h>

#include <cmath>

#include "pfd/speed_tape_logic.h"

namespace {

struct SpeedCase {
  PfdDerived d{};
  AircraftConfig c{};
  SpeedTapeState s{};
  int16_t oat = 15 * 256;
  SpeedCase() {
    c.vmo = 335;
    c.mmo = 0.81f;
    c.vmin = 110;
    d.ias = 250;
    d.tas = 250;
    d.oat_rankine = (15 + 273.15) * 1.8;
  }
  void update(bool bit6 = false) { speed_tape_update(&s, d, oat, c, bit6); }
};

TEST(SpeedTape, FlapLimitedSpeedByFlapAngle) {
  SpeedCase k;
  const int flaps[] = {0, 8, 20, 40};
  const double expected[] = {335, 250, 200, 150};
  for (int i = 0; i < 4; ++i) {
    k.d.flap_angle = flaps[i];
    k.update();
    EXPECT_NEAR(k.s.flap_limited_speed, expected[i], 0.01) << flaps[i];
  }
  k.d.flap_angle = 45;  // beyond the table: last value stands
  k.update();
  EXPECT_NEAR(k.s.flap_limited_speed, 150, 0.01);
}

TEST(SpeedTape, MachOfSpeedAndLimits) {
  SpeedCase k;
  k.d.tas = 270;  // TAS - IAS = 20
  k.update();
  const double sound = 38.967854 * std::sqrt(15 + 273.15);
  EXPECT_NEAR(mach_of_speed(250, k.d, k.oat), 270 / sound, 1e-12);
  EXPECT_NEAR(k.s.vmin_mach, 130 / sound, 1e-12);
  // MMO 0 makes 0.81 the limit; a low flap-limited Mach wins when lower.
  k.c.mmo = 0;
  k.update();
  EXPECT_NEAR(k.s.max_mach_effective, std::min(0.81, (335 + 20) / sound), 1e-12);
  k.c.vmo = 600;
  k.update();
  EXPECT_DOUBLE_EQ(k.s.max_mach_effective, 0.81);
  // The Mach limit as indicated speed uses last frame's effective maximum Mach.
  const double previous = k.s.max_mach_effective;
  k.c.mmo = 0.5f;
  k.update();
  EXPECT_NEAR(k.s.mach_limit_ias, 0.59248 * previous * std::sqrt(2402.4 * k.d.oat_rankine) - 20, 1e-9);
  EXPECT_DOUBLE_EQ(k.s.max_mach_effective, 0.5);
  k.d.indicated_altitude = 36001;
  k.update();
  EXPECT_NEAR(k.s.mach_limit_ias, 464.13 - 20, 1e-9);
  EXPECT_NEAR(k.s.max_allowable_speed, std::min(k.s.flap_limited_speed, 444.13), 1e-9);
}

TEST(SpeedTape, TrendOnlyWhenAcceleratingInTheAir) {
  SpeedCase k;
  k.d.acceleration = 2;
  k.update();
  EXPECT_NEAR(k.s.trend_speed, 250 + 2 * 10 * 0.59248, 1e-9);
  k.d.acceleration = 0;
  k.d.ias = 260;
  k.update();
  EXPECT_NEAR(k.s.trend_speed, 250 + 2 * 10 * 0.59248, 1e-9);  // kept
  k.d.acceleration = 5;
  k.d.on_ground = true;
  k.update();
  EXPECT_NEAR(k.s.trend_speed, 250 + 2 * 10 * 0.59248, 1e-9);
}

TEST(SpeedTape, TrendShownFromFirstAirborneComputationUntilTheGround) {
  struct Step { bool on_ground; double acceleration; bool shown; };
  const Step steps[] = {{true, 5, false},  {false, 0, false}, {false, 2, true}, {false, 0, true},
                        {true, 0, false},  {false, 0, false}, {false, -1, true}};
  SpeedCase k;
  int n = 0;
  for (const Step& step : steps) {
    k.d.on_ground = step.on_ground;
    k.d.acceleration = step.acceleration;
    k.update();
    EXPECT_EQ(speed_trend_shown(k.s, k.d), step.shown) << "step " << n++;
  }
}

// The leading digits turn over with the drum: tens of knots, tenths of Mach.
TEST(SpeedTape, ReadoutLeadingDigitsAgreeWithTheDrum) {
  struct Case { double value; int tens; int row; };
  const Case knots[] = {{138.6, 13, 2}, {139.0, 13, 2}, {139.2, 13, 2}, {139.5, 14, 1}, {139.9, 14, 1},
                        {140.0, 14, 11}, {40.0, 4, 11}, {499.9, 50, 1}};
  for (const Case& c : knots) {
    EXPECT_EQ(speed_readout_tens(c.value), c.tens) << c.value;
    EXPECT_EQ(speed_drum_row(c.value - std::floor(c.value / 10) * 10), c.row) << c.value;
  }
  const Case mach[] = {{0.786, 7, 2}, {0.792, 7, 2}, {0.796, 8, 1}, {0.80, 8, 11}};
  for (const Case& c : mach) EXPECT_EQ(mach_readout_tenths(c.value), c.tens) << c.value;
}

TEST(SpeedTape, MachTapeNeedsBit6AndMach040) {
  SpeedCase k;
  k.d.mach = 0.39;
  k.update(true);
  EXPECT_FALSE(k.s.mach_tape);
  k.d.mach = 0.40;
  k.update(true);
  EXPECT_TRUE(k.s.mach_tape);
  k.update(false);
  EXPECT_FALSE(k.s.mach_tape);
}

TEST(SpeedTape, FlapLimitedMachOfTheMachTape) {
  SpeedCase k;
  k.d.flap_angle = 0;
  k.update();
  EXPECT_DOUBLE_EQ(k.s.flap_limited_mach, k.s.max_mach_effective);
  k.d.flap_angle = 10;
  k.update();
  EXPECT_NEAR(k.s.flap_limited_mach, 0.00009 * 100 - 0.094 + 0.4861, 1e-12);
}

TEST(SpeedTape, ReadoutColourRule) {
  SpeedCase k;
  k.c.vmo = 300;
  k.d.acceleration = 0.001;  // a trend near IAS (it starts at 0, below VMIN)
  k.update();
  k.update();  // settle the effective maximum Mach
  EXPECT_EQ(speed_readout_colour(k.s, k.d, k.c), READOUT_NORMAL);
  k.d.acceleration = 10;  // trend 309 > max 300 > IAS 250
  k.update();
  EXPECT_EQ(speed_readout_colour(k.s, k.d, k.c), READOUT_AMBER);
  k.d.ias = 305;
  k.d.tas = 305;
  k.update();
  EXPECT_EQ(speed_readout_colour(k.s, k.d, k.c), READOUT_RED);
  k.d.on_ground = true;
  EXPECT_EQ(speed_readout_colour(k.s, k.d, k.c), READOUT_NORMAL);
  k.d.on_ground = false;
  k.d.ias = 110;  // at VMIN
  k.d.acceleration = 0;
  k.update();
  EXPECT_EQ(speed_readout_colour(k.s, k.d, k.c), READOUT_RED);
  k.d.ias = 115;
  k.d.acceleration = -5;  // trend below VMIN while above it
  k.update();
  EXPECT_EQ(speed_readout_colour(k.s, k.d, k.c), READOUT_AMBER);
}

TEST(SpeedTape, HostileTemperatureNeverDividesByZero) {
  SpeedCase k;
  k.oat = -32768;  // -128 C x 256: below absolute zero after scaling? no, but far out
  k.d.oat_rankine = -1000;
  k.update();
  EXPECT_TRUE(std::isfinite(k.s.max_mach_effective));
  EXPECT_TRUE(std::isfinite(k.s.mach_limit_ias));
}

}  // namespace
