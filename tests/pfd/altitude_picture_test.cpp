#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "pfd/altitude_format.h"
#include "pfd/minimums.h"
#include "pfd/pfd_exchange.h"
#include "pfd/pfd_groups.h"
#include "tests/pfd/picture_fixture.h"

namespace {
void set_altitude(double feet) { g_pfd.raw.indicated_altitude = static_cast<int32_t>(feet); }
void set_vertical_speed(double fpm) { g_pfd.raw.vertical_speed = static_cast<int32_t>(fpm / 0.768946875); }
void set_selected(double feet) { g_pfd.raw.selected_altitude = static_cast<uint32_t>(feet / 3.28084 * 65536 + 0.5); }
}  // namespace

TEST_F(PfdPicture, BaroReadoutInInchesOrHectopascals) {
  begin();
  draw_altitude_group();
  expect_colour("29.92 IN", 0, 1, 1);
  const auto hit = found("29.92 IN");
  ASSERT_FALSE(hit.empty());
  EXPECT_GT(hit[0].x, W * 0.6);   // lower right of the attitude area
  EXPECT_NEAR(hit[0].y, H * 0.48, H * 0.05);
  g_pfd.raw.efis_mode = 0x01;
  begin();
  draw_altitude_group();
  expect_colour("1013 MB", 0, 1, 1);
  EXPECT_FALSE(printed("29.92 IN"));
  // A hostile setting stays inside the field.
  g_pfd.raw.efis_mode = 0;
  g_pfd.raw.baro = 65535;
  begin();
  draw_altitude_group();
  for (const auto& p : text_captured()) EXPECT_LE(p.text.size(), 9u) << p.text;
}

TEST_F(PfdPicture, AltitudeLeadingDigitsAndZeroFlags) {
  struct Case { double feet; const char* text; int flags; };
  const Case cases[] = {{99, "", 3}, {100, "1", 2}, {5500, "55", 1}, {10000, "100", 0},
                        {-350, "", 3}, {1e12, "700", 0}};
  for (const Case& c : cases) {
    const LeadingDigits d = altitude_leading_digits(c.feet);
    EXPECT_STREQ(d.text, c.text) << c.feet;
    EXPECT_EQ(d.zero_flags, c.flags) << c.feet;
  }
  set_altitude(100);
  begin();
  draw_altitude_group();
  expect_colour("1", 1, 1, 1);
  // The hatched flags fill the two places left of the hundreds digit.
  const auto one = found("1");
  ASSERT_FALSE(one.empty());
  shot("altitude_100");
  set_altitude(10000);
  begin();
  draw_altitude_group();
  expect_colour("100", 1, 1, 1);
  // Labels of the 500-ft steps within 1000 ft.
  EXPECT_TRUE(printed("9000"));
  EXPECT_TRUE(printed("11000"));
  EXPECT_FALSE(printed("8500"));
}

TEST_F(PfdPicture, RollingDigitsFollowTheRemainder) {
  EXPECT_EQ(altitude_roll_remainder(5520), 20);
  EXPECT_EQ(altitude_roll_remainder(-20), -20);
  set_altitude(5520);
  begin();
  draw_altitude_group();
  // The drum prints its whole column; the "20" nearest the box centre is
  // the one that shows.
  const auto twenties = found("20");
  ASSERT_FALSE(twenties.empty());
  float best = 1e9f;
  for (const auto& p : twenties) best = std::min(best, std::abs(p.y - 163.0f));
  EXPECT_LT(best, 4.0f);
}

// What the drum's window shows, by position: the white two-digit entries
// whose row lies within 0.6 rows of the window's middle, top to bottom.
TEST_F(PfdPicture, RollingDigitsFillTheWindowAtEveryRemainder) {
  struct Case { double feet; std::vector<std::string> shown; };
  const Case cases[] = {{-95, {"00"}}, {-50, {"60", "40"}}, {5000, {"00"}},
                        {5020, {"20"}}, {5050, {"60", "40"}}, {5095, {"00"}}};
  const float window_top = H * (1 - 0.683f - 0.049f), window_bottom = H * (1 - 0.683f);
  const float middle = (window_top + window_bottom) / 2;
  for (const Case& c : cases) {
    set_altitude(c.feet);
    begin();
    draw_altitude_group();
    std::vector<PrintedText> rows;
    for (const auto& p : text_captured())
      if (p.text.size() == 2 && p.text[1] == '0' && std::string("02468").find(p.text[0]) != std::string::npos &&
          p.r == 1.0f && p.g == 1.0f)
        rows.push_back(p);
    ASSERT_GE(rows.size(), 3u) << c.feet;
    const float pitch = std::abs(rows[1].y - rows[0].y);
    // Rows must cover the window from its top to its bottom edge.
    float highest = 1e9f, lowest = -1e9f;
    std::vector<std::string> shown;
    for (const auto& p : rows) {
      highest = std::min(highest, p.y - pitch);
      lowest = std::max(lowest, p.y);
      if (std::abs(p.y - pitch / 2 - middle) < 0.6f * pitch) shown.push_back(p.text);
    }
    EXPECT_LE(highest, window_top) << c.feet;
    EXPECT_GE(lowest, window_bottom) << c.feet;
    EXPECT_EQ(shown, c.shown) << c.feet;
    if (c.feet == 5050) shot("altitude_drum_5050");
  }
}

