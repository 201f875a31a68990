#include "pfd/heading_shapes.h"

#include <GL/gl.h>

#include <cmath>

#include "framework/opaque_fill.h"
#include "pfd/pfd_draw_util.h"

void pfd_circle_outline(float cx, float cy, float radius, int segments) {
  glBegin(GL_LINE_LOOP);
  for (int i = 0; i < segments; i++) {
    const float a = 6.2831853f * static_cast<float>(i) / static_cast<float>(segments);
    glVertex2f(cx + radius * std::cos(a), cy + radius * std::sin(a));
  }
  glEnd();
}

void pfd_arc_strip(float cx, float cy, float radius, float from, float to, int segments) {
  glBegin(GL_LINE_STRIP);
  for (int i = 0; i <= segments; i++) {
    const float a = from + (to - from) * static_cast<float>(i) / static_cast<float>(segments);
    glVertex2f(cx + radius * std::cos(a), cy + radius * std::sin(a));
  }
  glEnd();
}

void pfd_filled_rect(float x1, float y1, float x2, float y2) {
  const bool paused = opaque_fill_begin();
  glBegin(GL_QUADS);
  glVertex2f(x1, y1);
  glVertex2f(x2, y1);
  glVertex2f(x2, y2);
  glVertex2f(x1, y2);
  glEnd();
  opaque_fill_end(paused);
}

void pfd_aircraft_symbol() {
  // 19 points: the left half, the nose, and the right half mirrored.
  static const float half[][2] = {{0, -0.962f},      {-0.382f, -1.04f}, {-0.382f, -0.901f},
                                  {-0.0892f, -0.668f}, {-0.201f, -0.0402f}, {-0.843f, -0.18f},
                                  {-0.843f, 0.0715f}, {-0.182f, 0.36f},  {-0.178f, 0.723f},
                                  {0, 1}};
  pfd_set_colour(PFD_WHITE);
  glLineWidth(2);
  glBegin(GL_LINE_LOOP);
  for (const auto& p : half) glVertex2f(p[0], p[1]);
  for (int i = 8; i >= 1; i--) glVertex2f(-half[i][0], half[i][1]);
  glEnd();
}

void pfd_boxed_square(float inner_x1, float inner_y1, float inner_x2, float inner_y2) {
  pfd_set_colour(PFD_WHITE);
  pfd_filled_rect(0, 0, 1, 1);
  pfd_set_colour(PFD_BLACK);
  pfd_filled_rect(inner_x1, inner_y1, inner_x2, inner_y2);
}

void pfd_small_arrow() {
  glBegin(GL_LINES);
  glVertex2f(0, -0.4f);
  glVertex2f(0, 0.4f);
  glVertex2f(0, 0.4f);
  glVertex2f(0.18f, 0.25f);
  glVertex2f(0, 0.4f);
  glVertex2f(-0.18f, 0.25f);
  glEnd();
}

void pfd_diamond(float cx, float cy, float half) {
  glBegin(GL_LINE_LOOP);
  glVertex2f(cx, cy + half);
  glVertex2f(cx + half, cy);
  glVertex2f(cx, cy - half);
  glVertex2f(cx - half, cy);
  glEnd();
}

void pfd_heading_bug_shape() {
  // A notched block whose V points at the card. Its middle lies 0.7026 to the
  // side of the origin, which the placements' sideways shift of 0.5199 at
  // scale 0.74 brings back onto the bug's bearing.
  constexpr float c = 0.7026f;
  static const float bug[][2] = {{0, c - 0.42f}, {0.42f, c - 0.42f}, {0.42f, c + 0.42f}, {0, c + 0.42f},
                                 {0, c + 0.17f}, {0.22f, c},         {0, c - 0.17f}};
  glLineWidth(2);
  glBegin(GL_LINE_LOOP);
  for (const auto& p : bug) glVertex2f(p[0], p[1]);
  glEnd();
}
