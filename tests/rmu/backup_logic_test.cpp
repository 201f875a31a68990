// The engine pages' colour rules and trim texts, the course line's steps and
// the VOR pointer's motion.
#include <gtest/gtest.h>

#include <string>

#include "rmu/rmu_backup_logic.h"

namespace {

TEST(RmuBackupLogic, GaugeColoursFollowTheirLimits) {
  struct Case { RmuGauge gauge; float value; RmuValueColour colour; };
  const Case cases[] = {
      {RMU_GAUGE_N1, 100.0f, RMU_VALUE_WHITE},   {RMU_GAUGE_N1, 100.05f, RMU_VALUE_YELLOW},
      {RMU_GAUGE_N1, 100.1f, RMU_VALUE_RED},     {RMU_GAUGE_N1, -0.1f, RMU_VALUE_RED},
      {RMU_GAUGE_N2, 100.1f, RMU_VALUE_WHITE},   {RMU_GAUGE_N2, 102.5f, RMU_VALUE_YELLOW},
      {RMU_GAUGE_N2, 102.6f, RMU_VALUE_RED},     {RMU_GAUGE_OIL_PRESSURE, 49.9f, RMU_VALUE_RED},
      {RMU_GAUGE_OIL_PRESSURE, 50.0f, RMU_VALUE_YELLOW}, {RMU_GAUGE_OIL_PRESSURE, 65.0f, RMU_VALUE_WHITE},
      {RMU_GAUGE_OIL_PRESSURE, 81.0f, RMU_VALUE_RED},    {RMU_GAUGE_OIL_PRESSURE, -1.0f, RMU_VALUE_WHITE},
  };
  for (const Case& c : cases) EXPECT_EQ(rmu_gauge_colour(c.gauge, c.value), c.colour) << c.gauge << " " << c.value;
}

TEST(RmuBackupLogic, TrimTextsNameTheSide) {
  struct Case { double radians; const char* text; };
  const Case cases[] = {{0.0, "L0.0"}, {-0.0, "L0.0"}, {0.1, "R5.7"}, {-0.1, "L5.7"}};
  for (const Case& c : cases) {
    char text[16];
    rmu_trim_text(c.radians, text, sizeof text);
    EXPECT_STREQ(text, c.text) << c.radians;
  }
}

TEST(RmuBackupLogic, CourseStepsWrapAsTheLineDoes) {
  struct Case { int32_t before; bool outer, up; int32_t after; };
  const Case cases[] = {{359, false, true, 0}, {0, false, false, 360}, {360, false, false, 359},
                        {355, true, true, 0}, {5, true, false, 360}, {90, true, true, 100}};
  for (const Case& c : cases) {
    RmuKnobs k{};
    (c.outer ? (c.up ? k.outer_up : k.outer_down) : (c.up ? k.inner_up : k.inner_down)) = true;
    int32_t course = c.before;
    ASSERT_TRUE(rmu_course_knob_step(&course, &k));
    EXPECT_EQ(course, c.after) << c.before;
  }
}

TEST(RmuBackupLogic, VorPointerClosesUpwardGapsAndJumpsDownward) {
  struct Case { float angle, bearing, after; };
  const Case cases[] = {{0, 100, 90}, {50, 10, 10}, {170, 350, -10}, {-170, 200, -161}};
  for (const Case& c : cases) EXPECT_NEAR(rmu_vor_pointer_step(c.angle, c.bearing), c.after, 1e-3) << c.angle;
  EXPECT_TRUE(rmu_course_arrow_shown(350.0, 30.0));   // -10 against 30
  EXPECT_FALSE(rmu_course_arrow_shown(10.0, 300.0));  // 10 against -60
}

}  // namespace
