// The expanded 90-degree arc format of the heading display.
#include <GL/gl.h>

#include <cmath>

#include "framework/text.h"
#include "pfd/heading_draw.h"
#include "pfd/heading_shapes.h"
#include "pfd/pfd_convert.h"
#include "pfd/pfd_draw_util.h"
#include "pfd/pfd_state.h"

namespace {
constexpr float ARC_SCALE = 0.64f;
constexpr float LONG_TICK_INNER = 7.29f, SHORT_TICK_INNER = 7.67f, TICK_OUTER = 8.39f;
constexpr float LABEL_RADIUS = 6.4f;
constexpr double LABEL_WINDOW_DEG = 40.0, TICK_WINDOW_DEG = 45.0;
constexpr float RANGE_Y = -6.1f;
constexpr float BUG_RADIUS = 7.08f, BUG_SIDE = -0.5199f, BUG_SCALE = 0.74f;
constexpr float PARKED_X = 3.209f, PARKED_Y = -1.57f, PARKED_ROTATION = 54.0f, PARKED_SCALE = 0.8f;

void compass_arc(double heading) {
  pfd_place(ARC_X, ARC_Y, HEADING_DEPTH);
  glScalef(ARC_SCALE, ARC_SCALE, 1);
  glRotatef(static_cast<float>(heading), 0, 0, 1);
  pfd_set_colour(PFD_WHITE);
  glLineWidth(2);
  for (int b = 0; b < 360; b += 5) {
    if (std::fabs(normalise_angle(b - heading)) > TICK_WINDOW_DEG) continue;
    const float a = (90.0f - b) * 0.01745329f;
    const float inner = b % 10 == 0 ? LONG_TICK_INNER : SHORT_TICK_INNER;
    pfd_line(inner * std::cos(a), inner * std::sin(a), TICK_OUTER * std::cos(a), TICK_OUTER * std::sin(a));
  }
  for (int b = 0; b < 360; b += 30) {
    if (std::fabs(normalise_angle(b - heading)) > LABEL_WINDOW_DEG) continue;
    glPushMatrix();
    glRotatef(static_cast<float>(-b), 0, 0, 1);
    glTranslatef(0, LABEL_RADIUS, 0);
    glScalef(1.1f, 1.1f, 1);
    switch (b) {
      case 0: print(PFD_FONT, ALIGN_CENTRED, "N"); break;
      case 90: print(PFD_FONT, ALIGN_CENTRED, "E"); break;
      case 180: print(PFD_FONT, ALIGN_CENTRED, "S"); break;
      case 270: print(PFD_FONT, ALIGN_CENTRED, "W"); break;
      default: print(PFD_FONT, ALIGN_CENTRED, "%d", b / 10); break;
    }
    glPopMatrix();
  }
}

void range_arcs() {
  pfd_place(0, RANGE_Y, HEADING_DEPTH);
  pfd_set_colour(PFD_WHITE);
  glLineWidth(1.5f);
  const float deg = 0.01745329f;
  pfd_arc_strip(0, 0, 5.2f, (90.0f - 45.0f) * deg, (90.0f + 45.0f) * deg, 90);
  pfd_arc_strip(0, 0, 2.6f, (90.0f - 60.0f) * deg, (90.0f + 60.0f) * deg, 120);
  pfd_place(1.97f, -5.22f, HEADING_DEPTH);
  glScalef(0.5f, 0.5f, 1);
  print(PFD_FONT, ALIGN_LEFT, "25");
  glTranslatef(-10.02f, 0, 0);
  print(PFD_FONT, ALIGN_LEFT, "25");
}

void course_line(Rgb colour, double rotation) {
  pfd_place(ARC_X, ARC_Y, HEADING_DEPTH);
  glRotatef(static_cast<float>(rotation), 0, 0, 1);
  pfd_set_colour(colour);
  glLineWidth(4);
  pfd_line(0, -0.859f, 0, -4.63f);
  pfd_line(0, 1.15f, 0, 4.04f);
  static const float head[] = {0, 4.157f, -0.16f, 3.86f, 0.16f, 3.86f};
  pfd_fill_polygon(head, 3);
}

void heading_bug(double heading, double bug) {
  pfd_set_colour(PFD_MAGENTA);
  const BugPlace where = heading_bug_place(bug, heading);
  if (where == BUG_ON_ARC) {
    pfd_place(ARC_X, ARC_Y, HEADING_DEPTH);
    glRotatef(static_cast<float>(heading - bug + 90.0), 0, 0, 1);
    glScalef(ARC_SCALE, ARC_SCALE, 1);
    glTranslatef(BUG_RADIUS, BUG_SIDE, 0);
    glScalef(BUG_SCALE, BUG_SCALE, 1);
    pfd_heading_bug_shape();
    return;
  }
  const float side = where == BUG_PARKED_RIGHT ? 1.0f : -1.0f;
  pfd_place(side * PARKED_X, PARKED_Y, HEADING_DEPTH);
  glRotatef(side * PARKED_ROTATION, 0, 0, 1);
  glScalef(side * PARKED_SCALE, PARKED_SCALE, 1);
  glTranslatef(0, -0.7026f, 0);
  pfd_heading_bug_shape();
}
}  // namespace

void draw_arc_format() {
  const PfdDerived& v = g_pfd.value;
  const bool fms = v.course_source == COURSE_SOURCE_FMS;
  course_line(fms ? PFD_YELLOW : PFD_V2_GREEN, v.heading - selected_course(v, g_pfd.raw));
  draw_bearing_pointer_shape(1, bearing_pointer(1, g_pfd.raw.bearing1_source, v, true), true);
  draw_bearing_pointer_shape(2, bearing_pointer(2, g_pfd.raw.bearing2_source, v, true), true);
  compass_arc(v.heading);
  range_arcs();

  int shown = static_cast<int>(v.heading + 0.1);
  if (shown >= 360) shown = 0;
  char digits[8];
  format_three_digits(digits, sizeof digits, shown);
  pfd_place(0, -0.07f, 5);
  glScalef(0.11f, 0.11f, 1);
  pfd_set_colour(PFD_WHITE);
  print(PFD_FONT, ALIGN_CENTRED, "%s", digits);

  heading_bug(v.heading, v.heading_bug);
  draw_heading_bug_readout();
  draw_plan_map();
  pfd_place(ARC_X, ARC_Y, HEADING_DEPTH);
  glScalef(0.3569f, 0.3569f, 1);
  pfd_aircraft_symbol();
}
