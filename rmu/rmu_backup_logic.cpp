#include "rmu/rmu_backup_logic.h"

#include <cmath>
#include <cstdio>

namespace {
constexpr double DEGREES_PER_RADIAN = 57.29;
constexpr int32_t FULL_TURN = 360;
constexpr float POINTER_CLOSING = 0.9f;
constexpr double ARROW_LIMIT = 45.0;
}  // namespace

RmuValueColour rmu_gauge_colour(RmuGauge gauge, float v) {
  switch (gauge) {
    case RMU_GAUGE_N1:
      if (v < 0.0f || v >= 100.1f) return RMU_VALUE_RED;
      return v > 100.0f ? RMU_VALUE_YELLOW : RMU_VALUE_WHITE;
    case RMU_GAUGE_N2:
      if (v < 0.0f || v >= 102.6f) return RMU_VALUE_RED;
      return v > 100.1f ? RMU_VALUE_YELLOW : RMU_VALUE_WHITE;
    case RMU_GAUGE_OIL_PRESSURE:
      if (v >= 81.0f || (v >= 0.0f && v < 50.0f)) return RMU_VALUE_RED;
      return v >= 50.0f && v < 65.0f ? RMU_VALUE_YELLOW : RMU_VALUE_WHITE;
  }
  return RMU_VALUE_WHITE;
}

void rmu_trim_text(double radians, char* out, size_t size) {
  double degrees = radians * DEGREES_PER_RADIAN;
  if (radians > 0.0) {
    std::snprintf(out, size, "R%2.1f", degrees);
  } else {
    double shown = -degrees;
    if (shown == 0.0) shown = 0.0;  // no "-0.0" for an exact zero
    std::snprintf(out, size, "L%2.1f", shown);
  }
}

bool rmu_course_knob_step(int32_t* course, RmuKnobs* k) {
  int32_t c = *course;
  if (k->outer_down) k->outer_down = false, c -= 10;
  else if (k->outer_up) k->outer_up = false, c += 10;
  else if (k->inner_down) k->inner_down = false, c -= 1;
  else if (k->inner_up) k->inner_up = false, c += 1;
  else return false;
  if (c >= FULL_TURN) c = 0;
  if (c < 0) c = FULL_TURN;
  *course = c;
  return true;
}

double rmu_half_turn(double degrees) {
  if (!std::isfinite(degrees)) return 0.0;
  double d = std::fmod(degrees, 360.0);
  if (d > 180.0) d -= 360.0;
  if (d < -180.0) d += 360.0;
  return d;
}

float rmu_vor_pointer_step(float angle, float bearing) {
  float b = static_cast<float>(rmu_half_turn(bearing));
  float d = b - angle;
  angle += d > 0.0f ? POINTER_CLOSING * d : d;
  if (angle > 180.0f) angle = 180.0f;
  if (angle < -180.0f) angle = -180.0f;
  return static_cast<float>(rmu_half_turn(angle));
}

bool rmu_course_arrow_shown(double course, double heading) {
  double c = course > 180.0 ? course - 360.0 : course;
  double h = heading > 180.0 ? heading - 360.0 : heading;
  return std::fabs(c - h) <= ARROW_LIMIT;
}
