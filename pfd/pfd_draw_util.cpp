#include "pfd/pfd_draw_util.h"

#include <GL/gl.h>

#include "framework/opaque_fill.h"
#include "pfd/pfd_state.h"

void pfd_set_colour(Rgb c) { glColor3f(c.r, c.g, c.b); }

void pfd_place(float x, float y, float depth) {
  glLoadIdentity();
  glTranslatef(x, y, -depth);
}

void pfd_clip_box(float left, float bottom, float width, float height) {
  const float w = static_cast<float>(g_pfd.common.x_size), h = static_cast<float>(g_pfd.common.y_size);
  int cw = static_cast<int>(width * w), ch = static_cast<int>(height * h);
  glEnable(GL_SCISSOR_TEST);
  glScissor(static_cast<int>(left * w), static_cast<int>(bottom * h), cw > 0 ? cw : 0, ch > 0 ? ch : 0);
}

void pfd_no_clip() { glDisable(GL_SCISSOR_TEST); }

static void vertices(GLenum mode, const float* xy, int points) {
  glBegin(mode);
  for (int i = 0; i < points; ++i) glVertex2f(xy[2 * i], xy[2 * i + 1]);
  glEnd();
}

void pfd_fill_polygon(const float* xy, int points) {
  const bool paused = opaque_fill_begin();
  vertices(GL_POLYGON, xy, points);
  opaque_fill_end(paused);
}
void pfd_line_loop(const float* xy, int points) { vertices(GL_LINE_LOOP, xy, points); }
void pfd_line_strip(const float* xy, int points) { vertices(GL_LINE_STRIP, xy, points); }

void pfd_line(float x1, float y1, float x2, float y2) {
  glBegin(GL_LINES);
  glVertex2f(x1, y1);
  glVertex2f(x2, y2);
  glEnd();
}

