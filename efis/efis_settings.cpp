#include "efis/efis_settings.h"

#include "efis/efis_panel.h"
#include "framework/settings_file.h"
#include "platform/files.h"

namespace {

// The panel has no bezel line.
SettingsWindow efis_window(const EfisSettings& s) {
  return SettingsWindow{s.x_size, s.y_size, s.x_position, s.y_position, s.frameless, false, 0};
}

// The six pairs in file order; reading stops at the first value that is
// missing or bad, and the values after it keep what they held.
int read_pairs(SettingsReader* reader, EfisSettings* s) {
  SettingsWindow window = efis_window(*s);
  int read = settings_read_window(reader, &window);
  s->x_size = window.x_size;
  s->y_size = window.y_size;
  s->x_position = window.x_position;
  s->y_position = window.y_position;
  s->frameless = window.frameless;
  if (read < 5) return read;
  for (int32_t* value : {&s->side, &s->bearing1, &s->bearing2}) {
    if (!settings_read_int_entry(reader, value)) return read;
    ++read;
  }
  return read;
}

}  // namespace

std::string efis_settings_text(const EfisSettings& s) {
  SettingsWriter writer;
  settings_put_window(&writer, efis_window(s));
  settings_put_label(&writer, "[CAP_EFIS=0,CO_EFIS=1]");
  settings_put_int(&writer, s.side);
  settings_put_label(&writer, "[BEARING1_SOURCE]");
  settings_put_int(&writer, s.bearing1);
  settings_put_label(&writer, "[BEARING2_SOURCE]");
  settings_put_int(&writer, s.bearing2);
  return writer.text;  // every line, the last one too, ends with a line feed
}

int efis_parse_settings(const char* text, size_t size, EfisSettings* settings) {
  if (size > SETTINGS_FILE_LIMIT) size = SETTINGS_FILE_LIMIT;  // as for a file on disk
  SettingsReader reader{std::string(text, size), 0, false};
  return read_pairs(&reader, settings);
}

void efis_sanitize_settings(EfisSettings* s) {
  if (s->x_size > EFIS_MAX_WINDOW_SIDE) s->x_size = 0;
  if (s->y_size > EFIS_MAX_WINDOW_SIDE) s->y_size = 0;
  s->x_size = settings_size_or_default(s->x_size, EFIS_SETTINGS_DEFAULTS.x_size);
  s->y_size = settings_size_or_default(s->y_size, EFIS_SETTINGS_DEFAULTS.y_size);
  if (s->x_position != settings_clamp(s->x_position, -EFIS_MAX_SCREEN_COORDINATE, EFIS_MAX_SCREEN_COORDINATE))
    s->x_position = EFIS_SETTINGS_DEFAULTS.x_position;
  if (s->y_position != settings_clamp(s->y_position, -EFIS_MAX_SCREEN_COORDINATE, EFIS_MAX_SCREEN_COORDINATE))
    s->y_position = EFIS_SETTINGS_DEFAULTS.y_position;
  s->frameless = settings_flag(s->frameless);
  s->side = settings_flag(s->side);
  s->bearing1 = efis_clamp_knob(s->bearing1);
  s->bearing2 = efis_clamp_knob(s->bearing2);
}

bool efis_settings_exist(const char* path) { return file_readable(path); }

bool efis_read_settings_file(const char* path, EfisSettings* settings) {
  *settings = EFIS_SETTINGS_BUILT_IN;
  SettingsReader reader;
  bool opened = settings_open(&reader, path);
  if (opened) read_pairs(&reader, settings);
  efis_sanitize_settings(settings);
  return opened;
}

bool efis_write_settings_file(const char* path, const EfisSettings& settings) {
  return write_file_atomic(path, efis_settings_text(settings));
}
