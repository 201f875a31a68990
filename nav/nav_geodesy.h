#pragma once
// Spherical-earth functions of the map: great-circle distance in nautical
// miles and the map course (360 minus the true course: a point due east gives
// 270, due west 90), plus clamp and round. Degrees in, latitude north and
// longitude east positive.
#include <cstdint>

double nav_distance(double lat1, double lon1, double lat2, double lon2);
// `distance` is nav_distance of the same two points. The result lies in
// 0.0001..359.999; points closer than 0.0001 radians (about 0.34 NM), a start
// at a pole and an antipode give the near-point course of 0.0001 radians.
float nav_map_course(double lat1, double lon1, double lat2, double lon2, double distance);
float nav_clamp(float value, float low, float high);
// Half away from zero, then truncated; limited to the 32-bit range.
int32_t nav_round(double value);

// The guarded core, shared by every map with its own constants. Radians in.
// Central angle between two points; a cosine rounded past +-1 is clamped, so
// identical points give 0, never NaN.
double nav_central_angle(double lat1, double lon1, double lat2, double lon2);
// Mirrored course in radians for central angle `arc`, with the map's own
// value of two pi; NAV_NEAR_COURSE_RAD when too close, at a pole or at the
// antipode (where the course formula divides by zero).
double nav_mirrored_course(double lat1, double lon1, double lat2, double lon2, double arc, double two_pi);

constexpr double NAV_NEAR_COURSE_RAD = 0.0001;
