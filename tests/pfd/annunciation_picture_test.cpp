#include <cmath>
#include <string>

#include "pfd/pfd_groups.h"
#include "tests/pfd/picture_fixture.h"

TEST_F(PfdPicture, AutopilotEngageAndDisengageFlashOverTicks) {
  g_pfd.raw.autopilot_master = 1;
  std::string seen;
  for (int frame = 0; frame < 30; frame++) {
    g_pfd.tick_changed = frame % 2 == 1;
    begin();
    draw_annunciations();
    if (g_pfd.tick_changed) seen += printed("AP") ? '1' : '0';
    if (printed("AP")) {
      expect_colour("AP", 0.156f, 0.803f, 0.215f);
    }
  }
  EXPECT_EQ(seen, "101010101011111");
  g_pfd.raw.autopilot_master = 0;
  seen.clear();
  for (int frame = 0; frame < 30; frame++) {
    g_pfd.tick_changed = frame % 2 == 1;
    begin();
    draw_annunciations();
    if (g_pfd.tick_changed) seen += printed("AP") ? '1' : '0';
    if (printed("AP")) expect_colour("AP", 1, 0.75f, 0);
  }
  EXPECT_EQ(seen, "010101010100000");
}

TEST_F(PfdPicture, YawDamperAndModeTexts) {
  g_pfd.raw.yaw_damper = 1;
  g_pfd.raw.autopilot_master = 1;
  g_pfd.raw.heading_hold = 1;
  g_pfd.raw.altitude_hold = 1;
  begin();
  draw_annunciations();
  expect_colour("YD", 0.156f, 0.803f, 0.215f);
  expect_colour("HDG", 0.156f, 0.803f, 0.215f);
  expect_colour("ALT", 0.156f, 0.803f, 0.215f);
  g_pfd.raw.nav_hold = 1;
  g_pfd.raw.nav_flags = 1 << 6;
  begin();
  draw_annunciations();
  EXPECT_TRUE(printed("LOC"));
  EXPECT_FALSE(printed("HDG"));
  g_pfd.raw.nav_gps_switch = 1;
  begin();
  draw_annunciations();
  EXPECT_TRUE(printed("FMS"));
  // Releasing the yaw damper: its amber flash colours the mode texts.
  g_pfd.raw.yaw_damper = 0;
  g_pfd.tick_changed = true;
  begin();
  draw_annunciations();
  g_pfd.tick_changed = true;
  begin();
  draw_annunciations();
  ASSERT_TRUE(printed("YD"));
  expect_colour("FMS", 1, 0.75f, 0);
  // A vertical speed target with altitude hold and autopilot: "VS".
  g_pfd.raw.vertical_speed_target = 700;
  begin();
  draw_annunciations();
  EXPECT_TRUE(printed("VS"));
  EXPECT_FALSE(printed("ALT"));
}

TEST_F(PfdPicture, MarkerLightsAndGlideslope) {
  begin();
  draw_annunciations();
  EXPECT_FALSE(printed("O"));
  EXPECT_FALSE(printed("GS"));
  g_pfd.raw.marker_outer = 1;
  g_pfd.raw.marker_middle = 1;
  g_pfd.raw.marker_inner = 1;
  g_pfd.raw.glideslope_alive = 1;
  g_pfd.raw.glideslope_deviation = 1e30f;  // kept on its scale
  begin();
  draw_annunciations();
  shot("markers");
  expect_colour("O", 0, 1, 1);
  expect_colour("I", 1, 1, 1);
  expect_colour("M", 0.933f, 0.596f, 0);
  expect_colour("GS", 0.156f, 0.803f, 0.215f);
  // Outer, inner, middle from left to right, on one line.
  const float o = found("O")[0].x, i = found("I")[0].x, m = found("M")[0].x;
  EXPECT_LT(o, i);
  EXPECT_LT(i, m);
  // The white frame of the outer marker's box.
  EXPECT_GT(count_colour(static_cast<int>(o) - 10, static_cast<int>(found("O")[0].y) - 14,
                         static_cast<int>(o) + 10, static_cast<int>(found("O")[0].y) + 4, 255, 255, 255),
            10);
  // The glideslope pointer (green) stays within the scale's outer dots.
  const int gs_x = static_cast<int>(found("GS")[0].x);
  EXPECT_GT(count_colour(gs_x - 4, 40, gs_x + 12, 200, 40, 205, 55), 3);
}

TEST_F(PfdPicture, CouplingArrowPointsToTheCoupledSide) {
  begin();
  draw_annunciations();
  const int left_head = count_colour(180, 48, 188, 54, 0, 250, 7);
  const int right_head = count_colour(198, 48, 206, 54, 0, 250, 7);
  EXPECT_GT(left_head, right_head);
  g_pfd.raw.tcas_flags = 0x02;
  begin();
  draw_annunciations();
  EXPECT_GT(count_colour(198, 48, 206, 54, 0, 250, 7), count_colour(180, 48, 188, 54, 0, 250, 7));
  g_pfd.raw.avionics_master = 0;
  begin();
  draw_annunciations();
  EXPECT_EQ(count_colour(0, 0, W - 1, H - 1, 0, 250, 7), 0);
}
