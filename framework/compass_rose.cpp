#include "framework/compass_rose.h"

#include <GL/gl.h>

#include "framework/text.h"

namespace {

constexpr int STEP_DEGREES = 5;
constexpr float LONG_TICK_OUTER = 8.39f, LONG_TICK_INNER = 7.29f;
constexpr float SHORT_TICK_OUTER = -8.39f, SHORT_TICK_INNER = -7.67f;
constexpr float LABEL_RADIUS = 6.4f;
constexpr float MASK_X = 0.0f, MASK_Y = 2.28f, MASK_DEPTH = 30.0f;

void rose(int font_slot) {
  for (int angle = 0; angle < 360; angle += STEP_DEGREES) {
    glBegin(GL_LINES);
    if (angle % 10 == 0) {
      glVertex2f(0.0f, LONG_TICK_INNER);
      glVertex2f(0.0f, LONG_TICK_OUTER);
    } else {
      glVertex2f(0.0f, SHORT_TICK_OUTER);
      glVertex2f(0.0f, SHORT_TICK_INNER);
    }
    glEnd();
    if (angle % 30 == 0) {
      glPushMatrix();
      glTranslatef(0.0f, LABEL_RADIUS, 0.0f);
      switch (angle) {
        case 0: print(font_slot, ALIGN_CENTRED, "N"); break;
        case 90: print(font_slot, ALIGN_CENTRED, "E"); break;
        case 180: print(font_slot, ALIGN_CENTRED, "S"); break;
        case 270: print(font_slot, ALIGN_CENTRED, "W"); break;
        default: print(font_slot, ALIGN_CENTRED, "%d", angle / 10); break;
      }
      glPopMatrix();
    }
    glRotatef(-static_cast<float>(STEP_DEGREES), 0.0f, 0.0f, 1.0f);
  }
  glColor3f(0.0f, 0.0f, 0.0f);
  glLoadIdentity();
  glTranslatef(MASK_X, MASK_Y, -MASK_DEPTH);
  for (float side : {1.0f, -1.0f}) {
    glBegin(GL_QUADS);
    glVertex2f(0.0f, 0.0f);
    glVertex2f(side * 9.23f, 4.56f);
    glVertex2f(side * 9.23f, -14.669f);
    glVertex2f(0.0f, -10.0f);
    glEnd();
  }
}

}  // namespace

bool build_compass_rose_list(StaticLists* lists, int font_slot) {
  if (lists->compass_rose != 0) glDeleteLists(lists->compass_rose, 1);
  lists->compass_rose = glGenLists(1);
  if (lists->compass_rose == 0) return false;
  glNewList(lists->compass_rose, GL_COMPILE);
  rose(font_slot);
  glEndList();
  return true;
}
