#include "nav/nav_geodesy.h"

#include <cmath>
#include <limits>

namespace {

constexpr double DEG_TO_RAD = 0.01745329252;
constexpr double RAD_TO_DEG = 57.2957795129;
constexpr double NM_PER_RADIAN = 3437.7467703360626;
constexpr double RADIAN_PER_NM = 0.00029088820870370373;
constexpr double TWO_PI = 6.283185308;
constexpr float COURSE_MIN_DEG = 0.0001f;
constexpr float COURSE_MAX_DEG = 359.999f;
// cos(90 degrees) in floating point is about -5e-12, so the pole test needs
// a threshold well above that.
constexpr double DEGENERATE_DENOMINATOR = 1e-9;

// acos of a rounded cosine, which may lie just beyond +-1 (or be NaN).
double clamped_acos(double x) {
  if (!(x > -1.0)) return std::acos(-1.0);
  if (x > 1.0) return 0.0;
  return std::acos(x);
}

}  // namespace

double nav_central_angle(double p1, double l1, double p2, double l2) {
  return clamped_acos(std::sin(p1) * std::sin(p2) + std::cos(p1) * std::cos(p2) * std::cos(l2 - l1));
}

double nav_mirrored_course(double p1, double l1, double p2, double l2, double arc, double two_pi) {
  if (!(arc > NAV_NEAR_COURSE_RAD)) return NAV_NEAR_COURSE_RAD;
  const double denominator = std::cos(p1) * std::sin(arc);
  if (!(std::fabs(denominator) >= DEGENERATE_DENOMINATOR)) return NAV_NEAR_COURSE_RAD;
  const double a = clamped_acos((std::sin(p2) - std::sin(p1) * std::cos(arc)) / denominator);
  return std::sin(l2 - l1) < 0.0 ? a : two_pi - a;
}

double nav_distance(double lat1, double lon1, double lat2, double lon2) {
  // The rounded cosine of identical points gives about 7e-5 NM, not 0.
  if (lat1 == lat2 && lon1 == lon2) return 0.0;
  return nav_central_angle(lat1 * DEG_TO_RAD, lon1 * DEG_TO_RAD, lat2 * DEG_TO_RAD, lon2 * DEG_TO_RAD) *
         NM_PER_RADIAN;
}

float nav_map_course(double lat1, double lon1, double lat2, double lon2, double distance) {
  const double course = nav_mirrored_course(lat1 * DEG_TO_RAD, lon1 * DEG_TO_RAD, lat2 * DEG_TO_RAD,
                                            lon2 * DEG_TO_RAD, distance * RADIAN_PER_NM, TWO_PI);
  return nav_clamp(static_cast<float>(course * RAD_TO_DEG), COURSE_MIN_DEG, COURSE_MAX_DEG);
}

float nav_clamp(float value, float low, float high) {
  if (value < low) return low;
  if (value > high) return high;
  return value;
}

int32_t nav_round(double value) {
  if (std::isnan(value)) return 0;
  const double rounded = value >= 0.0 ? value + 0.5 : value - 0.5;
  if (!(rounded > std::numeric_limits<int32_t>::min())) return std::numeric_limits<int32_t>::min();
  if (!(rounded < std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(rounded);
}
