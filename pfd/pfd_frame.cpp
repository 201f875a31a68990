#include "pfd/pfd_frame.h"

#include <GL/gl.h>

#include "framework/link_state.h"
#include "framework/overlay_quads.h"
#include "framework/text.h"
#include "framework/tga.h"
#include "pfd/accfg.h"
#include "pfd/pfd_convert.h"
#include "pfd/pfd_draw_util.h"
#include "pfd/pfd_exchange.h"
#include "pfd/pfd_frame_logic.h"
#include "pfd/pfd_groups.h"
#include "pfd/pfd_settings.h"
#include "pfd/pfd_state.h"
#include "platform/clock.h"
#include "platform/message_box.h"

static const char* const FONT_FACE = "Korvu";
static const char* const SPARE_FONT_FACE = "Sans";   // the system's default face
static const char* const FONT_MISSING_TEXT = "Korvu.ttf Font is not installed";
static const char* const FONT_MISSING_CAPTION = "Korvu Error!";
static const int FRAME_SLEEP_MS = 1;

void pfd_prepare() {
  pfd.common.x_size = PFD_START_CLIENT_WIDTH;
  pfd.common.y_size = PFD_START_CLIENT_HEIGHT;
  pfd.common.bezel_shown = true;
  // Until a first exchange the screen shows zeros with both masters on.
  pfd.raw.battery_master = 1;
  pfd.raw.avionics_master = 1;
  pfd.dim_alpha = 1;
  pfd.fading = true;
  minimums_init();
}

const char* pfd_startup_title() {
  pfd.side = pfd_side_table(pfd.settings.side);
  return pfd.side.title;
}

static void report_missing_font() { platform_message_box(FONT_MISSING_CAPTION, FONT_MISSING_TEXT, ICON_EXCLAMATION); }

bool pfd_gl_init() {
  glDisable(GL_DEPTH_TEST);  // instruments are painted in order, front last
  // Only the face the instruments use decides: the spare face always exists.
  pfd.common.font_missing = !build_font(FONT_FACE, PFD_FONT, 12, 700);
  build_font(SPARE_FONT_FACE, PFD_FONT_SPARE, 20, 400);
  if (pfd.common.font_missing) {
    report_missing_font();
    return false;
  }
  heading_lists_init();
  if (!make_texture(pfd.common.textures, "textures//zero_flag.tga", TEXTURE_ZERO_FLAG) ||
      !make_texture(pfd.common.textures, "textures//DU_NoBezel.tga", TEXTURE_SCREEN) ||
      !make_texture(pfd.common.textures, "textures//DU_BezelOverlay.tga", TEXTURE_BEZEL))
    fatal_texture_missing();
  pfd.bezel_opening = find_overlay_opening(pfd.common.textures[TEXTURE_BEZEL]);
  accfg_load(pfd_side_config_folder(pfd.settings), &pfd.config);
  plan_geometry_update();
  annunciators_init();
  convert_raw(pfd.raw, pfd.config, &pfd.value);
  return true;
}

void pfd_draw_screen_background() { draw_full_textured_quad(pfd.common.textures[TEXTURE_SCREEN]); }

void pfd_draw_overlays(float dim_alpha) {
  no_clip();
  if (pfd.raw.battery_master && dim_alpha > 0) draw_fade_quad(dim_alpha);
  if (pfd.common.bezel_shown) draw_bezel_overlay_around(pfd.common.textures[TEXTURE_BEZEL], pfd.bezel_opening);
  glEnable(GL_BLEND);  // the skeleton's default for the next frame
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void pfd_draw() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  Dimming dim = {pfd.powered, pfd.fading, pfd.dim_alpha};
  float alpha = dimming_step(&dim, pfd.raw.battery_master != 0, pfd.raw.dimming);
  pfd.powered = dim.powered;
  pfd.fading = dim.fading;
  pfd.dim_alpha = dim.alpha;

  draw_attitude_group();
  if (pfd.raw.battery_master) {
    pfd_draw_screen_background();
    draw_roll_scale();
    draw_annunciations();
    heading_logic_step();
    draw_heading_group();
    altitude_control_step();
    draw_altitude_group();
    draw_speed_group();
    draw_vertical_speed_group();
  }
  pfd_draw_overlays(alpha);
}

bool pfd_frame() {
  Tick tick = {pfd.tick, pfd.previous_tick};
  pfd.tick_changed = tick_step(&tick, platform_clock_ms());
  pfd.tick = tick.current;
  pfd.previous_tick = tick.previous;

  if (pfd.common.connected) pfd_exchange();
  else link_try_open(&pfd.common);

  pfd_draw();
  if (pfd.common.font_missing) {
    report_missing_font();
    return false;
  }
  platform_sleep_ms(FRAME_SLEEP_MS);
  return true;
}

void pfd_left_click(int x, int y) {
  switch (bezel_zone(x, y, pfd.common.x_size, pfd.common.y_size)) {
    case ZONE_MINIMUMS_MODE: minimums_mode_pressed(); break;
    case ZONE_STANDARD_BARO: standard_baro_pressed(); break;
    case ZONE_MINIMUMS_DOWN: minimums_knob_step(-1); break;
    case ZONE_MINIMUMS_UP: minimums_knob_step(+1); break;
    case ZONE_BARO_DOWN: baro_knob_step(-1); break;
    case ZONE_BARO_UP: baro_knob_step(+1); break;
    case ZONE_NONE: break;  // the hardware knob counter is read every frame instead
  }
}

void pfd_before_shutdown() { minimums_shutdown(); }

const UnitHooks* pfd_hooks() {
  static const UnitHooks hooks = {
      PFD_SETTINGS_FILE, pfd_write_settings, pfd_read_settings, pfd_startup_title,
      ASPECT_WIDTH_FROM_HEIGHT, 0.7165f, true, pfd_gl_init, pfd_frame, pfd_left_click,
      nullptr, pfd_before_shutdown};
  return &hooks;
}
