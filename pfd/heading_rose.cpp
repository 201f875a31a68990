// The full compass rose format of the heading display.
#include <GL/gl.h>

#include <cmath>

#include "framework/text.h"
#include "pfd/failure_pictures.h"
#include "pfd/heading_draw.h"
#include "pfd/heading_shapes.h"
#include "pfd/pfd_draw_util.h"
#include "pfd/pfd_state.h"
#include "simlink/cells.h"

namespace {
constexpr float CARD_OUTER = 4.3f, TICK_10_INNER = 3.85f, TICK_5_INNER = 4.05f;
constexpr float LABEL_RADIUS = 3.16f, LABEL_SCALE = 0.65f;
constexpr float BUG_RADIUS = 4.349f, BUG_SIDE = -0.5199f, BUG_SCALE = 0.74f;
constexpr float DEVIATION_Y = -3.789f;

void rose_frame() { pfd_place(ROSE_X, ROSE_Y, HEADING_DEPTH); }

void course_pointer(Rgb colour, double rotation) {
  rose_frame();
  glRotatef(static_cast<float>(rotation), 0, 0, 1);
  pfd_set_colour(colour);
  glLineWidth(3);
  pfd_line(0, 1.25f, 0, 3.3f);
  pfd_line(0, -1.25f, 0, -3.6f);
  static const float head[] = {0, 3.75f, -0.22f, 3.3f, 0.22f, 3.3f};
  pfd_fill_polygon(head, 3);
}

void to_from_arrow(Rgb colour, double rotation, int flag) {
  pfd_place(ROSE_X, DEVIATION_Y, HEADING_DEPTH);
  glRotatef(static_cast<float>(rotation + (flag == 2 ? 180.0 : 0.0)), 0, 0, 1);
  glTranslatef(0, flag == 2 ? 0.579f : 0.8f, 0);
  glScalef(0.5f, 0.5f, 1);
  pfd_set_colour(colour);
  static const float arrow[] = {-0.35f, 0, 0.35f, 0, 0, 0.5f};
  pfd_fill_polygon(arrow, 3);
}

void deviation_bar(Rgb colour, double rotation, double offset) {
  pfd_place(ROSE_X, DEVIATION_Y, HEADING_DEPTH);
  glRotatef(static_cast<float>(rotation), 0, 0, 1);
  pfd_set_colour(colour);
  glLineWidth(3);
  const float x = static_cast<float>(offset);
  pfd_line(x, -1.15f, x, 1.15f);
}
}  // namespace

void draw_rose_card(double heading) {
  rose_frame();
  pfd_set_colour(PFD_WHITE);
  glLineWidth(2);
  // Fixed index marks every 45 degrees outside the card.
  for (int k = 0; k < 8; k++) {
    const float a = (90.0f + 45.0f * k) * 0.01745329f;
    pfd_line(4.45f * std::cos(a), 4.45f * std::sin(a), 4.85f * std::cos(a), 4.85f * std::sin(a));
  }
  glRotatef(static_cast<float>(heading), 0, 0, 1);
  glLineWidth(1.5f);
  for (int b = 0; b < 360; b += 5) {
    const float a = (90.0f - b) * 0.01745329f;
    const float inner = b % 10 == 0 ? TICK_10_INNER : TICK_5_INNER;
    pfd_line(inner * std::cos(a), inner * std::sin(a), CARD_OUTER * std::cos(a), CARD_OUTER * std::sin(a));
  }
  static const char* const labels[] = {"N", "3", "6", "E", "12", "15", "S", "21", "24", "W", "30", "33"};
  for (int k = 0; k < 12; k++) {
    glPushMatrix();
    glRotatef(-30.0f * k, 0, 0, 1);
    glTranslatef(0, LABEL_RADIUS, 0);
    glScalef(LABEL_SCALE, LABEL_SCALE, 1);
    print(PFD_FONT, ALIGN_CENTRED, "%s", labels[k]);
    glPopMatrix();
  }
}

void draw_deviation_circles() {
  pfd_set_colour(PFD_WHITE);
  glLineWidth(2);
  static const float across[] = {-1.358f, -0.679f, 0.679f, 1.358f};
  for (float x : across) pfd_circle_outline(x, 0, 0.15f, 16);
}

void draw_rose_format() {
  const PfdDerived& v = g_pfd.value;
  const double heading = v.heading;
  draw_rose_card(heading);

  rose_frame();
  glRotatef(static_cast<float>(heading - v.heading_bug + 90.0), 0, 0, 1);
  glTranslatef(BUG_RADIUS, BUG_SIDE, 0);
  glScalef(BUG_SCALE, BUG_SCALE, 1);
  pfd_set_colour(PFD_MAGENTA);
  pfd_heading_bug_shape();

  const bool fms = v.course_source == COURSE_SOURCE_FMS;
  const Rgb colour = fms ? PFD_YELLOW : PFD_V2_GREEN;
  const double rotation = heading - selected_course(v, g_pfd.raw);
  course_pointer(colour, rotation);
  const int flag = to_from_flag(v, g_pfd.raw);
  if (flag != 0) to_from_arrow(colour, rotation, flag);
  const double offset = deviation_offset(v, g_pfd.raw);
  if (fms || offset != 0.0) deviation_bar(colour, rotation, offset);
  pfd_place(ROSE_X, DEVIATION_Y, HEADING_DEPTH);
  glRotatef(static_cast<float>(rotation), 0, 0, 1);
  draw_deviation_circles();

  draw_bearing_pointer_shape(1, bearing_pointer(1, g_pfd.raw.bearing1_source, v, false), false);
  draw_bearing_pointer_shape(2, bearing_pointer(2, g_pfd.raw.bearing2_source, v, false), false);
  draw_heading_bug_readout();
  rose_frame();
  glScalef(0.3569f, 0.3569f, 1);
  pfd_aircraft_symbol();
}
