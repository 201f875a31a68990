// The active flight plan drawn on the arc format.
#include <GL/gl.h>

#include <cstring>
#include <vector>

#include "framework/drawing_area.h"
#include "framework/text.h"
#include "framework/text_batch.h"
#include "pfd/heading_draw.h"
#include "pfd/heading_shapes.h"
#include "pfd/pfd_draw_util.h"
#include "pfd/pfd_groups.h"
#include "pfd/pfd_map_geodesy.h"
#include "pfd/pfd_state.h"

namespace {

// Star and identifier placement about the waypoint, in the arc's units.
constexpr float STAR_SCALE = 0.5f, LABEL_OFFSET_X = 0.46f, LABEL_OFFSET_Y = 0.4f, LABEL_SCALE = 0.9f;

// The frame's marks, kept between frames so their memory is reused.
std::vector<float> g_star_lines;  // x, y pairs, two per segment
TextBatch g_plain_labels, g_next_label;

}  // namespace

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
  // All the stars in one draw and the identifiers in one per colour, in the
  // arc's frame, instead of two draws and their state changes per waypoint.
  g_star_lines.clear();
  text_batch_clear(&g_plain_labels);
  text_batch_clear(&g_next_label);
  for (int i = 0; i < n; i++) {
    if (!points[i].in_range || !map_mark_visible(points[i], text_width(c.plan[i].ident), window)) continue;
    const float x = ARC_X + points[i].x, y = ARC_Y + points[i].y;
    for (int k = 0; k < PFD_STAR_POINTS; k++) {
      const int next_point = (k + 1) % PFD_STAR_POINTS;
      const float segment[4] = {PFD_STAR_OUTLINE[2 * k], PFD_STAR_OUTLINE[2 * k + 1], PFD_STAR_OUTLINE[2 * next_point],
                                PFD_STAR_OUTLINE[2 * next_point + 1]};
      for (int e = 0; e < 4; e += 2) {
        g_star_lines.push_back(x + STAR_SCALE * segment[e]);
        g_star_lines.push_back(y + STAR_SCALE * segment[e + 1]);
      }
    }
    const bool next = std::strncmp(c.plan[i].ident, g_pfd.value.gps_waypoint, PFD_IDENT_CAPACITY) == 0;
    char ident[PFD_IDENT_CAPACITY + 1];
    std::memcpy(ident, c.plan[i].ident, PFD_IDENT_CAPACITY);
    ident[PFD_IDENT_CAPACITY] = '\0';
    pfd_set_colour(next ? PFD_MAGENTA : PFD_WHITE);  // for the text capture
    text_batch_add(next ? &g_next_label : &g_plain_labels, PFD_FONT, ALIGN_LEFT, x + STAR_SCALE * LABEL_OFFSET_X,
                   y + STAR_SCALE * LABEL_OFFSET_Y, STAR_SCALE * LABEL_SCALE, ident);
  }
  pfd_place(0, 0, HEADING_DEPTH);
  pfd_set_colour(PFD_WHITE);
  if (!g_star_lines.empty()) {
    glLineWidth(1.5f);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(2, GL_FLOAT, 0, g_star_lines.data());
    glDrawArrays(GL_LINES, 0, static_cast<GLsizei>(g_star_lines.size() / 2));
    glDisableClientState(GL_VERTEX_ARRAY);
  }
  text_batch_draw(g_plain_labels);
  pfd_set_colour(PFD_MAGENTA);
  text_batch_draw(g_next_label);
}
