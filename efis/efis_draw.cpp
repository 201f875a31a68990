#include "efis/efis_draw.h"

#include <GL/gl.h>

#include "efis/efis_geometry.h"

namespace {

void draw_pointer(float x, float angle) {
  glLoadIdentity();
  glTranslatef(x, EFIS_KNOB_Y, EFIS_POINTER_Z);
  glRotatef(angle, 0.0f, 0.0f, 1.0f);
  glColor3f(EFIS_POINTER_GREY, EFIS_POINTER_GREY, EFIS_POINTER_GREY);
  glLineWidth(EFIS_POINTER_WIDTH);
  glBegin(GL_LINES);
  glVertex2f(0.0f, 0.0f);
  glVertex2f(EFIS_POINTER_LENGTH, 0.0f);
  glEnd();
}

}  // namespace

void efis_gl_setup() {
  glShadeModel(GL_SMOOTH);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_LINE_SMOOTH);
  glHint(GL_LINE_SMOOTH_HINT, GL_FASTEST);
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glClearDepth(1.0);
}

void efis_draw(const EfisPanel* panel, uint32_t panel_texture) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(EFIS_QUAD_X, EFIS_QUAD_Y, EFIS_QUAD_Z);
  glColor3f(1.0f, 1.0f, 1.0f);
  glEnable(GL_BLEND);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, panel_texture);
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 0.0f); glVertex2f(0.0f, 0.0f);
  glTexCoord2f(1.0f, 0.0f); glVertex2f(EFIS_QUAD_WIDTH, 0.0f);
  glTexCoord2f(1.0f, 1.0f); glVertex2f(EFIS_QUAD_WIDTH, EFIS_QUAD_HEIGHT);
  glTexCoord2f(0.0f, 1.0f); glVertex2f(0.0f, EFIS_QUAD_HEIGHT);
  glEnd();
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_DEPTH_TEST);

  draw_pointer(EFIS_KNOB1_X, EFIS_KNOB1_ANGLES[efis_clamp_knob(panel->bearing1_position)]);
  draw_pointer(EFIS_KNOB2_X, EFIS_KNOB2_ANGLES[efis_clamp_knob(panel->bearing2_position)]);

  glLoadIdentity();
  glColor3f(EFIS_LIGHT_RED, EFIS_LIGHT_GREEN, EFIS_LIGHT_BLUE);
  glTranslatef(panel->gps ? EFIS_LIGHT_FMS_X : EFIS_LIGHT_NAV_X, EFIS_LIGHT_Y, EFIS_POINTER_Z);
  glLineWidth(EFIS_LIGHT_WIDTH);
  glBegin(GL_LINES);
  glVertex2f(0.0f, 0.0f);
  glVertex2f(EFIS_LIGHT_LENGTH, 0.0f);
  glEnd();
}
