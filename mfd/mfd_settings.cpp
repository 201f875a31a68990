#include "mfd/mfd_settings.h"

#include "framework/settings_file.h"
#include "mfd/mfd_state.h"

namespace {
constexpr const char* DEFAULT_PATH = "c:\\";
}

void mfd_read_settings_from(const char* path) {
  MfdState& s = g_mfd;
  UnitCommon& c = s.common;
  SettingsReader reader;
  if (settings_open(&reader, path)) {
    int frameless = c.frameless, bezel = c.bezel_shown;
    settings_read_int_pair_entry(&reader, &c.x_size, &c.y_size);
    settings_read_int_pair_entry(&reader, &c.x_position, &c.y_position);
    settings_read_int_entry(&reader, &frameless);
    settings_read_int_entry(&reader, &bezel);
    settings_read_int_entry(&reader, &s.mode);
    settings_read_path_entry(&reader, s.plan_path, sizeof s.plan_path);
    settings_read_path_entry(&reader, s.du2_path, sizeof s.du2_path);
    settings_read_path_entry(&reader, s.du3_path, sizeof s.du3_path);
    c.frameless = settings_flag(frameless) != 0;
    c.bezel_shown = settings_flag(bezel) != 0;
  }
  // A short or damaged file must not give a zero-size window or an unknown mode.
  c.x_size = settings_size_or_default(c.x_size, MFD_DEFAULT_X_SIZE);
  c.y_size = settings_size_or_default(c.y_size, MFD_DEFAULT_Y_SIZE);
  s.mode = settings_flag(s.mode);
  s.mfd_side = s.mode == MFD_MODE_MFD;
}

bool mfd_write_settings_to(const char* path, bool defaults) {
  const MfdState& s = g_mfd;
  const UnitCommon& c = s.common;
  SettingsWriter w;
  settings_put_label(&w, "[X_SIZE,Y_SIZE]");
  settings_put_int_pair(&w, defaults ? MFD_DEFAULT_X_SIZE : c.x_size, defaults ? MFD_DEFAULT_Y_SIZE : c.y_size);
  settings_put_label(&w, "[X_POSITION,Y_POSISTION]");
  settings_put_int_pair(&w, defaults ? MFD_DEFAULT_POSITION : c.x_position,
                        defaults ? MFD_DEFAULT_POSITION : c.y_position);
  settings_put_label(&w, "[FRAMELESS_WINDOW(0-1)]");
  settings_put_int(&w, defaults ? 0 : c.frameless);
  settings_put_label(&w, "[DISPLAY_BEZEL(0-1)]");
  settings_put_int(&w, defaults ? 1 : c.bezel_shown);
  settings_put_label(&w, "[MFD=0,EICAS=1]");
  settings_put_int(&w, defaults ? MFD_MODE_MFD : s.mode);
  settings_put_label(&w, defaults ? "[PLANPATH]" : "[PLAN_PATH]");
  settings_put_path(&w, defaults ? DEFAULT_PATH : s.plan_path);
  settings_put_label(&w, "[PATH_TO_DU2]");
  settings_put_path(&w, defaults ? DEFAULT_PATH : s.du2_path);
  settings_put_label(&w, "[PATH_TO_DU3]");
  settings_put_path(&w, defaults ? DEFAULT_PATH : s.du3_path);
  return settings_commit(w, path);
}

void mfd_read_settings() { mfd_read_settings_from(MFD_SETTINGS_FILE); }
void mfd_write_settings(bool defaults) { mfd_write_settings_to(MFD_SETTINGS_FILE, defaults); }