TEST_F(PfdPicture, SelectedAltitudeReadoutAndAlertColour) {
  set_altitude(5000);
  begin();
  draw_altitude_group();
  expect_colour("---_ _", 0.882f, 0, 0.482f);
  const auto dashes = found("---_ _");
  ASSERT_FALSE(dashes.empty());
  EXPECT_GT(dashes[0].y, 0);  // on the screen, at the top of the tape
  EXPECT_LT(dashes[0].y, H * 0.15);
  set_selected(5500);
  begin();
  draw_altitude_group();
  expect_colour("55", 1, 0.75f, 0);   // 500 ft away: amber
  int amber_hundreds = 0;  // the drum prints "00" too, in white
  for (const auto& p : found("00")) amber_hundreds += p.r == 1.0f && p.g == 0.75f;
  EXPECT_EQ(amber_hundreds, 1);
  set_selected(8500);
  begin();
  draw_altitude_group();
  expect_colour("85", 0.882f, 0, 0.482f);
}

TEST_F(PfdPicture, VerticalSpeedDigitsAbove500) {
  EXPECT_EQ(vertical_speed_rotation(3000), 360 - 48.6);
  EXPECT_EQ(vertical_speed_rotation(-9000), 360 + 48.6);
  set_vertical_speed(400);
  begin();
  draw_vertical_speed_group();
  EXPECT_FALSE(printed("400"));
  EXPECT_FALSE(printed("350"));
  expect_colour("_ _ _", 0.882f, 0, 0.482f);  // no target
  set_vertical_speed(520);
  begin();
  draw_vertical_speed_group();
  expect_colour("500", 1, 1, 1);
  set_vertical_speed(-30000);
  g_pfd.raw.altitude_hold = 1;
  g_pfd.raw.vertical_speed_target = -32768;
  begin();
  draw_vertical_speed_group();
  EXPECT_TRUE(printed("-9900"));
  expect_colour("-9900", 1, 1, 1);
  EXPECT_EQ(found("-9900").size(), 2u);  // the target kept to the same field
  shot("vertical_speed");
}

TEST_F(PfdPicture, MinimumsReadoutMarkerAndAlertBox) {
  set_altitude(3000);
  g_pfd.raw.gps_altitude = 3000 / 3.281;
  g_pfd.minimums.mode = MINIMUMS_RA;
  begin();
  pfd_exchange_altitude_controls();
  draw_altitude_group();
  expect_colour("200 RA", 0.882f, 0, 0.482f);
  EXPECT_FALSE(printed("MIN"));
  g_pfd.minimums.mode = MINIMUMS_BARO;
  g_pfd.minimums.baro_minimums = 3100;
  begin();
  pfd_exchange_altitude_controls();
  draw_altitude_group();
  EXPECT_FALSE(printed("MIN"));  // the passed flag is taken from the frame before
  begin();
  pfd_exchange_altitude_controls();
  draw_altitude_group();
  minimums_alert_wait();
  expect_colour("3100 BARO", 0.882f, 0, 0.482f);
  expect_colour("MIN", 0.933f, 0.596f, 0);
  expect_colour("D", 0.882f, 0, 0.482f);  // the BARO marker's letter, in the unit's font
  EXPECT_EQ(found("D")[0].slot, 2);
  // The marker line: magenta pixels right of the tape's left edge.
  const auto d = found("D");
  EXPECT_GT(count_colour(280, static_cast<int>(d[0].y) - 8, 330, static_cast<int>(d[0].y) + 4, 225, 0, 123), 20);
  shot("minimums_baro");
}

