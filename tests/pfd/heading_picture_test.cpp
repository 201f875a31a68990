#include <cmath>
#include <cstring>

#include "pfd/pfd_groups.h"
#include "tests/pfd/picture_fixture.h"

namespace {
constexpr uint8_t EFIS_ARC = 0x04, EFIS_NAV1 = 0x08, EFIS_FMS = 0x10;
constexpr uint16_t NAV1_SIGNAL = 1 << 1;

void set_heading(double degrees) { g_pfd.raw.heading = static_cast<uint32_t>(degrees / 8.381e-8); }
void set_bug(double degrees) { g_pfd.raw.heading_bug = static_cast<uint16_t>(degrees * 65536.0 / 360.0 + 0.5); }
void add_waypoint(const char* ident, float lat, float lon) {
  PlanWaypoint& w = g_pfd.config.plan[g_pfd.config.plan_length++];
  w.latitude = lat;
  w.longitude = lon;
  std::snprintf(w.ident, sizeof w.ident, "%s", ident);
}
bool has_colour(const std::vector<PrintedText>& hits, float r, float g, float b) {
  for (const auto& p : hits) {
    if (std::fabs(p.r - r) < 0.01 && std::fabs(p.g - g) < 0.01 && std::fabs(p.b - b) < 0.01) return true;
  }
  return false;
}
// Window pixels of a point of the heading frame at depth 30.
int px(float x) { return static_cast<int>(193 + x / 8.906f * 193); }
int py(float y) { return static_cast<int>(270 - y / 12.426f * 270); }
}  // namespace

TEST_F(PfdPicture, ThreeDigitCourseAndHeadingBugReadouts) {
  g_pfd.raw.efis_mode = EFIS_NAV1;
  g_pfd.raw.nav1_course = 100;
  set_bug(10);
  begin();
  draw_heading_group();
  expect_colour("010", 0.882f, 0, 0.482f);
  expect_colour("HDG", 0.882f, 0, 0.482f);
  expect_colour("100", 0, 0.98f, 0.027f);
  expect_colour("CRS", 0, 0.98f, 0.027f);
  expect_colour("VOR1", 0, 0.98f, 0.027f);
  // "CRS" follows the digits on the same line.
  EXPECT_GT(found("CRS")[0].x, found("100")[0].x);
  EXPECT_NEAR(found("CRS")[0].y, found("100")[0].y, 2);
  g_pfd.raw.nav1_course = 10;
  begin();
  draw_heading_group();
  EXPECT_EQ(found("010").size(), 2u);
}

TEST_F(PfdPicture, HeadingBugParksAtTheArcEnds) {
  g_pfd.raw.efis_mode = EFIS_ARC;
  set_heading(100);
  set_bug(146);
  begin();
  draw_heading_group();
  shot("arc_bug_parked_right");
  const int right = count_colour(px(3.209f) - 14, py(-1.57f) - 14, px(3.209f) + 14, py(-1.57f) + 14, 225, 0, 123);
  const int left = count_colour(px(-3.209f) - 14, py(-1.57f) - 14, px(-3.209f) + 14, py(-1.57f) + 14, 225, 0, 123);
  EXPECT_GT(right, 10);
  EXPECT_EQ(left, 0);
  set_bug(54);
  begin();
  draw_heading_group();
  EXPECT_GT(count_colour(px(-3.209f) - 14, py(-1.57f) - 14, px(-3.209f) + 14, py(-1.57f) + 14, 225, 0, 123), 10);
}

TEST_F(PfdPicture, BearingPointerNeedsItsSignal) {
  g_pfd.raw.bearing1_source = 4;  // VOR, NAV2 is the course source
  begin();
  draw_heading_group();
  EXPECT_FALSE(printed("VOR1"));
  EXPECT_FALSE(printed("ILS1"));
  const int cyan_without = count_colour(0, 250, W - 1, H - 1, 0, 255, 255);
  g_pfd.raw.nav_flags = NAV1_SIGNAL;
  std::memcpy(g_pfd.raw.vor1_ident, "SUV", 3);
  begin();
  draw_heading_group();
  shot("rose_vor1_pointer");
  const auto vor1 = found("VOR1");
  EXPECT_EQ(vor1.size(), 2u);  // the pointer readout and the legend
  EXPECT_TRUE(has_colour(vor1, 0, 1, 1));
  expect_colour("SUV", 0, 1, 1);
  EXPECT_GT(count_colour(0, 250, W - 1, H - 1, 0, 255, 255), cyan_without + 50);
  g_pfd.raw.nav_flags |= 1 << 6;  // a localiser
  begin();
  draw_heading_group();
  EXPECT_TRUE(printed("ILS1"));
}

