#include "server/aircraft_geo.h"

#include <cmath>

double geo_wrap360(double degrees) {
  double d = std::fmod(degrees, 360.0);
  return d < 0 ? d + 360.0 : d;
}

double geo_wrap180(double degrees) {
  double d = geo_wrap360(degrees);
  return d > 180.0 ? d - 360.0 : d;
}

double geo_distance_nm(double lat1, double lon1, double lat2, double lon2) {
  // Haversine: well conditioned for the short distances of an approach.
  double p1 = lat1 * GEO_DEG, p2 = lat2 * GEO_DEG;
  double dp = p2 - p1, dl = (lon2 - lon1) * GEO_DEG;
  double a = std::sin(dp / 2) * std::sin(dp / 2) +
             std::cos(p1) * std::cos(p2) * std::sin(dl / 2) * std::sin(dl / 2);
  if (a > 1) a = 1;
  return 2 * GEO_EARTH_RADIUS_NM * std::asin(std::sqrt(a));
}

double geo_course_deg(double lat1, double lon1, double lat2, double lon2) {
  double p1 = lat1 * GEO_DEG, p2 = lat2 * GEO_DEG, dl = (lon2 - lon1) * GEO_DEG;
  double y = std::sin(dl) * std::cos(p2);
  double x = std::cos(p1) * std::sin(p2) - std::sin(p1) * std::cos(p2) * std::cos(dl);
  if (x == 0 && y == 0) return 0;
  return geo_wrap360(std::atan2(y, x) / GEO_DEG);
}

void geo_destination(double lat, double lon, double course_deg, double distance_nm,
                     double* lat_out, double* lon_out) {
  double d = distance_nm / GEO_EARTH_RADIUS_NM, c = course_deg * GEO_DEG;
  double p1 = lat * GEO_DEG, l1 = lon * GEO_DEG;
  double p2 = std::asin(std::sin(p1) * std::cos(d) + std::cos(p1) * std::sin(d) * std::cos(c));
  double l2 = l1 + std::atan2(std::sin(c) * std::sin(d) * std::cos(p1),
                              std::cos(d) - std::sin(p1) * std::sin(p2));
  *lat_out = p2 / GEO_DEG;
  *lon_out = geo_wrap180(l2 / GEO_DEG);
}

double geo_cross_track_nm(double lat_a, double lon_a, double lat_b, double lon_b,
                          double lat, double lon) {
  double d13 = geo_distance_nm(lat_a, lon_a, lat, lon) / GEO_EARTH_RADIUS_NM;
  double t13 = geo_course_deg(lat_a, lon_a, lat, lon) * GEO_DEG;
  double t12 = geo_course_deg(lat_a, lon_a, lat_b, lon_b) * GEO_DEG;
  return std::asin(std::sin(d13) * std::sin(t13 - t12)) * GEO_EARTH_RADIUS_NM;
}
