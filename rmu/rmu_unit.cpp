// The radio management unit plugged into the unit skeleton: its start-up
// list, its frame, its clicks and its right button.
#include "rmu/rmu_unit.h"

#include <GL/gl.h>

#include <cstdio>
#include <cstring>

#include "framework/link_state.h"
#include "framework/text.h"
#include "framework/tga.h"
#include "platform/clock.h"
#include "platform/message_box.h"
#include "rmu/rmu_dim.h"
#include "rmu/rmu_draw.h"
#include "rmu/rmu_exchange.h"
#include "rmu/rmu_input.h"
#include "rmu/rmu_link.h"
#include "rmu/rmu_pages.h"
#include "rmu/rmu_picture.h"
#include "rmu/rmu_settings.h"
#include "rmu/rmu_state.h"

namespace {

constexpr const char* FONT_FACE = "Korvu";
constexpr const char* SPARE_FONT_FACE = "Arial";  // blocks 0 and 1, built and not used
constexpr int SPARE_BOLD_SLOT = 0, SPARE_SLOT = 1;
constexpr int FONT_HEIGHT = 10;
constexpr int FONT_WEIGHT_NORMAL = 400, FONT_WEIGHT_BOLD = 700;
constexpr const char* FONT_MISSING_TEXT = "Korvu.ttf Font is not installed";
constexpr const char* FONT_MISSING_CAPTION = "Korvu Error!";
constexpr const char* TITLE_RMU1 = "Korvu Capt RMU - v1.0.0.4 build 199";
constexpr const char* TITLE_RMU2 = "Korvu FO RMU - v1.0.0.4 build 199";
constexpr int FRAME_SLEEP_MS = 2;
constexpr uint8_t START_TCAS_RANGE = 40;
constexpr uint16_t START_TRANSPONDER_CODE = 1200;
constexpr uint8_t START_TRANSPONDER_DIGITS[4] = {0, 0, 2, 1};  // units first: 1200

void read_settings() {
  rmu_state_start_values();
  rmu_read_settings();
  // The link's interface and ports may come from the environment (and from
  // --set, applied after this); a malformed value keeps the defaults.
  if (!rmu_link_config_from_environment(&g_rmu.link.config))
    std::fprintf(stderr, "%s or %s is malformed; the link keeps its defaults\n", RMU_LINK_INTERFACE_VARIABLE,
                 RMU_LINK_PORTS_VARIABLE);
}

bool set_setting(const char* name, const char* value) {
  if (std::strcmp(name, "link_interface") == 0) return rmu_link_set_interface(&g_rmu.link.config, value);
  if (std::strcmp(name, "link_ports") == 0) return rmu_link_set_ports(&g_rmu.link.config, value);
  return rmu_set_setting(name, value);
}

void before_shutdown() { rmu_link_close(); }

const char* startup_title() { return rmu_side_title(g_rmu.settings.side); }

// The first two memories of each list are the radios' start (0 when missing).
void start_frequencies(const RmuMemoryList& list, float* active, float* standby) {
  *active = list.count > 0 ? list.values[0] : 0.0f;
  *standby = list.count > 1 ? list.values[1] : 0.0f;
}

bool gl_init() {
  glDisable(GL_DEPTH_TEST);  // the groups are painted in order, bezel last
  build_font(SPARE_FONT_FACE, SPARE_BOLD_SLOT, FONT_HEIGHT, FONT_WEIGHT_BOLD);
  build_font(SPARE_FONT_FACE, SPARE_SLOT, FONT_HEIGHT, FONT_WEIGHT_NORMAL);
  // Only the face the pages use decides whether the font is missing.
  g_rmu.common.font_missing = !build_font(FONT_FACE, RMU_FONT, FONT_HEIGHT, FONT_WEIGHT_NORMAL);
  if (!make_texture(g_rmu.common.textures, RMU_BEZEL_TEXTURE, RMU_TEXTURE_BEZEL)) fatal_texture_missing();
  g_rmu.transponder.tcas_range = START_TCAS_RANGE;
  g_rmu.transponder.code = START_TRANSPONDER_CODE;
  RmuRadios& r = g_rmu.radios;
  start_frequencies(r.com_memories, &r.com_active, &r.com_standby);
  start_frequencies(r.nav_memories, &r.nav_active, &r.nav_standby);
  return true;
}

void first_frame() {
  for (int i = 0; i < 4; ++i) g_rmu.transponder.digits[i] = START_TRANSPONDER_DIGITS[i];
  g_rmu.radios.adf_start_pending = true;
  g_rmu.first_frame_pending = false;
}

// The current page takes its keys, its writes go out, then it is drawn. A
// number without a page shows the radio page from the next frame on.
void run_page() {
  const RmuPage* row = rmu_page(g_rmu.page);
  if (!row) {
    g_rmu.page = RMU_PAGE_RADIO;
    return;
  }
  // The box belongs to the page it was set on.
  if (g_rmu.page != g_rmu.page_last_frame) g_rmu.cursor = RMU_CURSOR_NONE;
  g_rmu.page_last_frame = g_rmu.page;
  if (row->keys) row->keys();
  rmu_exchange_page_writes();
  rmu_exchange_ta_cell();
  if (g_rmu.settings_save_requested) {
    g_rmu.settings_save_requested = false;
    rmu_write_settings(false);
  }
  row->draw();
}

bool frame() {
  RmuState& s = g_rmu;
  if (s.first_frame_pending) first_frame();
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  if (s.common.connected) rmu_exchange_read_set();
  else link_try_open(&s.common);
  rmu_display_position_keys(&s);
  if (rmu_take_buttons(&s)) rmu_exchange_button_cells();
  rmu_exchange_knob_counters();
  rmu_place_display_group(s);
  if (s.raw.battery != 0) run_page();
  rmu_place_display_group(s);
  rmu_dim_keys(&s);
  rmu_dim_draw(s);
  if (s.common.bezel_shown) rmu_draw_bezel(s.common.textures[RMU_TEXTURE_BEZEL]);
  rmu_link_receive();
  rmu_link_send();
  rmu_discard_unused_inputs(&s);
  platform_sleep_ms(FRAME_SLEEP_MS);
  if (s.common.font_missing) {
    s.common.quit_requested = true;
    platform_message_box(FONT_MISSING_CAPTION, FONT_MISSING_TEXT, ICON_INFORMATION);
    return false;
  }
  return true;
}

// A minimised window takes no clicks.
void left_click(int x, int y) {
  if (g_rmu.common.active) rmu_click(&g_rmu, x, y, g_rmu.common.x_size, g_rmu.common.y_size);
}

void right_click() { g_rmu.common.bezel_shown = !g_rmu.common.bezel_shown; }

const UnitHooks HOOKS = {
    RMU_SETTINGS_FILE,         // settings_file: "RMU.ini" in the working folder
    rmu_write_settings,        // write_settings: the default file, or the running values (also after memory edits)
    read_settings,             // read_settings: start values, then the file
    set_setting,               // set_setting: side, com_write_to_sim, link_interface, link_ports
    startup_title,             // startup_title: "Korvu Capt RMU - ..." or "Korvu FO RMU - ..."
    ASPECT_WIDTH_FROM_HEIGHT,  // aspect: the drawing area is as wide as the height allows
    RMU_WIDTH_PER_HEIGHT,      // aspect_factor: 0.8219
    false,                     // limit_tracking_size: the system's own maximum applies
    gl_init,                   // gl_init: fonts, bezel texture, TCAS range, code, start frequencies
    frame,                     // frame: read set, inputs, page, dim, bezel, 2 ms sleep
    left_click,                // left_click: line keys, bottom keys and the double knob
    nullptr,                   // window_moved: nothing to do; the settings are saved at shutdown
    before_shutdown,           // before_shutdown: closes the link's sockets (the skeleton deletes the fonts)
    right_click,               // right_click: shows or hides the bezel picture
    nullptr,                   // unit_options: only the common ones
};

}  // namespace

const UnitHooks& rmu_unit_hooks() { return HOOKS; }

const char* rmu_side_title(int side) { return side == RMU_SIDE_2 ? TITLE_RMU2 : TITLE_RMU1; }
