// The primary flight display plugged into the unit skeleton: its start-up
// list, its frame, its bezel clicks and its shutdown.
#include "pfd/pfd_unit.h"

#include <GL/gl.h>

#include "framework/drawing_area.h"
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
#include "pfd/pfd_picture.h"
#include "pfd/pfd_settings.h"
#include "pfd/pfd_state.h"
#include "platform/clock.h"
#include "platform/message_box.h"

namespace {

constexpr const char* FONT_FACE = "Korvu";
constexpr const char* SPARE_FONT_FACE = "Sans";   // the system's default face
constexpr const char* FONT_MISSING_TEXT = "Korvu.ttf Font is not installed";
constexpr const char* FONT_MISSING_CAPTION = "Korvu Error!";
constexpr int FRAME_SLEEP_MS = 1;

void report_missing_font() { platform_message_box(FONT_MISSING_CAPTION, FONT_MISSING_TEXT, ICON_EXCLAMATION); }

void read_settings() {
  pfd_state_start_values();
  pfd_read_settings();
}

const char* startup_title() {
  g_pfd.side = pfd_side_table(g_pfd.settings.side);
  return g_pfd.side.title;
}

bool gl_init() {
  glDisable(GL_DEPTH_TEST);  // instruments are painted in order, front last
  // Only the face the instruments use decides: the spare face always exists.
  g_pfd.common.font_missing = !build_font(FONT_FACE, PFD_FONT, 12, 700);
  build_font(SPARE_FONT_FACE, PFD_FONT_SPARE, 20, 400);
  if (g_pfd.common.font_missing) {
    report_missing_font();
    return false;
  }
  heading_lists_init();
  if (!make_texture(g_pfd.common.textures, "textures//zero_flag.tga", TEXTURE_ZERO_FLAG) ||
      !make_texture(g_pfd.common.textures, "textures//DU_NoBezel.tga", TEXTURE_SCREEN) ||
      !make_texture(g_pfd.common.textures, "textures//DU_BezelOverlay.tga", TEXTURE_BEZEL))
    fatal_texture_missing();
  g_pfd.bezel_opening = find_overlay_opening(g_pfd.common.textures[TEXTURE_BEZEL]);
  g_pfd.screen_tiles = plan_texture_tiles(g_pfd.common.textures[TEXTURE_SCREEN]);
  accfg_load(pfd_side_config_folder(g_pfd.settings), &g_pfd.config);
  plan_geometry_update();
  annunciators_init();
  convert_raw(g_pfd.raw, g_pfd.config, &g_pfd.value);
  return true;
}

// The half-second tick of every blink and flash.
void tick_frame() {
  Tick tick = {g_pfd.tick, g_pfd.previous_tick};
  g_pfd.tick_changed = tick_step(&tick, platform_clock_ms());
  g_pfd.tick = tick.current;
  g_pfd.previous_tick = tick.previous;
}

// Power and dimming: the alpha of this frame's dimming quad.
float power_frame() {
  Dimming dim = {g_pfd.powered, g_pfd.fading, g_pfd.dim_alpha};
  float alpha = dimming_step(&dim, g_pfd.raw.battery_master != 0, g_pfd.raw.dimming);
  g_pfd.powered = dim.powered;
  g_pfd.fading = dim.fading;
  g_pfd.dim_alpha = dim.alpha;
  return alpha;
}

bool frame() {
  tick_frame();
  if (g_pfd.common.connected) pfd_exchange_main();
  else link_try_open(&g_pfd.common);
  // The instruments' own exchanges run while they are drawn: battery on.
  if (g_pfd.raw.battery_master) {
    pfd_exchange_bearing_sources();
    pfd_exchange_altitude_controls();
    pfd_exchange_speed_data();
  }
  pfd_draw_picture(power_frame());
  if (g_pfd.common.font_missing) {
    report_missing_font();
    return false;
  }
  platform_sleep_ms(FRAME_SLEEP_MS);
  return true;
}

void left_click(int x, int y) {
  switch (bezel_zone(x, y, g_pfd.common.x_size, g_pfd.common.y_size)) {
    case ZONE_MINIMUMS_MODE: minimums_mode_pressed(); break;
    case ZONE_STANDARD_BARO: standard_baro_pressed(); break;
    case ZONE_MINIMUMS_DOWN: minimums_knob_step(-1); break;
    case ZONE_MINIMUMS_UP: minimums_knob_step(+1); break;
    case ZONE_BARO_DOWN: baro_knob_step(-1); break;
    case ZONE_BARO_UP: baro_knob_step(+1); break;
    case ZONE_NONE: break;  // the hardware knob counter is read every frame instead
  }
}

void before_shutdown() { minimums_shutdown(); }

const UnitHooks HOOKS = {
    PFD_SETTINGS_FILE,         // settings_file: "PFD.ini" in the working folder
    pfd_write_settings,        // write_settings: the default file, or the running values at shutdown
    read_settings,             // read_settings: start values, then the file
    pfd_set_setting,           // set_setting: side, path_to_du2, path_to_du3
    startup_title,             // startup_title: the side's title, "Korvu Capt PFD - ..." or "Korvu FO PFD - ..."
    ASPECT_WIDTH_FROM_HEIGHT,  // aspect: the drawing area is as wide as the height allows
    DU_WIDTH_PER_HEIGHT,       // aspect_factor: 0.7165, the display units' shared aspect
    true,                      // limit_tracking_size: the window stays within 3000 x 3000
    gl_init,                   // gl_init: fonts, lists, textures, accfg.ini, annunciators
    frame,                     // frame: tick, exchanges in their order, power, picture, 1 ms sleep
    left_click,                // left_click: the bezel's buttons and knobs
    nullptr,                   // window_moved: nothing to do; the settings are saved at shutdown
    before_shutdown,           // before_shutdown: waits for a minimums alert still playing
    nullptr,                   // right_click: nothing on the right button
    nullptr,                   // unit_options: only the common ones
};

}  // namespace

const UnitHooks& pfd_unit_hooks() { return HOOKS; }
