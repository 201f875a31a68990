#include <gtest/gtest.h>

#include <cmath>

#include "pfd/pfd_map_geodesy.h"

TEST(MapGeodesy, IdenticalPointsGiveZeroNeverNaN) {
  // Rounding pushes the cosine of identical points above 1 for some inputs.
  int cases = 0;
  for (double lat = -89.5; lat <= 89.5; lat += 0.731) {
    for (double lon = -179.0; lon <= 179.0; lon += 3.37) {
      const float flat = static_cast<float>(lat), flon = static_cast<float>(lon);
      ASSERT_EQ(map_distance_nm(lat, lon, lat, lon), map_distance_nm(lat, lon, lat, lon));
      EXPECT_LT(map_distance_nm(lat, lon, lat, lon), 0.01);
      const double d = map_distance_nm(lat, lon, flat, flon);
      ASSERT_FALSE(std::isnan(d)) << lat << " " << lon;
      EXPECT_LT(d, 0.01);
      const double c = map_course_deg(lat, lon, flat, flon, d, 0.0);
      ASSERT_FALSE(std::isnan(c));
      cases++;
    }
  }
  EXPECT_GT(cases, 1000);
}

TEST(MapGeodesy, OneDegreeOfArcIsSixtyMiles) {
  EXPECT_NEAR(map_distance_nm(0, 0, 0, 1), 60.0, 0.01);
  EXPECT_NEAR(map_distance_nm(10, 20, 11, 20), 60.0, 0.01);
}

TEST(MapGeodesy, CourseIsMirroredPlusVariation) {
  const double east = map_distance_nm(0, 0, 0, 1);
  EXPECT_NEAR(map_course_deg(0, 0, 0, 1, east, 0.0), 270.0, 0.01);
  EXPECT_NEAR(map_course_deg(0, 0, 0, -1, east, 0.0), 90.0, 0.01);
  EXPECT_NEAR(map_course_deg(0, 0, -1, 0, 60.0, 0.0), 180.0, 0.01);
  EXPECT_NEAR(map_course_deg(0, 0, 1, 0, 60.0, 0.0), 359.999, 0.01);
  EXPECT_NEAR(map_course_deg(0, 0, 0, 1, east, 5.0), 275.0, 0.01);
  // Too close for a course.
  EXPECT_NEAR(map_course_deg(0, 0, 0, 0.001, 0.06, 0.0), 0.0057, 0.001);
}

TEST(MapGeodesy, PolesAndAntipodesGiveAFiniteCourse) {
  const double from_pole = map_distance_nm(90, 0, 80, 30);
  EXPECT_NEAR(from_pole, 600.0, 0.1);
  EXPECT_NEAR(map_course_deg(90, 0, 80, 30, from_pole, 0.0), 0.0057, 0.001);
  EXPECT_NEAR(map_course_deg(-90, 0, -80, 30, from_pole, 2.0), 2.0057, 0.001);
  const double anti = map_distance_nm(0, 0, 0, 180);
  EXPECT_FALSE(std::isnan(map_course_deg(0, 0, 0, 180, anti, 0.0)));
  EXPECT_FALSE(std::isnan(map_course_deg(45, 10, -45, -170, map_distance_nm(45, 10, -45, -170), 0.0)));
}

TEST(MapGeodesy, PlacementPutsEastToTheRightAndClampsToTheRange) {
  const double heading = 0.0;
  const double d = map_distance_nm(0, 0, 0, 0.5);  // 30 NM east
  MapPoint p = map_place(d, map_course_deg(0, 0, 0, 0.5, d, 0.0), heading);
  EXPECT_NEAR(p.x, 30.0 / 50.0 * 5.2, 0.01);
  EXPECT_NEAR(p.y, 0.0, 0.01);
  EXPECT_TRUE(p.in_range);
  // Heading east: the same point lies straight ahead.
  p = map_place(d, map_course_deg(0, 0, 0, 0.5, d, 0.0), 90.0);
  EXPECT_NEAR(p.x, 0.0, 0.01);
  EXPECT_NEAR(p.y, 3.12, 0.01);
  // 60 NM north sits on the range arc edge and is out of range.
  p = map_place(60.0, map_course_deg(0, 0, 1, 0, 60.0, 0.0), 0.0);
  EXPECT_NEAR(std::hypot(p.x, p.y), 5.2, 1e-4);
  EXPECT_GT(p.y, 5.19);
  EXPECT_FALSE(p.in_range);
}

// A waypoint's mark is drawn while its star or its identifier reaches into
// the window (the unit's aspect, depth 30, about the arc centre).
TEST(MapGeodesy, MarksWhollyOutsideTheWindowAreNotDrawn) {
  const MapWindow w = map_window(0.7165f, 30.0f, 0.0f, -6.29f);
  EXPECT_NEAR(w.right, 30 * std::tan(22.5 * 3.14159265358979 / 180) * 0.7165, 1e-3);
  EXPECT_NEAR(w.bottom, -30 * std::tan(22.5 * 3.14159265358979 / 180) + 6.29, 1e-3);
  struct Case { float x, y, label_em; bool visible; };
  const Case cases[] = {{0, 0, 2, true},         {-9.2f, 0, 1, true},  {-9.7f, 0, 0, false},
                        {9.1f, 0, 3, true},      {9.2f, 0, 3, false},  {0, -6.5f, 2, true},
                        {0, -6.9f, 2, false},    {0, 18.9f, 2, true},  {0, 19.0f, 2, false}};
  for (const Case& c : cases)
    EXPECT_EQ(map_mark_visible(MapPoint{c.x, c.y, true}, c.label_em, w), c.visible) << c.x << "," << c.y;
}
