// The map's in-range selection: the latitude-banded selection finds exactly
// what a scan of the whole list finds, keeps at most the 20 nearest in
// order, and filters airports before the cut.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <vector>

#include "nav/nav_map_range.h"

namespace {

NavRecord record(float lat, float lon, uint8_t runway_ok = 1, uint8_t on_plan = 0) {
  NavRecord r{};
  std::snprintf(r.ident, sizeof r.ident, "X");
  r.latitude = lat;
  r.longitude = lon;
  r.runway_ok = runway_ok;
  r.on_plan = on_plan;
  return r;
}

TEST(NavMapRange, BandedSelectionMatchesWholeScan) {
  std::mt19937 random(7);
  std::uniform_real_distribution<float> lat(-90, 90), lon(-180, 180);
  std::vector<NavRecord> world;
  for (int i = 0; i < 20000; ++i) world.push_back(record(lat(random), lon(random), i % 3 == 0));
  struct Case {
    double lat, lon, range;
  };
  const Case cases[] = {{47.0, -122.9, 1000}, {47.0, -122.9, 5},  {89.5, 10, 300},  {-89.9, 0, 1000},
                        {10, 179.9, 500},     {0, -179.95, 200},  {60, 0, 5000},    {-33.9, 151.2, 100}};
  NavLatitudeIndex index{};
  for (const Case& c : cases) {
    for (NavMapFilter filter : {NAV_FILTER_ALL, NAV_FILTER_DRAWABLE_AIRPORT}) {
      const NavMapOrigin origin{c.lat, c.lon, 15.0, c.range};
      NavMapSelection banded{}, scanned{};
      nav_map_select(world, &index, origin, filter, &banded);
      nav_map_select_scan(world, origin, filter, &scanned);
      ASSERT_EQ(banded.in_range, scanned.in_range) << c.lat << "," << c.lon << " " << c.range;
      ASSERT_EQ(banded.count, scanned.count);
      ASSERT_LE(banded.count, NAV_MAP_NEAREST);
      for (int i = 0; i < banded.count; ++i) {
        EXPECT_EQ(banded.nearest[i].latitude, scanned.nearest[i].latitude);
        EXPECT_EQ(banded.nearest[i].display_course, scanned.nearest[i].display_course);
        if (i > 0) {
          EXPECT_LE(banded.nearest[i - 1].distance, banded.nearest[i].distance);
        }
        EXPECT_LE(banded.nearest[i].distance, c.range);
      }
    }
  }
}

TEST(NavMapRange, AirportFiltersComeBeforeTheNearestCut) {
  // 25 short-runway fields close by, three long-runway airports further out,
  // one of them on the plan, and one exactly at the range.
  std::vector<NavRecord> airports;
  for (int i = 0; i < 25; ++i) airports.push_back(record(0.01f * i, 0, 0));
  airports.push_back(record(0.5f, 0));
  airports.push_back(record(0.6f, 0, 1, 1));
  airports.push_back(record(0.7f, 0));
  NavLatitudeIndex index{};
  NavMapSelection s{};
  nav_map_select(airports, &index, {0, 0, 0, 45}, NAV_FILTER_DRAWABLE_AIRPORT, &s);
  ASSERT_EQ(s.count, 2);
  EXPECT_FLOAT_EQ(s.nearest[0].latitude, 0.5f);
  EXPECT_FLOAT_EQ(s.nearest[1].latitude, 0.7f);
  EXPECT_EQ(s.in_range, 28);
  nav_map_select(airports, &index, {0, 0, 0, 45}, NAV_FILTER_ALL, &s);
  EXPECT_EQ(s.count, NAV_MAP_NEAREST);
  EXPECT_FLOAT_EQ(s.nearest[19].latitude, 0.19f);
}

}  // namespace
