#include "mfd/mfd_settings.h"

#include <cstring>

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
    SettingsWindow window = settings_window_of(c, true);
    settings_read_window(&reader, &window);
    settings_read_int_entry(&reader, &s.mode);
    settings_read_path_entry(&reader, s.plan_path, sizeof s.plan_path);
    settings_read_path_entry(&reader, s.du2_path, sizeof s.du2_path);
    settings_read_path_entry(&reader, s.du3_path, sizeof s.du3_path);
    settings_window_apply(window, &c);
  }
  // A short or damaged file must not give a zero-size window or an unknown mode.
  c.x_size = settings_size_or_default(c.x_size, MFD_DEFAULT_WINDOW.x_size);
  c.y_size = settings_size_or_default(c.y_size, MFD_DEFAULT_WINDOW.y_size);
  s.mode = settings_flag(s.mode);
  s.mfd_side = s.mode == MFD_MODE_MFD;
}

bool mfd_write_settings_to(const char* path, bool defaults) {
  const MfdState& s = g_mfd;
  const UnitCommon& c = s.common;
  SettingsWriter w;
  settings_put_window(&w, defaults ? MFD_DEFAULT_WINDOW : settings_window_of(c, true));
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
bool mfd_write_settings(bool defaults) {
  // A file that could not be read at start is left as it is.
  return !g_mfd.common.settings_kept && mfd_write_settings_to(MFD_SETTINGS_FILE, defaults);
}

bool mfd_set_setting(const char* name, const char* value) {
  MfdState& s = g_mfd;
  if (std::strcmp(name, "side") == 0) {
    int mode;
    if (!settings_value_int(value, &mode) || (mode != MFD_MODE_MFD && mode != MFD_MODE_EICAS)) return false;
    s.mode = mode;
    s.mfd_side = mode == MFD_MODE_MFD;
    return true;
  }
  struct PathSetting { const char* name; char* buffer; size_t capacity; };
  const PathSetting paths[] = {{"plan_path", s.plan_path, sizeof s.plan_path},
                               {"path_to_du2", s.du2_path, sizeof s.du2_path},
                               {"path_to_du3", s.du3_path, sizeof s.du3_path}};
  for (const PathSetting& path : paths) {
    if (std::strcmp(name, path.name) != 0) continue;
    settings_value_path(value, path.buffer, path.capacity);
    return true;
  }
  return false;
}
