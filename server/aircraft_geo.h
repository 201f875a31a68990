#pragma once
// Spherical-earth helpers of the stand-in aircraft: distances in nautical
// miles, courses in degrees true (0..360, clockwise from north).
constexpr double GEO_PI = 3.14159265358979323846;
constexpr double GEO_DEG = GEO_PI / 180.0;
constexpr double GEO_EARTH_RADIUS_NM = 3440.065;
constexpr double GEO_METRES_PER_NM = 1852.0;
constexpr double GEO_FEET_PER_METRE = 3.28084;

double geo_distance_nm(double lat1, double lon1, double lat2, double lon2);
double geo_course_deg(double lat1, double lon1, double lat2, double lon2);
// The point reached from (lat, lon) after `distance_nm` along `course_deg`.
void geo_destination(double lat, double lon, double course_deg, double distance_nm,
                     double* lat_out, double* lon_out);
// Signed cross-track distance from the great circle a->b (positive: right of it).
double geo_cross_track_nm(double lat_a, double lon_a, double lat_b, double lon_b,
                          double lat, double lon);
double geo_wrap360(double degrees);   // into 0..360
double geo_wrap180(double degrees);   // into -180..180