TEST_F(PfdPicture, FmsBearingPointerOnlyInTheRose) {
  g_pfd.raw.efis_mode = EFIS_FMS | EFIS_NAV1;
  g_pfd.raw.bearing1_source = 1;
  begin();
  draw_heading_group();
  EXPECT_TRUE(has_colour(found("FMS"), 0.882f, 0, 0.482f));  // the legend
  EXPECT_TRUE(has_colour(found("FMS"), 1, 1, 0));            // the course source line
  g_pfd.raw.efis_mode |= EFIS_ARC;
  begin();
  draw_heading_group();
  EXPECT_FALSE(has_colour(found("FMS"), 0.882f, 0, 0.482f));
  EXPECT_TRUE(has_colour(found("FMS"), 1, 1, 0));
}

TEST_F(PfdPicture, PlanMapStarsLegsAndRange) {
  g_pfd.raw.efis_mode = EFIS_ARC;
  add_waypoint("ONE", 0.25f, 0.0f);  // 15 NM ahead
  begin();
  draw_heading_group();
  expect_colour("ONE", 1, 1, 1);
  const int star_x = px(0), star_y = py(-6.29f + 15.0f / 50.0f * 5.2f);
  EXPECT_GT(count_colour(star_x - 6, star_y - 6, star_x + 6, star_y + 6, 255, 255, 255), 5);
  // No leg from the aircraft: the line between is empty of white.
  EXPECT_EQ(count_colour(star_x - 1, star_y + 12, star_x + 1, py(-6.29f) - 14, 255, 255, 255), 0);
  shot("map_one_waypoint");

  add_waypoint("TWO", 0.25f, 0.25f);  // 15 NM to the right of ONE
  add_waypoint("FAR", 1.0f, 0.0f);    // 60 NM: on the arc's edge, no star
  std::memcpy(g_pfd.raw.gps_waypoint, "TWO", 3);
  begin();
  draw_heading_group();
  expect_colour("TWO", 0.882f, 0, 0.482f);  // the next waypoint
  EXPECT_FALSE(printed("FAR"));
  const int two_x = px(15.0f / 50.0f * 5.2f);
  const int mid_x = (star_x + two_x) / 2;
  EXPECT_GT(count_colour(mid_x - 2, star_y - 3, mid_x + 2, star_y + 3, 255, 255, 255), 0);
  shot("map_plan");
}

TEST_F(PfdPicture, HeadingFailurePicture) {
  g_pfd.raw.avionics_master = 0;
  set_heading(200);
  begin();
  draw_heading_group();
  const auto hdg = found("HDG");
  EXPECT_TRUE(has_colour(hdg, 1, 0, 0));
  EXPECT_TRUE(has_colour(hdg, 0.882f, 0, 0.482f));
  expect_colour("FAIL", 1, 0, 0);
  const auto dashes = found("---");
  EXPECT_EQ(dashes.size(), 2u);
  EXPECT_TRUE(has_colour(dashes, 1, 0.75f, 0));
  expect_colour("CRS", 0, 0.98f, 0.027f);
  // The card stays unrotated: "N" straight above the centre.
  const auto north = found("N");
  ASSERT_FALSE(north.empty());
  EXPECT_NEAR(north[0].x, 193, 2);
  EXPECT_LT(north[0].y, py(-3.74f));
}

TEST_F(PfdPicture, HostileSimulatorValuesStayInTheirFields) {
  g_pfd.raw.efis_mode = EFIS_FMS | EFIS_NAV1;
  g_pfd.raw.gps_bearing = 1e300;
  g_pfd.raw.gps_distance = 1e300;
  g_pfd.raw.gps_cross_track = -1e300;
  g_pfd.raw.wind_speed = 65535;
  g_pfd.raw.heading_bug = 65535;
  g_pfd.raw.nav1_deviation = 1e38f;
  g_pfd.raw.bearing1_source = 1;
  g_pfd.raw.nav_flags = 0xFFFF;
  g_pfd.raw.dme1_distance = 65535;
  std::memcpy(g_pfd.raw.gps_waypoint, "ABCDEF", 6);  // a full field, no terminator
  for (uint8_t mode : {uint8_t(EFIS_NAV1), uint8_t(EFIS_FMS | EFIS_NAV1), uint8_t(EFIS_ARC | EFIS_FMS)}) {
    g_pfd.raw.efis_mode = mode;
    begin();
    draw_heading_group();
    draw_vertical_speed_group();
    for (const auto& p : text_captured()) {
      EXPECT_LE(p.text.size(), 9u) << p.text;
      EXPECT_EQ(p.text.find("nan"), std::string::npos) << p.text;
    }
  }
  EXPECT_TRUE(printed("ABCDEF"));
  EXPECT_TRUE(printed("999"));  // wind speed kept to three digits
}
