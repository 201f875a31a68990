#include "efis/efis_unit.h"

#include <cstring>

#include "efis/efis_draw.h"
#include "efis/efis_exchange.h"
#include "efis/efis_geometry.h"
#include "efis/efis_settings.h"
#include "efis/efis_state.h"
#include "framework/settings_file.h"
#include "framework/tga.h"
#include "platform/clock.h"

namespace {

constexpr int FRAME_SLEEP_MS = 1;
constexpr const char* TITLE_CAPTAIN = "Korvu Capt EFIS - v1.0.0.4 build 205";
constexpr const char* TITLE_FIRST_OFFICER = "Korvu FO EFIS - v1.0.0.4 build 205";

EfisSettings running_settings() {
  const UnitCommon& c = g_efis.common;
  const EfisPanel& p = g_efis.panel;
  return EfisSettings{c.x_size, c.y_size, c.x_position, c.y_position, c.frameless ? 1 : 0,
                      p.side, p.bearing1_position, p.bearing2_position};
}

void apply_settings(const EfisSettings& s) {
  UnitCommon& c = g_efis.common;
  c.x_size = s.x_size;
  c.y_size = s.y_size;
  c.x_position = s.x_position;
  c.y_position = s.y_position;
  c.frameless = s.frameless != 0;
  g_efis.panel.side = static_cast<uint8_t>(s.side);
  g_efis.panel.bearing1_position = s.bearing1;
  g_efis.panel.bearing2_position = s.bearing2;
}

bool write_settings(bool defaults) {
  // A file that cannot be written is left alone without a message; one that
  // could not be read at start is left as it is.
  if (g_efis.common.settings_kept) return false;
  return efis_write_settings_file(EFIS_SETTINGS_FILE, defaults ? EFIS_SETTINGS_DEFAULTS : running_settings());
}

void read_settings() {
  efis_panel_reset(&g_efis.panel);
  EfisSettings settings;
  efis_read_settings_file(EFIS_SETTINGS_FILE, &settings);
  apply_settings(settings);
}

// "side" (0 or 1) from the command line.
bool set_setting(const char* name, const char* value) {
  int side;
  if (std::strcmp(name, "side") != 0 || !settings_value_int(value, &side) || (side != 0 && side != 1)) return false;
  g_efis.panel.side = static_cast<uint8_t>(side);
  return true;
}

const char* startup_title() {
  return g_efis.panel.side == EFIS_SIDE_CAPTAIN ? TITLE_CAPTAIN : TITLE_FIRST_OFFICER;
}

bool gl_init() {
  efis_gl_setup();
  if (!make_texture(g_efis.common.textures, EFIS_PANEL_TEXTURE, EFIS_PANEL_TEXTURE_SLOT)) fatal_texture_missing();
  return true;
}

void left_click(int x, int y) {
  efis_click(&g_efis.panel, x, y, g_efis.common.x_size, g_efis.common.y_size);
}

void run_scripted_clicks(int frame) {
  for (int i = 0; i < g_efis.clicks.count; ++i) {
    const EfisClick& click = g_efis.clicks.clicks[i];
    if (click.frame != frame) continue;
    g_efis.common.click_x = click.x;
    g_efis.common.click_y = click.y;
    left_click(click.x, click.y);
  }
}

bool frame() {
  run_scripted_clicks(++g_efis.frames_run);
  efis_link_step(&g_efis.panel, &g_efis.common);
  efis_apply_inputs(&g_efis.panel);
  efis_draw(&g_efis.panel, g_efis.common.textures[EFIS_PANEL_TEXTURE_SLOT]);
  platform_sleep_ms(FRAME_SLEEP_MS);
  return true;
}

void window_moved() { write_settings(false); }

// The skeleton has just saved the settings; take them back as written.
void before_shutdown() {
  if (!efis_settings_exist(EFIS_SETTINGS_FILE)) return;
  EfisSettings settings;
  efis_read_settings_file(EFIS_SETTINGS_FILE, &settings);
  apply_settings(settings);
}

const UnitHooks HOOKS = {
    EFIS_SETTINGS_FILE,        // settings_file: "EFIS.ini" in the working folder
    write_settings,            // write_settings: the default file, or the running values
    read_settings,             // read_settings: panel reset, then the file
    set_setting,               // set_setting: side
    startup_title,             // startup_title: "Korvu Capt EFIS - ..." or "Korvu FO EFIS - ..."
    ASPECT_HEIGHT_FROM_WIDTH,  // aspect: the panel's height follows its width
    EFIS_ASPECT,               // aspect_factor: 2.745
    false,                     // limit_tracking_size: the system's own maximum applies
    gl_init,                   // gl_init: the panel texture
    frame,                     // frame: scripted clicks, exchange, inputs, picture, 1 ms sleep
    left_click,                // left_click: the panel's buttons and knobs
    window_moved,              // window_moved: the settings are rewritten at every move
    before_shutdown,           // before_shutdown: takes back the settings just saved
    nullptr,                   // right_click: nothing on the right button
    EFIS_CLICK_USAGE,          // unit_options: the scripted clicks of test runs
};

}  // namespace

const UnitHooks& efis_unit_hooks() { return HOOKS; }
