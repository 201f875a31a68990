// The map page's worked values: heading readout, heading bug place, minutes
// to the next waypoint, and the traffic picture's class, band and tag.
#include <gtest/gtest.h>

#include <string>

#include "mfd/map_logic.h"

namespace {

TEST(MapLogic, HeadingReadoutAndBugPlace) {
  const struct { double heading; const char* text; } readouts[] = {
      {5.5, "006"}, {359.6, "000"}, {360.0, "000"}, {99.4, "099"}, {100.0, "100"}, {0.0, "000"}};
  for (const auto& c : readouts) {
    char text[MAP_TEXT_CAPACITY];
    map_heading_text(c.heading, text);
    EXPECT_STREQ(text, c.text) << c.heading;
  }
  const struct { double bug, heading; MapBugPlace place; double offset; } bugs[] = {
      {70, 0, MAP_BUG_RIGHT_ARROW, 70},  {65, 0, MAP_BUG_ON_ARC, 65},   {10, 350, MAP_BUG_ON_ARC, 20},
      {350, 10, MAP_BUG_ON_ARC, -20},    {280, 0, MAP_BUG_LEFT_ARROW, -80}, {0, 290, MAP_BUG_RIGHT_ARROW, 70},
      {200, 100, MAP_BUG_RIGHT_ARROW, 100}, {0, 100, MAP_BUG_LEFT_ARROW, -100}};
  for (const auto& c : bugs) {
    EXPECT_EQ(map_bug_place(c.bug, c.heading), c.place) << c.bug << " " << c.heading;
    EXPECT_DOUBLE_EQ(map_bug_offset(c.bug, c.heading), c.offset) << c.bug << " " << c.heading;
  }
}

TEST(MapLogic, MinutesToGo) {
  const struct { int64_t arrival; int h, m, s; int32_t minutes; } cases[] = {
      {3600, 0, 30, 0, 30},           // half an hour ahead
      {3600, 1, 0, 30, 0},            // passed half a minute ago
      {3000, 2, 0, 0, 0},             // passed an hour ago
      {600, 23, 50, 0, 20},           // after midnight: 20 minutes, not 0
      {86399, 0, 0, 0, 1000},         // a whole day ahead: at most 1000
      {3659, 1, 0, 0, 0},             // 59 s: whole minutes are cut
  };
  for (const auto& c : cases)
    EXPECT_EQ(map_minutes_to_go(c.arrival, c.h, c.m, c.s), c.minutes) << c.arrival << " at " << c.h << ":" << c.m;
}

TEST(MapLogic, TrafficClassBandRangeAndTag) {
  const struct { double nm, feet; int32_t cls; } classes[] = {
      {1.9, 700, TRAFFIC_RESOLUTION}, {1.9, -700, TRAFFIC_RESOLUTION}, {2.0, 1100, TRAFFIC_ADVISORY},
      {6.0, 100, TRAFFIC_OTHER},      {1.5, 1000, TRAFFIC_ADVISORY},   {1.5, 1200, TRAFFIC_OTHER}};
  for (const auto& c : classes) EXPECT_EQ(traffic_class(c.nm, c.feet), c.cls) << c.nm << " " << c.feet;

  EXPECT_EQ(traffic_band(0x04, 2), TRAFFIC_BAND_NORMAL);
  EXPECT_EQ(traffic_band(0x0C, 0), TRAFFIC_BAND_ABOVE);
  EXPECT_EQ(traffic_band(0x08, 0), TRAFFIC_BAND_BELOW);
  EXPECT_EQ(traffic_band(0x00, 2), 2);
  // Own altitude minus the intruder's: 3000 ft above shows only in band 1.
  EXPECT_FALSE(traffic_visible(TRAFFIC_BAND_NORMAL, -3000));
  EXPECT_TRUE(traffic_visible(TRAFFIC_BAND_ABOVE, -3000));
  EXPECT_FALSE(traffic_visible(TRAFFIC_BAND_BELOW, -3000));
  EXPECT_TRUE(traffic_visible(TRAFFIC_BAND_BELOW, 7000));

  EXPECT_EQ(traffic_range(3), 6);
  EXPECT_EQ(traffic_range(80), 40);
  EXPECT_EQ(traffic_range(12), 12);

  const struct { double traffic; int32_t own; const char* tag; } tags[] = {
      {10500, 10000, "05"}, {9000, 10000, "-10"}, {10050, 10000, "0"},
      {9700, 10000, "-03"}, {12500, 10000, "25"}, {1e30, 0, "0"}};
  for (const auto& c : tags) {
    char text[MAP_TEXT_CAPACITY];
    traffic_tag_text(c.traffic, c.own, text);
    EXPECT_STREQ(text, c.tag) << c.traffic;
  }
}

}  // namespace
