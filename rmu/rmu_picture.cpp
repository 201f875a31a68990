#include "rmu/rmu_picture.h"

#include <GL/gl.h>

#include "framework/overlay_quads.h"

void rmu_place_display_group(const RmuState& s) {
  glLoadIdentity();
  if (s.common.bezel_shown) {
    glTranslatef(0.0f, 0.0f, -RMU_DISPLAY_DEPTH_WITH_BEZEL);
  } else {
    const float* p = s.settings.display_position;
    glTranslatef(p[0], p[1], p[2]);
  }
}

void rmu_draw_bezel(uint32_t texture) {
  draw_blended_texture_quad(texture, RMU_BEZEL_HALF_WIDTH, RMU_BEZEL_HALF_HEIGHT, RMU_BEZEL_DEPTH);
}
