#include "pfd/heading_logic.h"

#include <cmath>
#include <cstdio>

#include "simlink/cells.h"

namespace {
constexpr double NAV_DEVIATION_UNITS = 0.0106;   // per unit of NAV deviation
constexpr double FMS_DEVIATION_UNITS = 0.274;    // per nautical mile of cross-track
}

void format_three_digits(char* out, size_t size, int value) {
  if (value < 0) value = 0;
  if (value > 999) value = 999;
  if (value < 10) {
    std::snprintf(out, size, "00%d", value);
  } else if (value < 100) {
    std::snprintf(out, size, "0%d", value);
  } else {
    std::snprintf(out, size, "%d", value);
  }
}

double signed_angle(double degrees) { return degrees > 180.0 ? degrees - 360.0 : degrees; }

BugPlace heading_bug_place(double bug, double heading) {
  double difference = signed_angle(bug) - signed_angle(heading);
  if (difference > 180.0) difference -= 360.0;
  if (difference > ARC_HALF_WIDTH_DEG) return BUG_PARKED_RIGHT;
  if (difference < -ARC_HALF_WIDTH_DEG) return BUG_PARKED_LEFT;
  return BUG_ON_ARC;
}

double selected_course(const PfdDerived& v, const PfdRaw& raw) {
  switch (v.course_source) {
    case COURSE_SOURCE_FMS: return v.gps_desired_track;
    case COURSE_SOURCE_NAV1: return raw.nav1_course;
    default: return raw.nav2_course;
  }
}

double deviation_offset(const PfdDerived& v, const PfdRaw& raw) {
  if (v.course_source == COURSE_SOURCE_FMS) {
    if (std::isnan(v.gps_cross_track)) return 0.0;
    return clamp_readout(v.gps_cross_track, -5.0, 5.0) * FMS_DEVIATION_UNITS;
  }
  const double deviation = v.course_source == COURSE_SOURCE_NAV1 ? raw.nav1_deviation : raw.nav2_deviation;
  if (std::isnan(deviation)) return 0.0;
  return clamp_readout(deviation, -127.0, 127.0) * NAV_DEVIATION_UNITS;
}

int to_from_flag(const PfdDerived& v, const PfdRaw& raw) {
  if (v.course_source == COURSE_SOURCE_FMS) return 1;
  return v.course_source == COURSE_SOURCE_NAV1 ? raw.nav1_to_from : raw.nav2_to_from;
}

BearingPointer bearing_pointer(int index, uint8_t source, const PfdDerived& v, bool arc) {
  BearingPointer p{POINTER_NONE, 0.0};
  const bool adf_signal = index == 1 ? v.adf1_signal : v.adf2_signal;
  const bool nav_signal = index == 1 ? v.nav1_signal : v.nav2_signal;
  if (source == BEARING_SOURCE_ADF && adf_signal) {
    // Clockwise by the relative bearing.
    p.kind = POINTER_ADF;
    p.rotation = -(index == 1 ? v.adf1_bearing : v.adf2_bearing);
  } else if (source == BEARING_SOURCE_VOR && nav_signal) {
    p.kind = POINTER_VOR;
    p.rotation = v.heading - (index == 1 ? v.nav1_radial : v.nav2_radial) + 180.0;
  } else if (index == 1 && !arc && source == BEARING_SOURCE_FMS && v.course_source == COURSE_SOURCE_FMS) {
    p.kind = POINTER_FMS;
    p.rotation = v.heading - v.gps_desired_track;
  }
  return p;
}

double clamp_readout(double value, double low, double high) {
  if (!(value >= low)) return low;  // also NaN
  if (value > high) return high;
  return value;
}
