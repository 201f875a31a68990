#include "pfd/pfd_picture.h"

#include <GL/gl.h>

#include "framework/overlay_quads.h"
#include "pfd/pfd_draw_util.h"
#include "pfd/pfd_groups.h"
#include "pfd/pfd_state.h"

void pfd_draw_screen_background() {
  draw_full_textured_quad(g_pfd.common.textures[TEXTURE_SCREEN], g_pfd.screen_tiles);
}

void pfd_draw_overlays(float dim_alpha) {
  pfd_no_clip();
  if (g_pfd.raw.battery_master && dim_alpha > 0) draw_fade_quad(dim_alpha);
  if (g_pfd.common.bezel_shown) draw_bezel_overlay_around(g_pfd.common.textures[TEXTURE_BEZEL], g_pfd.bezel_opening);
  glEnable(GL_BLEND);  // the skeleton's default for the next frame
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void pfd_draw_picture(float dim_alpha) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  draw_attitude_group();
  if (g_pfd.raw.battery_master) {
    pfd_draw_screen_background();
    draw_roll_scale();
    draw_annunciations();
    draw_heading_group();
    draw_altitude_group();
    draw_speed_group();
    draw_vertical_speed_group();
  }
  pfd_draw_overlays(dim_alpha);
}
