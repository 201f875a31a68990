#include "rmu/rmu_settings.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "platform/files.h"
#include "rmu/rmu_frequency.h"
#include "rmu/rmu_memories.h"

namespace {

constexpr int MAX_WINDOW_SIDE = SETTINGS_MAX_WINDOW_SIDE;
constexpr int MAX_SCREEN_COORDINATE = 32767;
constexpr size_t NUMBER_WORD_LIMIT = 64;
constexpr size_t FLAG_WORD_CAPACITY = 3;  // enough to tell "1" from "10"
constexpr double MAX_DISPLAY_OFFSET = 1000.0;

bool is_blank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

// A flag is set only by the word "1": "01", "2" or "true" leave it clear.
bool read_flag_entry(SettingsReader* reader, bool* flag) {
  char word[FLAG_WORD_CAPACITY];
  if (!settings_skip_label(reader) || !settings_read_word(reader, word, sizeof word)) return false;
  *flag = std::strcmp(word, "1") == 0;
  return true;
}

// The next whitespace-delimited word when the whole of it is a number; the
// reader moves past it only then.
bool read_number_word(SettingsReader* reader, double* value) {
  const std::string& d = reader->data;
  size_t p = reader->pos;
  while (p < d.size() && is_blank(d[p])) ++p;
  size_t end = p;
  while (end < d.size() && !is_blank(d[end])) ++end;
  if (end == p || end - p > NUMBER_WORD_LIMIT) return false;
  char word[NUMBER_WORD_LIMIT + 1];
  std::memcpy(word, d.data() + p, end - p);
  word[end - p] = '\0';
  char* stop = nullptr;
  double parsed = std::strtod(word, &stop);
  if (stop != word + (end - p)) return false;
  *value = parsed;
  reader->pos = end;
  return true;
}

// The numbers after a list's label, up to the next word that is not one
// (the next label, left for the next read).
void read_memory_list(SettingsReader* reader, RmuBand band, RmuMemoryList* list) {
  if (!settings_skip_label(reader)) return;
  list->count = 0;
  double value = 0.0;
  for (int read = 0; read_number_word(reader, &value); ++read)
    if (read < RMU_MEMORY_CAPACITY && rmu_in_band(value, band)) rmu_memory_append(list, static_cast<float>(value));
}

// X, Y and Z as far as they read; a value no picture could be placed at (it
// would not even fit a float) ends the line like one that does not parse.
void read_display_position(SettingsReader* reader, float* position) {
  if (!settings_skip_label(reader)) return;
  for (int i = 0; i < 3; ++i) {
    double value = 0.0;
    if (i > 0 && !settings_expect_char(reader, ',')) return;
    if (!settings_read_double(reader, &value) || std::fabs(value) > MAX_DISPLAY_OFFSET) return;
    position[i] = static_cast<float>(value);
  }
}

void repair_window(SettingsWindow* w) {
  if (w->x_size <= 0 || w->x_size > MAX_WINDOW_SIDE) w->x_size = RMU_DEFAULT_WINDOW.x_size;
  if (w->y_size <= 0 || w->y_size > MAX_WINDOW_SIDE) w->y_size = RMU_DEFAULT_WINDOW.y_size;
  w->x_position = settings_clamp(w->x_position, -MAX_SCREEN_COORDINATE, MAX_SCREEN_COORDINATE);
  w->y_position = settings_clamp(w->y_position, -MAX_SCREEN_COORDINATE, MAX_SCREEN_COORDINATE);
}

void put_memories(SettingsWriter* w, const char* label, const RmuMemoryList& list) {
  settings_put_label(w, label);
  for (int i = 0; i < list.count && i < RMU_MEMORY_CAPACITY; ++i) settings_put_line(w, "%3.2f", list.values[i]);
}

RmuSettingsTarget global_target() { return RmuSettingsTarget{&g_rmu.common, &g_rmu.settings, &g_rmu.radios}; }

}  // namespace

