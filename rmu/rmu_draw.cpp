#include "rmu/rmu_draw.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdarg>
#include <cstdio>

#include "framework/text.h"

namespace {
constexpr float LINE_WIDTH_WITH_BEZEL = 2.0f;
constexpr float LINE_WIDTH_WITHOUT_BEZEL = 3.0f;
constexpr float SELECTION_LINE_WIDTH = 2.0f;
constexpr float TITLE_GAP = 0.006f;
}  // namespace

void rmu_colour(RmuColour c) { glColor3f(c.r, c.g, c.b); }

void rmu_text(float x, float y, float height, RmuColour colour, int alignment, const char* format, ...) {
  char text[PRINT_BUFFER_SIZE];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  rmu_colour(colour);
  glPushMatrix();
  glTranslatef(x, y, 0.0f);
  glScalef(height, height, 1.0f);
  print(RMU_FONT, alignment, "%s", text);
  glPopMatrix();
}

float rmu_text_width(const char* text, float height) { return text_width(text) * height; }

int rmu_display_int(double value) {
  return value > -2147483648.0 && value < 2147483648.0 ? static_cast<int>(value) : 0;
}

void rmu_line_width(float width) { glLineWidth(width); }

void rmu_line(float x1, float y1, float x2, float y2) {
  glBegin(GL_LINES);
  glVertex2f(x1, y1);
  glVertex2f(x2, y2);
  glEnd();
}

void rmu_box(float left, float bottom, float right, float top) {
  glBegin(GL_LINE_LOOP);
  glVertex2f(left, bottom);
  glVertex2f(right, bottom);
  glVertex2f(right, top);
  glVertex2f(left, top);
  glEnd();
}

void rmu_filled_box(float left, float bottom, float right, float top) {
  glBegin(GL_QUADS);
  glVertex2f(left, bottom);
  glVertex2f(right, bottom);
  glVertex2f(right, top);
  glVertex2f(left, top);
  glEnd();
}

void rmu_selection_box(float left, float bottom, float right, float top) {
  glLineWidth(SELECTION_LINE_WIDTH);
  rmu_colour(RMU_YELLOW);
  rmu_box(left, bottom, right, top);
}

float rmu_frame_line_width(bool bezel_shown) {
  return bezel_shown ? LINE_WIDTH_WITH_BEZEL : LINE_WIDTH_WITHOUT_BEZEL;
}

void rmu_green_lines(bool bezel_shown) {
  glLineWidth(rmu_frame_line_width(bezel_shown));
  rmu_colour(RMU_GREEN);
}

void rmu_page_outline(const RmuTitle* titles, int count, bool bezel_shown) {
  rmu_green_lines(bezel_shown);
  rmu_line(RMU_FRAME_LEFT, RMU_FRAME_TOP, RMU_FRAME_LEFT, RMU_FRAME_BOTTOM);
  rmu_line(RMU_FRAME_LEFT, RMU_FRAME_BOTTOM, RMU_FRAME_RIGHT, RMU_FRAME_BOTTOM);
  rmu_line(RMU_FRAME_RIGHT, RMU_FRAME_BOTTOM, RMU_FRAME_RIGHT, RMU_FRAME_TOP);
  rmu_titled_rule(RMU_FRAME_TOP, titles, count);
}

void rmu_titled_rule(float y, const RmuTitle* titles, int count) {
  rmu_colour(RMU_GREEN);
  float from = RMU_FRAME_LEFT;
  for (int i = 0; i < count; ++i) {
    rmu_line(from, y, titles[i].x - TITLE_GAP, y);
    from = titles[i].x + rmu_text_width(titles[i].text, RMU_TEXT_NORMAL) + TITLE_GAP;
  }
  rmu_line(from, y, RMU_FRAME_RIGHT, y);
  for (int i = 0; i < count; ++i)
    rmu_text(titles[i].x, titles[i].y, RMU_TEXT_NORMAL, RMU_WHITE, ALIGN_LEFT, "%s", titles[i].text);
}
