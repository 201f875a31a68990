#include <gtest/gtest.h>

#include "pfd/heading_logic.h"
#include "simlink/cells.h"

TEST(HeadingFormats, ThreeDigitsKeepTheirField) {
  char buf[8];
  const struct { int value; const char* text; } cases[] = {
      {0, "000"}, {5, "005"}, {10, "010"}, {99, "099"}, {100, "100"}, {359, "359"},
      {-20, "000"}, {123456, "999"}};
  for (const auto& c : cases) {
    format_three_digits(buf, sizeof buf, c.value);
    EXPECT_STREQ(buf, c.text) << c.value;
  }
}

TEST(HeadingBug, ParksBeyondFortyFiveDegrees) {
  EXPECT_EQ(heading_bug_place(146, 100), BUG_PARKED_RIGHT);
  EXPECT_EQ(heading_bug_place(145, 100), BUG_ON_ARC);
  EXPECT_EQ(heading_bug_place(54, 100), BUG_PARKED_LEFT);
  EXPECT_EQ(heading_bug_place(10, 350), BUG_ON_ARC);      // across north
  EXPECT_EQ(heading_bug_place(300, 10), BUG_PARKED_LEFT);
  EXPECT_EQ(heading_bug_place(56, 10), BUG_PARKED_RIGHT);
}

namespace {
PfdDerived base() {
  PfdDerived v{};
  v.heading = 90.0;
  v.nav1_radial = 10.0;
  v.nav2_radial = 20.0;
  v.adf1_bearing = 30.0;
  v.adf2_bearing = 40.0;
  v.gps_desired_track = 100.0;
  return v;
}
}  // namespace

TEST(BearingPointers, SourcesNeedTheirSignals) {
  PfdDerived v = base();
  EXPECT_EQ(bearing_pointer(1, BEARING_SOURCE_VOR, v, false).kind, POINTER_NONE);
  EXPECT_EQ(bearing_pointer(1, BEARING_SOURCE_ADF, v, false).kind, POINTER_NONE);
  v.nav1_signal = v.adf2_signal = true;
  BearingPointer p = bearing_pointer(1, BEARING_SOURCE_VOR, v, false);
  EXPECT_EQ(p.kind, POINTER_VOR);
  EXPECT_DOUBLE_EQ(p.rotation, 90.0 - 10.0 + 180.0);
  EXPECT_EQ(bearing_pointer(2, BEARING_SOURCE_VOR, v, false).kind, POINTER_NONE);
  p = bearing_pointer(2, BEARING_SOURCE_ADF, v, true);
  EXPECT_EQ(p.kind, POINTER_ADF);
  EXPECT_DOUBLE_EQ(p.rotation, -40.0);  // clockwise by the relative bearing
  EXPECT_EQ(bearing_pointer(1, BEARING_SOURCE_NONE, v, false).kind, POINTER_NONE);
  EXPECT_EQ(bearing_pointer(1, 3, v, false).kind, POINTER_NONE);  // unknown code
}

TEST(BearingPointers, FmsSourceOnlyInTheRoseWithTheFmsCourse) {
  PfdDerived v = base();
  EXPECT_EQ(bearing_pointer(1, BEARING_SOURCE_FMS, v, false).kind, POINTER_NONE);
  v.course_source = COURSE_SOURCE_FMS;
  BearingPointer p = bearing_pointer(1, BEARING_SOURCE_FMS, v, false);
  EXPECT_EQ(p.kind, POINTER_FMS);
  EXPECT_DOUBLE_EQ(p.rotation, -10.0);
  EXPECT_EQ(bearing_pointer(1, BEARING_SOURCE_FMS, v, true).kind, POINTER_NONE);
  EXPECT_EQ(bearing_pointer(2, BEARING_SOURCE_FMS, v, false).kind, POINTER_NONE);
}

TEST(CourseSource, CourseDeviationAndFlag) {
  PfdDerived v = base();
  PfdRaw raw{};
  raw.nav1_course = 10;
  raw.nav2_course = 100;
  raw.nav1_deviation = 50.0f;
  raw.nav2_deviation = 0.0f / 0.0f;
  raw.nav2_to_from = 2;
  v.gps_cross_track = -2.0;
  EXPECT_DOUBLE_EQ(selected_course(v, raw), 100.0);
  EXPECT_DOUBLE_EQ(deviation_offset(v, raw), 0.0);  // NaN from the simulator is no deviation
  EXPECT_EQ(to_from_flag(v, raw), 2);
  v.course_source = COURSE_SOURCE_NAV1;
  EXPECT_DOUBLE_EQ(selected_course(v, raw), 10.0);
  EXPECT_NEAR(deviation_offset(v, raw), 0.53, 1e-6);
  v.course_source = COURSE_SOURCE_FMS;
  EXPECT_DOUBLE_EQ(selected_course(v, raw), 100.0);
  EXPECT_NEAR(deviation_offset(v, raw), -0.548, 1e-9);
  EXPECT_EQ(to_from_flag(v, raw), 1);
}
