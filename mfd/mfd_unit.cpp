#include "mfd/mfd_unit.h"

#include <GL/gl.h>

#include <cstdio>

#include "framework/compass_rose.h"
#include "framework/display_lists.h"
#include "framework/drawing_area.h"
#include "framework/link_state.h"
#include "framework/overlay_quads.h"
#include "framework/text.h"
#include "framework/tga.h"
#include "mfd/mfd_data.h"
#include "mfd/mfd_alert_exchange.h"
#include "mfd/mfd_exchange.h"
#include "mfd/mfd_keyboard.h"
#include "mfd/mfd_menu.h"
#include "mfd/mfd_page_parts.h"
#include "mfd/mfd_pages.h"
#include "mfd/mfd_settings.h"
#include "mfd/mfd_state.h"
#include "platform/clock.h"
#include "platform/message_box.h"
#include "platform/window.h"
#include "simlink/simlink.h"

namespace {

constexpr const char* ERROR_LOG = "error.log";
constexpr int FRAME_SLEEP_MS = 1;

const char* startup_title() { return MFD_STARTUP_TITLE; }

void load_texture(const char* path, int slot) {
  if (!make_texture(g_mfd.common.textures, path, slot)) fatal_texture_missing();
}

void exchange_or_reconnect() {
  UnitCommon& c = g_mfd.common;
  if (!c.connected) {
    link_try_open(&c);
    // The EICAS's oil-pressure boxes depend on the simulator's version.
    if (c.connected) g_mfd.sim_version = simlink_sim_version();
    return;
  }
  uint32_t result = 0;
  bool ok = mfd_exchange(&result);
  link_note_process(&c, ok, result);
  mfd_convert();
  if (ok && c.connected && g_mfd.eicas_shown && g_mfd.power.battery_on != 0) {
    link_note_process(&c, mfd_alert_exchange(platform_clock_ms(), &result), result);
  }
}

void draw_powered_pages() {
  DisplayPower& p = g_mfd.power;
  mfd_menu_step();
  if (g_mfd.mfd_shown) {
    UnitCommon& c = g_mfd.common;
    uint32_t result = 0;
    if (c.connected) link_note_process(&c, mfd_exchange_map(&result), result);
    if (p.avionics_on != 0) {
      link_note_process(&c, mfd_traffic_step(&result), result);
    } else {
      g_mfd.traffic.drawn = g_mfd.traffic.display_active = false;
    }
    mfd_run_page(MFD_PAGE_MAP);
  } else if (g_mfd.eicas_shown) {
    mfd_run_page(MFD_PAGE_EICAS);
  }
  bool fading = false;
  float alpha = display_power_quad_alpha(&p, &fading);
  // A fully transparent quad changes no pixel; skipping it saves a full-screen blend.
  if (alpha > 0.0f) draw_fade_quad(alpha);
  if (fading) glDisable(GL_BLEND);
}

bool gl_init() {
  UnitCommon& c = g_mfd.common;
  bool normal = build_font(MFD_FONT_FACE, MFD_FONT_SLOT_NORMAL, MFD_FONT_HEIGHT, FONT_WEIGHT_NORMAL);
  bool bold = build_font(MFD_FONT_FACE, MFD_FONT_SLOT_BOLD, MFD_FONT_HEIGHT, FONT_WEIGHT_BOLD);
  c.font_missing = !normal || !bold;
  if (!build_display_lists(&g_mfd.lists, skeleton_quadric())) return false;
  if (!build_compass_rose_list(&g_mfd.lists, MFD_FONT_SLOT_NORMAL)) return false;
  load_texture("textures//MFD_NoBezel.tga", MFD_TEXTURE_NO_BEZEL);
  load_texture("textures//MFD_Overlay.tga", MFD_TEXTURE_OVERLAY);
  g_mfd.bezel_opening = find_overlay_opening(c.textures[MFD_TEXTURE_OVERLAY]);
  std::remove(ERROR_LOG);  // every run starts a fresh error log
  mfd_load_plan_list();
  mfd_load_aircraft_config();
  mfd_load_navigation_data();
  bezel_fill_soft_key_table(&g_mfd.bezel);
  g_mfd.bezel.soft_key_event = SOFT_KEY_NONE;
  if (g_mfd.mode == MFD_MODE_EICAS) {
    g_mfd.eicas_shown = true;
    g_mfd.mfd_shown = false;
    platform_window_set_title(MFD_TITLE_DU2);
  } else {
    g_mfd.mfd_shown = true;
    g_mfd.eicas_shown = false;
    platform_window_set_title(MFD_TITLE_DU3);
  }
  return true;
}

bool frame() {
  UnitCommon& c = g_mfd.common;
  DisplayPower& p = g_mfd.power;
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  exchange_or_reconnect();
  if (!c.first_frame_done) {
    mfd_load_navigation_data();
    c.first_frame_done = true;
    if (g_mfd.eicas_shown) {
      g_mfd.menu_level = MFD_MENU_SYSTEMS;
      g_mfd.page = MFD_PAGE_SUMMARY;
    }
  }
  mfd_keyboard_handling();
  if (p.battery_on != 0) {
    draw_powered_pages();
  } else {
    display_power_off(&p);
  }
  display_power_end_frame(&p);
  if (c.bezel_shown) draw_bezel_overlay_around(c.textures[MFD_TEXTURE_OVERLAY], g_mfd.bezel_opening);
  platform_sleep_ms(FRAME_SLEEP_MS);
  if (c.font_missing) {
    platform_message_box("Korvu Error!", "Korvu.ttf Font is not installed", ICON_INFORMATION);
    c.quit_requested = true;
    return false;
  }
  return true;
}

void release_gl() { delete_display_lists(&g_mfd.lists); }

void left_click(int x, int y) {
  bezel_hit_test(&g_mfd.bezel, x, y, g_mfd.common.x_size, g_mfd.common.y_size);
}

const UnitHooks HOOKS = {
    MFD_SETTINGS_FILE,         // settings_file: "MFD.ini" in the working folder
    mfd_write_settings,        // write_settings: the default file, or the running values at shutdown
    mfd_read_settings,         // read_settings: the file
    mfd_set_setting,           // set_setting: side (the mode), plan_path, path_to_du2, path_to_du3
    startup_title,             // startup_title: "Starting Up Please Wait" until gl_init names the role
    ASPECT_WIDTH_FROM_HEIGHT,  // aspect: the drawing area is as wide as the height allows
    DU_WIDTH_PER_HEIGHT,       // aspect_factor: 0.7165, the display units' shared aspect
    true,                      // limit_tracking_size: the window stays within 3000 x 3000
    gl_init,                   // gl_init: fonts, lists, textures, error log, data files, role and title
    frame,                     // frame: exchange, keyboard, pages, fade, bezel, 1 ms sleep
    left_click,                // left_click: the bezel's soft keys and knob
    nullptr,                   // window_moved: nothing to do; the settings are saved at shutdown
    release_gl,                // before_shutdown: the static display lists
    nullptr,                   // right_click: nothing on the right button
    nullptr,                   // unit_options: only the common ones
};

}  // namespace

const UnitHooks& mfd_unit_hooks() { return HOOKS; }
