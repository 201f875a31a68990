#include "pfd/pfd_settings.h"

#include <cstring>

#include "framework/settings_file.h"
#include "simlink/cells.h"

static const char* const CAPTAIN_TITLE = "Korvu Capt PFD - v1.0.0.4 build 212";
static const char* const FIRST_OFFICER_TITLE = "Korvu FO PFD - v1.0.0.4 build 212";
static const char* const DEFAULT_PATH = "c:\\";

void pfd_read_settings_from(const char* path, UnitCommon* c, PfdSettings* s) {
  SettingsReader reader;
  if (settings_open(&reader, path)) {
    SettingsWindow window = settings_window_of(*c, true);
    int side = s->side;
    settings_read_window(&reader, &window);
    settings_read_int_entry(&reader, &side);
    settings_read_path_entry(&reader, s->du2_path, sizeof s->du2_path);
    settings_read_path_entry(&reader, s->du3_path, sizeof s->du3_path);
    settings_window_apply(window, c);
    s->side = settings_flag(side);
  }
  // A short or damaged file must not give a zero-size window.
  c->x_size = settings_size_or_default(c->x_size, PFD_START_CLIENT_WIDTH);
  c->y_size = settings_size_or_default(c->y_size, PFD_START_CLIENT_HEIGHT);
}

bool pfd_write_settings_to(const char* path, bool defaults, const UnitCommon& c, const PfdSettings& s) {
  SettingsWriter w;
  settings_put_window(&w, defaults ? PFD_DEFAULT_WINDOW : settings_window_of(c, true));
  settings_put_label(&w, "[PFD1=0,PFD2=1]");
  settings_put_int(&w, defaults ? 0 : s.side);
  settings_put_label(&w, "[PATH_TO_DU2]");
  settings_put_path(&w, defaults ? DEFAULT_PATH : s.du2_path);
  settings_put_label(&w, "[PATH_TO_DU3]");
  settings_put_path(&w, defaults ? DEFAULT_PATH : s.du3_path);
  return settings_commit(w, path);
}

void pfd_read_settings() { pfd_read_settings_from(PFD_SETTINGS_FILE, &g_pfd.common, &g_pfd.settings); }

bool pfd_write_settings(bool defaults) {
  // A file that cannot be written leaves the old one; the unit runs on.
  if (g_pfd.common.settings_kept) return false;
  return pfd_write_settings_to(PFD_SETTINGS_FILE, defaults, g_pfd.common, g_pfd.settings);
}

bool pfd_set_setting(const char* name, const char* value) {
  PfdSettings& s = g_pfd.settings;
  if (std::strcmp(name, "side") == 0) {
    int side;
    if (!settings_value_int(value, &side) || (side != 0 && side != 1)) return false;
    s.side = side;
    return true;
  }
  struct PathSetting { const char* name; char* buffer; };
  for (const PathSetting& path : {PathSetting{"path_to_du2", s.du2_path}, PathSetting{"path_to_du3", s.du3_path}}) {
    if (std::strcmp(name, path.name) != 0) continue;
    settings_value_path(value, path.buffer, PFD_PATH_CAPACITY);
    return true;
  }
  return false;
}

const char* pfd_side_title(int side) { return side == 1 ? FIRST_OFFICER_TITLE : CAPTAIN_TITLE; }

PfdSide pfd_side_table(int side) {
  const EfisCells c = efis_cells(side);
  return PfdSide{c.mode, c.companion, c.minimums_knob, c.dimming, c.bearing1, c.bearing2, c.reload_bit,
                 pfd_side_title(side)};
}

const char* pfd_side_config_folder(const PfdSettings& settings) {
  return settings.side == 1 ? settings.du3_path : settings.du2_path;
}

uint32_t pfd_nav_gps_value(uint8_t efis_mode) { return (efis_mode & EFIS_MODE_FMS) ? 1 : 0; }
