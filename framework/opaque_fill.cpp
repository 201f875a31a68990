#include "framework/opaque_fill.h"

#include <GL/gl.h>

bool opaque_fill_begin() {
  if (!glIsEnabled(GL_BLEND)) return false;
  GLint source = 0, destination = 0;
  glGetIntegerv(GL_BLEND_SRC, &source);
  glGetIntegerv(GL_BLEND_DST, &destination);
  if (source != GL_SRC_ALPHA || destination != GL_ONE_MINUS_SRC_ALPHA) return false;
  GLint compiling = 0;
  glGetIntegerv(GL_LIST_INDEX, &compiling);
  if (compiling != 0) return false;
  GLfloat colour[4] = {0, 0, 0, 0};
  glGetFloatv(GL_CURRENT_COLOR, colour);
  if (colour[3] < 1.0f) return false;
  glDisable(GL_BLEND);
  return true;
}

void opaque_fill_end(bool paused) {
  if (paused) glEnable(GL_BLEND);
}
