#pragma once
// The map page's drawing groups (mfd_page_map.cpp, map_symbols.cpp,
// map_traffic_draw.cpp), all from g_mfd. Geometry sits at depth 30 under the
// unit's perspective; every group starts from a reset model-view matrix and
// leaves line width 1 and the scissor test off.
#include <cstdint>

#include "framework/text.h"

constexpr float MAP_DEPTH = 30.0f;
constexpr float MAP_CENTRE_X = 0.0f, MAP_CENTRE_Y = 2.32f;  // aircraft reference point
constexpr int MAP_FONT_NORMAL = 2, MAP_FONT_BOLD = 3;

struct MapColour {
  float r, g, b;
};
constexpr MapColour MAP_WHITE = {1, 1, 1};
constexpr MapColour MAP_BLACK = {0, 0, 0};
constexpr MapColour MAP_CYAN = {0, 1, 1};
constexpr MapColour MAP_GREEN = {0.156f, 0.803f, 0.215f};
constexpr MapColour MAP_AMBER = {0.933f, 0.596f, 0};
constexpr MapColour MAP_YELLOW = {1, 0.945f, 0};
constexpr MapColour MAP_MAGENTA = {0.882f, 0, 0.482f};
constexpr MapColour MAP_RED = {1, 0, 0};

typedef struct GLUquadric GLUquadric;
// The skeleton's quadric, or the page's own when the frame runs without it.
GLUquadric* map_quadric();

void map_colour(MapColour c);
// Identity, then a translation to (x, y, -depth).
void map_place(float x, float y, float depth = MAP_DEPTH);
// Scissor rectangle in fractions of the window's width and height.
void map_scissor(float left, float bottom, float width, float height);
// A point at `distance_nm` and display course `course_deg` on the map of
// heading `heading` and range `range_nm`, radius limited to `max_radius`:
// the model-view matrix is left at the point, turned with the map.
void map_place_point(double distance_nm, double course_deg, double heading, double range_nm, float max_radius);
// Its offset from the aircraft reference point in the turned frame.
void map_point_offset(double distance_nm, double course_deg, double range_nm, float max_radius, float* x, float* y);

// Navaids, airports and the route (avionics and battery on).
void map_draw_navaids(double heading, double range_nm);
void map_draw_airports(double heading, double range_nm);
void map_draw_route(double heading, double range_nm);
// The traffic picture below the map (g_mfd.traffic.drawn).
void map_draw_traffic(double heading);
