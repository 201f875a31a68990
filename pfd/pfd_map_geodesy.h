#pragma once
// Spherical-earth distance and course for the plan map of the heading display.
// Degrees in (latitude north positive, longitude east positive).

// Great-circle distance in nautical miles. Never NaN: rounding that pushes the
// cosine beyond +-1 (identical points) is clamped.
double map_distance_nm(double lat1, double lon1, double lat2, double lon2);

// The map course from point 1 to point 2 in degrees, 0.0001..359.999, plus the
// magnetic variation. It is the mirrored course (360 minus the true course:
// a point due east gives 270), which the map's frame turns back into a screen
// direction. Points closer than about 0.34 NM, and a start point at a pole,
// give 0.0001 radians.
double map_course_deg(double lat1, double lon1, double lat2, double lon2, double distance_nm,
                      double magnetic_variation);

// Where the map puts a point of the given distance and mirrored magnetic
// course, relative to the arc centre, for the given magnetic heading: the
// radius is clamped to the range arc, and a course greater than the heading
// lands to the right of the heading line.
struct MapPoint {
  float x, y;
  bool in_range;  // distance within the map range
};
MapPoint map_place(double distance_nm, double map_course, double heading);

constexpr double MAP_RANGE_NM = 50.0;
constexpr double MAP_RANGE_RADIUS = 5.2;  // arc radius of the full range

// The part of the drawing window the map can show, in map units about the
// arc centre, and whether a waypoint's star and identifier (label_width_em
// wide) reach into it: a mark wholly outside is not drawn at all.
struct MapWindow {
  float left, right, bottom, top;
};
MapWindow map_window(float aspect, float depth, float centre_x, float centre_y);
bool map_mark_visible(const MapPoint& p, float label_width_em, const MapWindow& window);
