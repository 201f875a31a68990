#include "pfd/pfd_map_geodesy.h"

#include <algorithm>
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

namespace {
constexpr double HALF_FIELD_OF_VIEW_RAD = 22.5 * 3.14159265358979323846 / 180.0;
// The mark about its point: the star (0.25 either way) and the identifier
// beside it, 0.45 units to the em, from 0.23 right and 0.2 up of the point.
constexpr float STAR_HALF = 0.25f, LABEL_X = 0.23f, LABEL_EM = 0.45f, LABEL_TOP = 0.2f + LABEL_EM;
}  // namespace

MapWindow map_window(float aspect, float depth, float centre_x, float centre_y) {
  const float half_height = static_cast<float>(depth * std::tan(HALF_FIELD_OF_VIEW_RAD));
  const float half_width = half_height * aspect;
  return {-half_width - centre_x, half_width - centre_x, -half_height - centre_y, half_height - centre_y};
}

bool map_mark_visible(const MapPoint& p, float label_width_em, const MapWindow& w) {
  const float left = p.x - STAR_HALF, right = p.x + std::max(STAR_HALF, LABEL_X + label_width_em * LABEL_EM);
  const float bottom = p.y - STAR_HALF, top = p.y + LABEL_TOP;
  return right >= w.left && left <= w.right && top >= w.bottom && bottom <= w.top;
}
