#include "pfd/pfd_map_geodesy.h"

#include <cmath>

#include "nav/nav_geodesy.h"

namespace {
constexpr double DEG_TO_RAD = 0.01745329252;
constexpr double RAD_TO_DEG = 57.2957795129;
constexpr double NM_PER_RADIAN = 3437.749674527867;
constexpr double RADIAN_PER_NM = 0.00029088796296296293;
constexpr double TWO_PI = 6.28318;
}  // namespace

double map_distance_nm(double lat1, double lon1, double lat2, double lon2) {
  const double p1 = lat1 * DEG_TO_RAD, p2 = lat2 * DEG_TO_RAD;
  const double l1 = lon1 * DEG_TO_RAD, l2 = lon2 * DEG_TO_RAD;
  // The guarded core is the display unit's map's; the constants are this map's own.
  return nav_central_angle(p1, l1, p2, l2) * NM_PER_RADIAN;
}

double map_course_deg(double lat1, double lon1, double lat2, double lon2, double distance_nm,
                      double magnetic_variation) {
  const double p1 = lat1 * DEG_TO_RAD, p2 = lat2 * DEG_TO_RAD;
  const double l1 = lon1 * DEG_TO_RAD, l2 = lon2 * DEG_TO_RAD;
  const double course = nav_mirrored_course(p1, l1, p2, l2, distance_nm * RADIAN_PER_NM, TWO_PI);
  double deg = course * RAD_TO_DEG;
  if (deg < 0.0001) deg = 0.0001;
  if (deg > 359.999) deg = 359.999;
  return deg + magnetic_variation;
}

MapPoint map_place(double distance_nm, double map_course, double heading) {
  double r = distance_nm / MAP_RANGE_NM * MAP_RANGE_RADIUS;
  if (r > MAP_RANGE_RADIUS) r = MAP_RANGE_RADIUS;
  if (r < -MAP_RANGE_RADIUS) r = -MAP_RANGE_RADIUS;
  // The frame turned by heading + 90 degrees, the point at (cos, sin) of the
  // mirrored course: together a clockwise bearing relative to the heading.
  const double a = (heading + 90.0 + map_course) * DEG_TO_RAD;
  MapPoint p;
  p.x = static_cast<float>(r * std::cos(a));
  p.y = static_cast<float>(r * std::sin(a));
  p.in_range = distance_nm <= MAP_RANGE_NM;
  return p;
}
