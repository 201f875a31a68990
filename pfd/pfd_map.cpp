// The active flight plan drawn on the arc format.
#include <GL/gl.h>

#include <cstring>

#include "framework/drawing_area.h"
#include "framework/text.h"
#include "pfd/heading_draw.h"
#include "pfd/pfd_draw_util.h"
#include "pfd/pfd_groups.h"
#include "pfd/pfd_map_geodesy.h"
#include "pfd/pfd_state.h"

void plan_geometry_update() {
  AircraftConfig& c = g_pfd.config;
  const int n = c.plan_length < 0 ? 0 : (c.plan_length > PFD_PLAN_CAPACITY ? PFD_PLAN_CAPACITY : c.plan_length);
  for (int i = 0; i < n; i++) {
    PlanWaypoint& w = c.plan[i];
    w.distance = map_distance_nm(g_pfd.value.latitude, g_pfd.value.longitude, w.latitude, w.longitude);
    w.bearing = map_course_deg(g_pfd.value.latitude, g_pfd.value.longitude, w.latitude, w.longitude, w.distance,
                               g_pfd.value.magnetic_variation);
  }
}

void draw_plan_map() {
  plan_geometry_update();
  const AircraftConfig& c = g_pfd.config;
  const int n = c.plan_length < 0 ? 0 : (c.plan_length > PFD_PLAN_CAPACITY ? PFD_PLAN_CAPACITY : c.plan_length);
  MapPoint points[PFD_PLAN_CAPACITY];
  for (int i = 0; i < n; i++) points[i] = map_place(c.plan[i].distance, c.plan[i].bearing, g_pfd.value.heading);

  pfd_place(ARC_X, ARC_Y, HEADING_DEPTH);
  pfd_set_colour(PFD_WHITE);
  glLineWidth(1.5f);
  glBegin(GL_LINES);
  for (int i = 1; i < n; i++) {
    if (!points[i].in_range) continue;
    glVertex2f(points[i - 1].x, points[i - 1].y);
    glVertex2f(points[i].x, points[i].y);
  }
  glEnd();

  const float aspect = g_pfd.common.y_size > 0 ? static_cast<float>(g_pfd.common.x_size) / g_pfd.common.y_size
                                              : static_cast<float>(DU_WIDTH_PER_HEIGHT);
  const MapWindow window = map_window(aspect, HEADING_DEPTH, ARC_X, ARC_Y);
  for (int i = 0; i < n; i++) {
    if (!points[i].in_range || !map_mark_visible(points[i], text_width(c.plan[i].ident), window)) continue;
    pfd_place(ARC_X + points[i].x, ARC_Y + points[i].y, HEADING_DEPTH);
    glScalef(0.5f, 0.5f, 1);
    pfd_set_colour(PFD_WHITE);
    glLineWidth(1.5f);
    glCallList(g_pfd.star_list);
    const bool next = std::strncmp(c.plan[i].ident, g_pfd.value.gps_waypoint, PFD_IDENT_CAPACITY) == 0;
    pfd_set_colour(next ? PFD_MAGENTA : PFD_WHITE);
    glTranslatef(0.46f, 0.4f, 0);
    glScalef(0.9f, 0.9f, 1);
    print(PFD_FONT, ALIGN_LEFT, "%s", c.plan[i].ident);
  }
}
