// Distance, map course, clamp and round of the map, and their guards.
#include <gtest/gtest.h>

#include <cmath>

#include "nav/nav_geodesy.h"

namespace {

constexpr double NEAR_COURSE_DEG = 0.0001 * 57.2957795129;

TEST(NavGeodesy, DistanceAndMapCourse) {
  struct Case {
    double lat1, lon1, lat2, lon2, distance, course;
  };
  const Case cases[] = {
      {0, 0, 0, 1, 60.0, 270.0},          // due east
      {0, 0, 0, -1, 60.0, 90.0},          // due west
      {0, 0, -1, 0, 60.0, 180.0},         // due south
      {0, 0, 1, 0, 60.0, 359.999},        // due north: 2 pi, clamped
      {47.45, -122.31, 47.45, -122.31, 0.0, NEAR_COURSE_DEG},
      {0, 0, 0, 0.001, 0.06, NEAR_COURSE_DEG},  // closer than 0.34 NM
      {90, 0, 80, 30, 600.0, NEAR_COURSE_DEG},  // from the pole: no course
      {-90, 0, -80, 30, 600.0, NEAR_COURSE_DEG},
  };
  for (const Case& c : cases) {
    const double d = nav_distance(c.lat1, c.lon1, c.lat2, c.lon2);
    EXPECT_NEAR(d, c.distance, 0.01) << c.lat1 << "," << c.lon1 << " to " << c.lat2 << "," << c.lon2;
    EXPECT_NEAR(nav_map_course(c.lat1, c.lon1, c.lat2, c.lon2, d), c.course, 0.001)
        << c.lat1 << "," << c.lon1 << " to " << c.lat2 << "," << c.lon2;
  }
}

TEST(NavGeodesy, IdenticalPointsAndAntipodesAreNeverNaN) {
  // Rounding pushes the cosine of identical points past 1 at some positions.
  for (double lat = -89.5; lat <= 89.5; lat += 0.731) {
    for (double lon = -179.0; lon <= 179.0; lon += 3.37) {
      const float flat = static_cast<float>(lat), flon = static_cast<float>(lon);
      const double d = nav_distance(flat, flon, flat, flon);
      ASSERT_LT(d, 1e-3) << lat << " " << lon;
      ASSERT_FALSE(std::isnan(nav_map_course(flat, flon, flat, flon, d)));
      const double anti = nav_distance(lat, lon, -lat, lon + 180.0);
      ASSERT_FALSE(std::isnan(nav_map_course(lat, lon, -lat, lon + 180.0, anti))) << lat << " " << lon;
    }
  }
}

TEST(NavGeodesy, ClampAndRound) {
  EXPECT_EQ(nav_clamp(-1.0f, 0.0f, 10.0f), 0.0f);
  EXPECT_EQ(nav_clamp(11.0f, 0.0f, 10.0f), 10.0f);
  EXPECT_EQ(nav_clamp(5.5f, 0.0f, 10.0f), 5.5f);
  const struct {
    double value;
    int32_t rounded;
  } rounds[] = {{2.5, 3}, {-2.5, -3}, {359.6, 360}, {2.49, 2}, {-0.4, 0}, {1e12, 2147483647}, {NAN, 0}};
  for (const auto& r : rounds) EXPECT_EQ(nav_round(r.value), r.rounded) << r.value;
}

}  // namespace
