// Conversions of raw simulator values into the PFD's engineering units.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "pfd/heading_logic.h"
#include "pfd/pfd_convert.h"
#include "simlink/cells.h"

namespace {

PfdDerived convert(const PfdRaw& raw, int32_t max_flaps = 40) {
  AircraftConfig config{};
  config.max_flaps = max_flaps;
  PfdDerived out{};
  convert_raw(raw, config, &out);
  return out;
}

TEST(PfdHelpers, NudgedIntegerRoundsOnlyFromATenthBelow) {
  EXPECT_EQ(nudged_int(99.95), 100);
  EXPECT_EQ(nudged_int(99.85), 99);
  EXPECT_EQ(nudged_int(-99.95), -100);
  EXPECT_EQ(nudged_int(-99.85), -99);
  EXPECT_EQ(nudged_int(0.0), 0);
  EXPECT_EQ(nudged_int(1e300), 0);  // out of range never becomes undefined behaviour
  EXPECT_EQ(nudged_int(NAN), 0);
}

TEST(PfdHelpers, SignedAndNormalisedAngles) {
  EXPECT_DOUBLE_EQ(signed_angle(180.0), 180.0);
  EXPECT_DOUBLE_EQ(signed_angle(181.0), -179.0);
  EXPECT_DOUBLE_EQ(signed_angle(-10.0), -10.0);
  EXPECT_NEAR(normalise_angle(190.0), -170.0, 0.01);
  EXPECT_NEAR(normalise_angle(-190.0), 170.0, 0.01);
  EXPECT_NEAR(normalise_angle(550.0), -170.0, 0.01);   // 2 pi removed twice
  EXPECT_NEAR(normalise_angle(910.0), -170.0, 0.02);   // three times
  EXPECT_NEAR(normalise_angle(-910.0), 170.0, 0.02);
  EXPECT_NEAR(normalise_angle(45.0), 45.0, 1e-9);
}

TEST(PfdConvert, AttitudeUsesItsOwnScaleAndSigns) {
  PfdRaw raw{};
  raw.pitch = -100000000;  // simulator: nose up is negative
  raw.bank = 200000000;    // simulator: left bank is positive
  PfdDerived v = convert(raw);
  EXPECT_DOUBLE_EQ(v.pitch, 100000000 * 8.319e-8);
  EXPECT_DOUBLE_EQ(v.bank, -200000000 * 8.319e-8);
}

TEST(PfdConvert, FlightDirectorBankDroppedBeyond90OrWithoutHeadingHold) {
  PfdRaw raw{};
  raw.fd_pitch = 5.0;
  raw.fd_bank = 25.0;
  raw.heading_hold = 1;
  PfdDerived v = convert(raw);
  EXPECT_DOUBLE_EQ(v.fd_pitch, -5.0);
  EXPECT_DOUBLE_EQ(v.fd_bank, 25.0);
  raw.fd_bank = 120.0;
  EXPECT_DOUBLE_EQ(convert(raw).fd_bank, 0.0);
  raw.fd_bank = 25.0;
  raw.heading_hold = 0;
  EXPECT_DOUBLE_EQ(convert(raw).fd_bank, 0.0);
  raw.fd_pitch = NAN;
  EXPECT_DOUBLE_EQ(convert(raw).fd_pitch, 0.0);
}

TEST(PfdConvert, HeadingStaysIn0To360WithEitherVariationSign) {
  PfdRaw raw{};
  raw.heading = static_cast<uint32_t>(355.0 / 8.381e-8);
  raw.magnetic_variation = static_cast<int16_t>(-10.0 * 65536 / 360);  // 10 degrees west
  PfdDerived v = convert(raw);
  EXPECT_GE(v.heading, 0.0);
  EXPECT_LT(v.heading, 360.0);
  EXPECT_NEAR(v.heading, 5.0, 0.01);
  EXPECT_NEAR(v.magnetic_variation, -10.0, 0.01);
  raw.heading = static_cast<uint32_t>(5.0 / 8.381e-8);
  raw.magnetic_variation = static_cast<int16_t>(10.0 * 65536 / 360);  // 10 east
  EXPECT_NEAR(convert(raw).heading, 355.0, 0.01);
}

TEST(PfdConvert, SpeedsAndMach) {
  PfdRaw raw{};
  raw.ias = 250 * 128 + 64;
  raw.tas = 300 * 128 + 127;
  raw.ground_speed = 5000000;
  raw.mach = 16384;
  raw.mach_target = static_cast<uint32_t>(0.7795 * 65536);  // 77.95 -> nudged 78
  PfdDerived v = convert(raw);
  EXPECT_FLOAT_EQ(v.ias, 250.5f);
  EXPECT_EQ(v.tas, 300);
  EXPECT_EQ(v.ground_speed, static_cast<int32_t>(5000000 * 2.9661e-05));
  EXPECT_DOUBLE_EQ(v.mach, 0.8);
  EXPECT_DOUBLE_EQ(v.mach_target, 0.78);  // never 0 from integer division
  raw.ias = 10 * 128;
  EXPECT_FLOAT_EQ(convert(raw).ias, 40.0f);
  raw.ias = 600 * 128;
  EXPECT_FLOAT_EQ(convert(raw).ias, 500.0f);
}

TEST(PfdConvert, AccelerationIgnoredBelowFiveKnots) {
  PfdRaw raw{};
  raw.acceleration = 2.5;
  raw.ias = 4 * 128;
  EXPECT_DOUBLE_EQ(convert(raw).acceleration, 0.0);
  raw.ias = 5 * 128;
  EXPECT_DOUBLE_EQ(convert(raw).acceleration, 2.5);
}

TEST(PfdConvert, FlapAngleInRealArithmetic) {
  PfdRaw raw{};
  raw.flaps = 16383 / 2;
  EXPECT_EQ(convert(raw, 40).flap_angle, 20);  // ceil(40 / 16383 * 8191) = ceil(19.998)
  raw.flaps = 1;
  EXPECT_EQ(convert(raw, 40).flap_angle, 1);
  raw.flaps = 16383;
  EXPECT_EQ(convert(raw, 40).flap_angle, 40);
  raw.flaps = UINT32_MAX;  // hostile values stay defined
  EXPECT_EQ(convert(raw, INT32_MAX).flap_angle, 1000000);
}

TEST(PfdConvert, AltitudesAndVerticalSpeed) {
  PfdRaw raw{};
  raw.indicated_altitude = 12345;
  raw.selected_altitude = 1000 * 65536;
  raw.ground_elevation = 256 * 100;
  raw.radio_altitude = 500 * 65536;
  raw.gps_altitude = 1000.0;
  raw.vertical_speed = 1000;
  raw.vertical_speed_target = -1500;
  raw.altitude_hold = 1;
  PfdDerived v = convert(raw);
  EXPECT_DOUBLE_EQ(v.indicated_altitude, 12345.0);
  EXPECT_FLOAT_EQ(v.selected_altitude, static_cast<float>(1000 * 65536 * 3.28084 / 65536));
  EXPECT_DOUBLE_EQ(v.ground_elevation, 25600 * 0.01281578125);
  EXPECT_FLOAT_EQ(v.radio_altitude, static_cast<float>(500 * 3.28084 - 3));
  EXPECT_DOUBLE_EQ(v.gps_altitude, 3281.0);
  EXPECT_DOUBLE_EQ(v.height_above_ground, 3281.0 - 25600 * 0.01281578125);
  EXPECT_DOUBLE_EQ(v.vertical_speed, 768.946875);
  EXPECT_EQ(v.vertical_speed_target, -1500);
  raw.altitude_hold = 0;
  raw.on_ground = 1;
  v = convert(raw);
  EXPECT_EQ(v.vertical_speed_target, 0);
  EXPECT_FLOAT_EQ(v.radio_altitude, 0.0f);
}

TEST(PfdConvert, BarometricSettingUsesItsOwnDivisor) {
  PfdRaw raw{};
  raw.baro = 16211;  // 1013.19 hPa x 16
  PfdDerived v = convert(raw);
  EXPECT_FLOAT_EQ(v.baro_inches, static_cast<int>(16211 / 5.417411) / 100.0f);
  EXPECT_FLOAT_EQ(v.baro_inches, 29.92f);
  EXPECT_EQ(v.baro_hpa, 1013);
}

TEST(PfdConvert, AnglesOfRadiosBugAndWind) {
  PfdRaw raw{};
  raw.nav1_radial = 16384;
  raw.nav2_radial = 32768;
  raw.adf1_bearing = -16384;
  raw.adf2_bearing = 8192;
  raw.heading_bug = static_cast<uint16_t>(359.95 * 65536 / 360);
  raw.wind_direction = 65535;
  PfdDerived v = convert(raw);
  EXPECT_DOUBLE_EQ(v.nav1_radial, 90.0);
  EXPECT_DOUBLE_EQ(v.nav2_radial, 180.0);
  EXPECT_DOUBLE_EQ(v.adf1_bearing, -90.0);
  EXPECT_DOUBLE_EQ(v.adf2_bearing, 45.0);
  EXPECT_EQ(v.heading_bug, 360);
  EXPECT_LT(v.wind_direction, 360.0);
}

TEST(PfdConvert, GpsAndPosition) {
  PfdRaw raw{};
  raw.gps_distance = 1852.0;
  raw.gps_bearing = 1.0;
  raw.gps_cross_track = 1852.0 * 3;
  raw.latitude = static_cast<int64_t>(45.0 / 90.0 * 10001750.0 * 65536.0 * 65536.0);
  raw.longitude = INT64_MIN / 2;  // -90 degrees
  PfdDerived v = convert(raw);
  EXPECT_NEAR(v.gps_distance, 1.0, 1e-6);
  EXPECT_DOUBLE_EQ(v.gps_desired_track, 57.29);
  EXPECT_NEAR(v.gps_cross_track, 3.0, 1e-3);
  EXPECT_NEAR(v.latitude, 45.0, 1e-9);
  EXPECT_NEAR(v.longitude, -90.0, 1e-9);
  raw.gps_cross_track = -1e9;
  EXPECT_DOUBLE_EQ(convert(raw).gps_cross_track, -5.0);
}

TEST(PfdConvert, TemperatureInRankine) {
  PfdRaw raw{};
  raw.outside_temperature = -56 * 256;
  EXPECT_DOUBLE_EQ(convert(raw).oat_rankine, (-56 + 273.15) * 1.8);
}

TEST(PfdConvert, SixByteIdentifiersAlwaysTerminated) {
  PfdRaw raw{};
  std::memcpy(raw.vor1_ident, "ABCDEF", 6);
  std::memcpy(raw.vor2_ident, "XY\0\0\0\0", 6);
  std::memcpy(raw.adf_ident, "NDBNDB", 6);
  std::memcpy(raw.gps_waypoint, "WPT123", 6);
  PfdDerived v = convert(raw);
  EXPECT_STREQ(v.vor1_ident, "ABCDEF");
  EXPECT_STREQ(v.vor2_ident, "XY");
  EXPECT_STREQ(v.adf_ident, "NDBNDB");
  EXPECT_STREQ(v.gps_waypoint, "WPT123");
}

TEST(PfdConvert, NavigationFlagsAndEfisModeByte) {
  PfdRaw raw{};
  raw.nav_flags = (1 << 1) | (1 << 4) | (1 << 6) | (1 << 11);
  raw.efis_mode = EFIS_MODE_BARO_HPA | EFIS_MODE_ARC | EFIS_MODE_NAV1;
  PfdDerived v = convert(raw);
  EXPECT_TRUE(v.nav1_signal && v.nav1_dme && v.nav1_localiser && v.adf2_signal);
  EXPECT_FALSE(v.nav2_signal || v.adf1_signal || v.nav2_dme || v.nav2_localiser);
  EXPECT_TRUE(v.baro_hpa_shown);
  EXPECT_TRUE(v.arc_compass);
  EXPECT_EQ(v.course_source, COURSE_SOURCE_NAV1);
  raw.nav_flags = (1 << 2) | (1 << 3) | (1 << 5) | (1 << 12);
  raw.efis_mode = EFIS_MODE_FMS | EFIS_MODE_NAV1;
  v = convert(raw);
  EXPECT_TRUE(v.nav2_signal && v.adf1_signal && v.nav2_dme && v.nav2_localiser);
  EXPECT_FALSE(v.baro_hpa_shown || v.arc_compass);
  EXPECT_EQ(v.course_source, COURSE_SOURCE_FMS);
  raw.efis_mode = 0;
  EXPECT_EQ(convert(raw).course_source, COURSE_SOURCE_NAV2);
}

}  // namespace