void rmu_parse_settings(const char* text, size_t size, const RmuSettingsTarget& target) {
  SettingsReader reader;
  settings_open_text(&reader, text, size < SETTINGS_FILE_LIMIT ? size : SETTINGS_FILE_LIMIT);
  UnitCommon& c = *target.common;
  RmuSettings& s = *target.settings;
  SettingsWindow window = settings_window_of(c, true);
  bool frameless = c.frameless, bezel = c.bezel_shown, side = s.side == RMU_SIDE_2;
  settings_read_int_pair_entry(&reader, &window.x_size, &window.y_size);
  settings_read_int_pair_entry(&reader, &window.x_position, &window.y_position);
  read_flag_entry(&reader, &frameless);
  read_flag_entry(&reader, &bezel);
  read_flag_entry(&reader, &side);
  read_flag_entry(&reader, &s.com_write_to_sim);
  read_memory_list(&reader, RMU_COM_BAND, &target.radios->com_memories);
  read_memory_list(&reader, RMU_NAV_BAND, &target.radios->nav_memories);
  read_display_position(&reader, s.display_position);
  window.frameless = frameless ? 1 : 0;
  window.bezel = bezel ? 1 : 0;
  repair_window(&window);
  settings_window_apply(window, &c);
  s.side = side ? RMU_SIDE_2 : RMU_SIDE_1;
}

std::string rmu_settings_text(bool defaults, const UnitCommon& c, const RmuSettings& s, const RmuRadios& r) {
  SettingsWriter w;
  settings_put_window(&w, defaults ? RMU_DEFAULT_WINDOW : settings_window_of(c, true), RMU_POSITION_LABEL);
  settings_put_label(&w, "[RMU1=0,RMU2=1]");
  settings_put_int(&w, defaults ? 0 : s.side);
  settings_put_label(&w, "[COM_WRITE_TO_SIM]");
  settings_put_int(&w, defaults ? 0 : s.com_write_to_sim ? 1 : 0);
  put_memories(&w, "[COM_MEMORY]", defaults ? RmuMemoryList{} : r.com_memories);
  put_memories(&w, "[NAV_MEMORY]", defaults ? RmuMemoryList{} : r.nav_memories);
  settings_put_label(&w, "[DISPLAY_POSITION]");
  // The default file keeps its two decimals (Y reads back as -0.07); the
  // running position keeps the thousandths its keys step by.
  const float* p = defaults ? RMU_BUILT_IN_DISPLAY_POSITION : s.display_position;
  if (defaults) settings_put_line(&w, "%2.2f,%2.2f,%2.2f", p[0], p[1], p[2]);
  else settings_put_line(&w, "%.3f,%.3f,%.3f", p[0], p[1], p[2]);
  return w.text;  // every line, the last one too, ends with a line feed
}

void rmu_read_settings() {
  std::string text;
  if (read_file_bounded(RMU_SETTINGS_FILE, SETTINGS_FILE_LIMIT, &text))
    rmu_parse_settings(text.data(), text.size(), global_target());
}

bool rmu_write_settings(bool defaults) {
  // A file that cannot be written leaves the old one; the unit runs on. One
  // that could not be read at start is left as it is.
  if (g_rmu.common.settings_kept) return false;
  return write_file_atomic(RMU_SETTINGS_FILE,
                           rmu_settings_text(defaults, g_rmu.common, g_rmu.settings, g_rmu.radios));
}

bool rmu_set_setting(const char* name, const char* value) {
  int flag = 0;
  if (!settings_value_int(value, &flag) || (flag != 0 && flag != 1)) return false;
  if (std::strcmp(name, "side") == 0) {
    g_rmu.settings.side = flag;
    return true;
  }
  if (std::strcmp(name, "com_write_to_sim") == 0) {
    g_rmu.settings.com_write_to_sim = flag == 1;
    return true;
  }
  return false;
}