TEST_F(PfdPicture, MinimumsAlertSoundsOncePerCrossing) {
  // The sound plays to SDL's disk driver from the unit's run folder.
  const std::filesystem::path run = std::filesystem::path(COCKPIT_RUN_DIR) / "pfd1";
  ASSERT_TRUE(std::filesystem::exists(run / "data" / "minimums.wav"));
  minimums_alert_wait();  // an alert of an earlier case
  const std::filesystem::path audio = audio_file();
  std::filesystem::remove(audio);
  const std::filesystem::path here = std::filesystem::current_path();
  std::filesystem::current_path(run);

  g_pfd.minimums.mode = MINIMUMS_RA;
  const int before = minimums_alert_count();
  const double heights[] = {400, 300, 190, 150, 120};
  for (double h : heights) {
    g_pfd.raw.gps_altitude = h / 3.281;
    begin();
    pfd_exchange_altitude_controls();
    draw_altitude_group();
  }
  EXPECT_EQ(minimums_alert_count() - before, 1);
  // Climbing through and back while the first alert still plays: no pile-up.
  const double again[] = {250, 180, 170};
  for (double h : again) {
    g_pfd.raw.gps_altitude = h / 3.281;
    begin();
    pfd_exchange_altitude_controls();
    draw_altitude_group();
  }
  EXPECT_TRUE(minimums_alert_playing());
  EXPECT_EQ(minimums_alert_count() - before, 1);
  minimums_alert_wait();
  std::filesystem::current_path(here);
  ASSERT_TRUE(std::filesystem::exists(audio));
  // About one second of sound reached the device, not two.
  const auto bytes = std::filesystem::file_size(audio);
  const auto wav = std::filesystem::file_size(run / "data" / "minimums.wav");
  EXPECT_GT(bytes, wav / 4);
  EXPECT_LT(bytes, wav * 8);
  std::filesystem::remove(audio);
}

TEST_F(PfdPicture, AltitudeAndVerticalSpeedFailurePictures) {
  g_pfd.raw.avionics_master = 0;
  begin();
  draw_altitude_group();
  draw_vertical_speed_group();
  expect_colour("---_ _", 1, 0.75f, 0);
  expect_colour("-- . -- ", 1, 0.75f, 0);
  expect_colour("IN", 0, 1, 1);
  expect_colour("V", 1, 0, 0);
  expect_colour("S", 1, 0, 0);
  EXPECT_FALSE(printed("29.92 IN"));
  // Grey (0.5) tape background.
  EXPECT_GT(count_colour(300, 100, 320, 120, 128, 128, 128, 6), 300);
}

namespace {
void all_groups() {
  draw_attitude_group();
  draw_roll_scale();
  draw_annunciations();
  draw_heading_group();
  pfd_exchange_altitude_controls();
  draw_altitude_group();
  draw_speed_group();
  draw_vertical_speed_group();
}
}  // namespace

TEST_F(PfdPicture, WholePictureInEveryFormatLeavesGlClean) {
  set_altitude(5520);
  set_selected(6000);
  g_pfd.raw.altitude_hold = 1;
  set_vertical_speed(1200);
  g_pfd.raw.vertical_speed_target = 1500;
  g_pfd.raw.radio_altitude = static_cast<uint32_t>(400 / 3.28084 * 65536);
  g_pfd.raw.heading = static_cast<uint32_t>(30 / 8.381e-8);
  g_pfd.raw.heading_bug = static_cast<uint16_t>(60 * 65536 / 360);
  g_pfd.raw.nav1_course = 45;
  g_pfd.raw.efis_mode = 0x08;
  g_pfd.raw.nav_flags = (1 << 1) | (1 << 3) | (1 << 4) | (1 << 11);
  g_pfd.raw.bearing1_source = 4;
  g_pfd.raw.bearing2_source = 2;
  g_pfd.raw.nav1_radial = 20000;
  g_pfd.raw.adf2_bearing = 3000;
  g_pfd.raw.nav1_to_from = 1;
  g_pfd.raw.nav1_deviation = 40;
  g_pfd.raw.dme1_distance = 123;
  g_pfd.raw.wind_speed = 25;
  g_pfd.raw.wind_direction = 16000;
  g_pfd.raw.autopilot_master = 1;
  g_pfd.raw.heading_hold = 1;
  g_pfd.raw.yaw_damper = 1;
  g_pfd.raw.glideslope_alive = 1;
  g_pfd.raw.marker_outer = 1;
  std::memcpy(g_pfd.raw.vor1_ident, "ABC", 3);
  g_pfd.minimums.mode = MINIMUMS_BARO;
  g_pfd.minimums.baro_minimums = 5600;
  const uint8_t formats[] = {0x08, 0x04 | 0x08 | 0x01, 0x10 | 0x04};
  const char* names[] = {"whole_rose", "whole_arc", "whole_fms_arc"};
  for (int i = 0; i < 3; i++) {
    g_pfd.raw.efis_mode = formats[i];
    begin();
    all_groups();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << names[i];
    shot(names[i]);
  }
  g_pfd.raw.avionics_master = 0;
  begin();
  all_groups();
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  shot("whole_failed");
  minimums_alert_wait();
}
