#include "efis/efis_settings.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>

#include "efis/efis_panel.h"

namespace {

struct Cursor {
  const char* at;
  const char* end;
};

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

void skip_blanks(Cursor* cursor) {
  while (cursor->at < cursor->end && is_blank(*cursor->at)) ++cursor->at;
}

// The label: one word, never looked at.
bool skip_word(Cursor* cursor) {
  skip_blanks(cursor);
  const char* start = cursor->at;
  while (cursor->at < cursor->end && !is_blank(*cursor->at)) ++cursor->at;
  return cursor->at != start;
}

// A decimal integer as "%d" takes it: blanks, an optional sign, digits.
bool read_int(Cursor* cursor, int32_t* value) {
  skip_blanks(cursor);
  bool negative = false;
  if (cursor->at < cursor->end && (*cursor->at == '-' || *cursor->at == '+')) {
    negative = *cursor->at == '-';
    ++cursor->at;
  }
  int64_t magnitude = 0;
  const char* digits = cursor->at;
  while (cursor->at < cursor->end && *cursor->at >= '0' && *cursor->at <= '9') {
    magnitude = magnitude * 10 + (*cursor->at - '0');
    if (magnitude > static_cast<int64_t>(std::numeric_limits<int32_t>::max()) + 1) return false;
    ++cursor->at;
  }
  if (cursor->at == digits) return false;
  int64_t signed_value = negative ? -magnitude : magnitude;
  if (signed_value > std::numeric_limits<int32_t>::max()) return false;
  *value = static_cast<int32_t>(signed_value);
  return true;
}

bool read_comma(Cursor* cursor) {
  if (cursor->at >= cursor->end || *cursor->at != ',') return false;
  ++cursor->at;
  return true;
}

int32_t flag(int32_t value) { return value != 0 ? 1 : 0; }

}  // namespace

std::string efis_settings_text(const EfisSettings& s) {
  char text[512];
  std::snprintf(text, sizeof text,
                "[X_SIZE,Y_SIZE]\n%d,%d\n"
                "[X_POSITION,Y_POSISTION]\n%d,%d\n"
                "[FRAMELESS_WINDOW(0-1)]\n%d\n"
                "[CAP_EFIS=0,CO_EFIS=1]\n%d\n"
                "[BEARING1_SOURCE]\n%d\n"
                "[BEARING2_SOURCE]\n%d\n",
                s.x_size, s.y_size, s.x_position, s.y_position, s.frameless, s.side, s.bearing1,
                s.bearing2);
  return text;
}

int efis_parse_settings(const char* text, size_t size, EfisSettings* s) {
  if (size > EFIS_SETTINGS_MAX_BYTES) size = EFIS_SETTINGS_MAX_BYTES;
  Cursor cursor{text, text + size};
  // Each pair: a label, then one or two values; a pair's values go in only as
  // far as they were read, like the formatted reads of the original format.
  int32_t* pairs[][2] = {
      {&s->x_size, &s->y_size}, {&s->x_position, &s->y_position}, {&s->frameless, nullptr},
      {&s->side, nullptr},      {&s->bearing1, nullptr},          {&s->bearing2, nullptr},
  };
  int read = 0;
  for (auto& pair : pairs) {
    if (!skip_word(&cursor)) return read;
    if (!read_int(&cursor, pair[0])) return read;
    ++read;
    if (pair[1] != nullptr) {
      if (!read_comma(&cursor) || !read_int(&cursor, pair[1])) return read;
      ++read;
    }
  }
  return read;
}

void efis_sanitize_settings(EfisSettings* s) {
  if (s->x_size <= 0 || s->x_size > EFIS_MAX_WINDOW_SIDE) s->x_size = EFIS_SETTINGS_DEFAULTS.x_size;
  if (s->y_size <= 0 || s->y_size > EFIS_MAX_WINDOW_SIDE) s->y_size = EFIS_SETTINGS_DEFAULTS.y_size;
  if (s->x_position < -EFIS_MAX_SCREEN_COORDINATE || s->x_position > EFIS_MAX_SCREEN_COORDINATE)
    s->x_position = EFIS_SETTINGS_DEFAULTS.x_position;
  if (s->y_position < -EFIS_MAX_SCREEN_COORDINATE || s->y_position > EFIS_MAX_SCREEN_COORDINATE)
    s->y_position = EFIS_SETTINGS_DEFAULTS.y_position;
  s->frameless = flag(s->frameless);
  s->side = flag(s->side);
  s->bearing1 = efis_clamp_knob(s->bearing1);
  s->bearing2 = efis_clamp_knob(s->bearing2);
}

bool efis_settings_exist(const char* path) {
  std::ifstream in(path);
  return in.is_open();
}

bool efis_read_settings_file(const char* path, EfisSettings* settings) {
  *settings = EFIS_SETTINGS_BUILT_IN;
  std::ifstream in(path, std::ios::binary);
  bool opened = in.is_open();
  if (opened) {
    std::string text(EFIS_SETTINGS_MAX_BYTES, '\0');
    in.read(&text[0], static_cast<std::streamsize>(text.size()));
    efis_parse_settings(text.data(), static_cast<size_t>(in.gcount()), settings);
  }
  efis_sanitize_settings(settings);
  return opened;
}

bool efis_write_settings_file(const char* path, const EfisSettings& settings) {
  std::string text = efis_settings_text(settings);
  std::string temporary = std::string(path) + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out.is_open()) return false;
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.flush();
    if (!out.good()) {
      out.close();
      std::error_code ignored;
      std::filesystem::remove(temporary, ignored);
      return false;
    }
  }
  std::error_code error;
  std::filesystem::rename(temporary, path, error);
  if (error) {
    std::filesystem::remove(temporary, error);
    return false;
  }
  return true;
}
