// Conversions of the display unit's raw values: the formulas, and that a
// conversion repeated over unchanged raw values (a failed batch) gives the
// same values instead of stacking up.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>

#include "mfd/mfd_convert.h"

namespace {

MfdValues convert(const MfdRaw& raw, MfdLimits limits = MfdLimits{}) {
  MfdValues v{};
  mfd_convert_values(raw, limits, &v);
  return v;
}

TEST(MfdConvert, FormulasInDoubleFromRaw) {
  struct Case {
    const char* what;
    std::function<void(MfdRaw&)> set;
    std::function<double(const MfdValues&)> get;
    double expected;
  };
  const Case cases[] = {
      {"oil psi", [](MfdRaw& r) { r.left_oil_pressure = 72.0 * 144; }, [](auto& v) { return v.left_oil_pressure; }, 72},
      {"oil C", [](MfdRaw& r) { r.right_oil_temperature = 8192; }, [](auto& v) { return v.right_oil_temperature; }, 70},
      {"hydraulic psi", [](MfdRaw& r) { r.left_hydraulic_pressure = 3001 * 4 + 2; },
       [](auto& v) { return v.left_hydraulic_pressure; }, 3001.5},
      {"weight per gallon", [](MfdRaw& r) { r.fuel_weight = 1715; }, [](auto& v) { return v.fuel_weight_per_gallon; },
       1715 / 256.0},
      {"flap ceiling", [](MfdRaw& r) { r.flap_position = 4096; }, [](auto& v) { return double(v.flap_angle); }, 11},
      {"spoiler ceiling", [](MfdRaw& r) { r.left_spoiler_position = 1; },
       [](auto& v) { return double(v.left_spoiler_angle); }, 1},
      {"TAS truncated", [](MfdRaw& r) { r.true_airspeed = 250 * 128 + 127; },
       [](auto& v) { return double(v.true_airspeed); }, 250},
      {"SAT", [](MfdRaw& r) { r.air_temperature = 212.0; }, [](auto& v) { return v.air_temperature; }, 100},
      {"OAT", [](MfdRaw& r) { r.outside_air_temperature = -15 * 256 - 128; },
       [](auto& v) { return v.outside_air_temperature; }, -15.5},
      {"ITT", [](MfdRaw& r) { r.left_itt = 491.67 + 900; }, [](auto& v) { return v.left_itt; }, 500},
      {"N1", [](MfdRaw& r) { r.right_n1 = 16384; }, [](auto& v) { return v.right_n1; }, 100},
      {"reverse lever", [](MfdRaw& r) { r.left_thrust_lever = -4096; }, [](auto& v) { return v.left_thrust_lever; },
       -25},
      {"heading bug rounds", [](MfdRaw& r) { r.autopilot_heading_setting = 182; },
       [](auto& v) { return double(v.heading_bug); }, 1},
      {"ground speed", [](MfdRaw& r) { r.ground_speed = 10000000; }, [](auto& v) { return v.ground_speed; }, 296.61},
  };
  for (const Case& c : cases) {
    MfdRaw raw{};
    c.set(raw);
    EXPECT_NEAR(c.get(convert(raw)), c.expected, 1e-6) << c.what;
  }
}

TEST(MfdConvert, RepeatedConversionGivesTheSameValues) {
  MfdRaw raw{};
  raw.left_oil_pressure = 9000;
  raw.right_hydraulic_pressure = 12000;
  raw.true_airspeed = 300 * 128;
  raw.air_temperature = 50;
  raw.outside_air_temperature = -20 * 256;
  raw.fuel_weight = 1715;
  raw.left_tank_capacity = 500;
  raw.left_tank_level = 8388608 / 2;
  MfdValues once{}, again{};
  mfd_convert_values(raw, MfdLimits{}, &once);
  again = once;
  for (int frame = 0; frame < 3; ++frame) mfd_convert_values(raw, MfdLimits{}, &again);
  EXPECT_EQ(std::memcmp(&once, &again, sizeof once), 0);
  EXPECT_DOUBLE_EQ(again.left_oil_pressure, 62.5);
}

TEST(MfdConvert, FuelFigures) {
  MfdRaw raw{};
  raw.fuel_weight = 1715;                 // 6.699 lb/gal
  raw.left_tank_capacity = 300;           // 2009 lb
  raw.right_tank_capacity = 300;
  raw.fuselage_tank_capacity = 100;       // 669 lb
  raw.left_tank_level = 8388608 / 4;      // a quarter: 502.25 lb
  raw.right_tank_level = 8388608;
  raw.fuselage_tank_level = 0;
  MfdValues v = convert(raw, MfdLimits{0, 0, 3000});
  EXPECT_EQ(v.left_tank_capacity_lb, 2009);
  EXPECT_EQ(v.fuselage_tank_capacity_lb, 669);
  EXPECT_DOUBLE_EQ(v.left_tank_lb, 502.25);
  EXPECT_EQ(v.total_fuel_lb, 2511);
  EXPECT_EQ(v.initial_fuel_lb, 3000);
  EXPECT_EQ(v.fuel_used_lb, 489);
  mfd_fuel_figures_disconnected(MfdLimits{}, &v);
  EXPECT_EQ(v.initial_fuel_lb, MFD_DEFAULT_MAX_FUEL);
  EXPECT_EQ(v.total_fuel_lb, 0);
  EXPECT_EQ(v.fuel_used_lb, 0);
}

TEST(MfdConvert, MagneticHeadingStaysBelow360) {
  struct Case { double true_heading, variation, expected; };
  const Case cases[] = {{350, -15, 5}, {10, 15, 355}, {100, 10, 90}, {345, -15, 0}, {0, 0, 0}};
  for (const Case& c : cases)
    EXPECT_NEAR(mfd_magnetic_heading(c.true_heading, c.variation), c.expected, 1e-9) << c.true_heading;
}

TEST(MfdConvert, WholeNumbersAreClampedAndTextIsTerminated) {
  EXPECT_EQ(mfd_whole(7e13, -100, 100), 100);
  EXPECT_EQ(mfd_whole(-7e13, -100, 100), -100);
  EXPECT_EQ(mfd_whole(NAN, -100, 100), 0);
  EXPECT_EQ(mfd_whole(-3.9, -100, 100), -3);
  MfdRaw raw{};
  std::memcpy(raw.gps_next_waypoint, "ABCDEF", 6);
  std::memcpy(raw.navigation_ident, "KLM\0\0\0", 6);
  MfdValues v = convert(raw);
  EXPECT_STREQ(v.gps_next_waypoint, "ABCDEF");
  EXPECT_STREQ(v.navigation_ident, "KLM");
}

}  // namespace
