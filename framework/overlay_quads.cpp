#include "framework/overlay_quads.h"

#include <GL/gl.h>

namespace {
void full_quad(bool textured) {
  glBegin(GL_QUADS);
  if (textured) glTexCoord2f(0.0f, 0.0f);
  glVertex2f(-FULL_QUAD_HALF_WIDTH, -FULL_QUAD_HALF_HEIGHT);
  if (textured) glTexCoord2f(1.0f, 0.0f);
  glVertex2f(FULL_QUAD_HALF_WIDTH, -FULL_QUAD_HALF_HEIGHT);
  if (textured) glTexCoord2f(1.0f, 1.0f);
  glVertex2f(FULL_QUAD_HALF_WIDTH, FULL_QUAD_HALF_HEIGHT);
  if (textured) glTexCoord2f(0.0f, 1.0f);
  glVertex2f(-FULL_QUAD_HALF_WIDTH, FULL_QUAD_HALF_HEIGHT);
  glEnd();
}
}  // namespace

void draw_fade_quad(float alpha) {
  glLoadIdentity();
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glColor4f(0.0f, 0.0f, 0.0f, alpha);
  glTranslatef(0.0f, 0.0f, -FULL_QUAD_DEPTH);
  full_quad(false);
}

void draw_bezel_overlay(uint32_t texture) {
  glLoadIdentity();
  glTranslatef(0.0f, 0.0f, -BEZEL_OVERLAY_OFFSET);
  glColor3f(1.0f, 1.0f, 1.0f);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTranslatef(0.0f, 0.0f, -FULL_QUAD_DEPTH);
  full_quad(true);
  glDisable(GL_BLEND);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_DEPTH_TEST);
}

void draw_full_textured_quad(uint32_t texture) {
  glLoadIdentity();
  glColor3f(1.0f, 1.0f, 1.0f);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTranslatef(0.0f, 0.0f, -FULL_QUAD_DEPTH);
  full_quad(true);
  glDisable(GL_TEXTURE_2D);
}
