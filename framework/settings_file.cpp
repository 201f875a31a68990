#include "framework/settings_file.h"

#include <climits>
#include <cmath>
#include <cstdarg>
#include <cstdlib>
#include <cstdio>
#include <cstring>

#include "platform/files.h"

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

void skip_blanks(SettingsReader* reader) {
  while (reader->pos < reader->data.size() && is_blank(reader->data[reader->pos])) ++reader->pos;
}

bool fail(SettingsReader* reader) {
  reader->failed = true;
  return false;
}

// Like "%d": leading blanks, optional sign, at least one digit, int range.
bool parse_int(SettingsReader* reader, int* value) {
  skip_blanks(reader);
  const std::string& d = reader->data;
  size_t p = reader->pos;
  bool negative = false;
  if (p < d.size() && (d[p] == '-' || d[p] == '+')) negative = d[p++] == '-';
  long long magnitude = 0;
  size_t digits = 0;
  while (p < d.size() && d[p] >= '0' && d[p] <= '9') {
    magnitude = magnitude * 10 + (d[p] - '0');
    if (magnitude > static_cast<long long>(INT_MAX) + 1) return false;
    ++p;
    ++digits;
  }
  if (digits == 0) return false;
  long long result = negative ? -magnitude : magnitude;
  if (result > INT_MAX || result < INT_MIN) return false;
  *value = static_cast<int>(result);
  reader->pos = p;
  return true;
}

}  // namespace

void settings_open_text(SettingsReader* reader, const char* text, size_t size) {
  reader->data.clear();
  reader->pos = 0;
  reader->failed = false;
  // Files written on Windows read the same: drop a carriage return before a line feed or at the end.
  reader->data.reserve(size);
  for (size_t i = 0; i < size; ++i) {
    bool line_end_cr = text[i] == '\r' && (i + 1 == size || text[i + 1] == '\n');
    if (!line_end_cr) reader->data.push_back(text[i]);
  }
}

bool settings_open(SettingsReader* reader, const char* path) {
  std::string raw;
  if (!read_file_bounded(path, SETTINGS_FILE_LIMIT, &raw)) {
    settings_open_text(reader, "", 0);
    reader->failed = true;
    return false;
  }
  settings_open_text(reader, raw.data(), raw.size());
  return true;
}

bool settings_skip_label(SettingsReader* reader) {
  if (reader->failed) return false;
  skip_blanks(reader);
  size_t start = reader->pos;
  while (reader->pos < reader->data.size() && !is_blank(reader->data[reader->pos])) ++reader->pos;
  if (reader->pos == start) return fail(reader);
  return true;
}

bool settings_read_int(SettingsReader* reader, int* value) {
  if (reader->failed) return false;
  int parsed;
  if (!parse_int(reader, &parsed)) return fail(reader);
  *value = parsed;
  return true;
}

bool settings_read_int_pair(SettingsReader* reader, int* first, int* second) {
  if (!settings_read_int(reader, first)) return false;
  if (reader->pos >= reader->data.size() || reader->data[reader->pos] != ',') return fail(reader);
  ++reader->pos;
  return settings_read_int(reader, second);
}

bool settings_read_path(SettingsReader* reader, char* buffer, size_t capacity) {
  if (reader->failed || capacity == 0) return false;
  skip_blanks(reader);
  if (reader->pos >= reader->data.size()) return fail(reader);
  std::memset(buffer, 0, capacity);
  ++reader->pos;  // the opening quote, whatever it is
  size_t stored = 0;
  while (reader->pos < reader->data.size()) {
    char c = reader->data[reader->pos++];
    if (c == '"') break;
    if (stored + 1 < capacity) buffer[stored++] = c;
  }
  return true;
}

bool settings_read_word(SettingsReader* reader, char* buffer, size_t capacity) {
  if (reader->failed || capacity == 0) return false;
  skip_blanks(reader);
  size_t stored = 0, start = reader->pos;
  while (reader->pos < reader->data.size() && !is_blank(reader->data[reader->pos])) {
    if (stored + 1 < capacity) buffer[stored++] = reader->data[reader->pos];
    ++reader->pos;
  }
  buffer[stored] = '\0';
  if (reader->pos == start) return fail(reader);
  return true;
}

bool settings_read_double(SettingsReader* reader, double* value) {
  if (reader->failed) return false;
  skip_blanks(reader);
  // Copy the longest run of number characters, bounded, then convert it.
  constexpr size_t NUMBER_LIMIT = 64;
  char text[NUMBER_LIMIT + 1];
  size_t length = 0;
  const std::string& d = reader->data;
  while (reader->pos + length < d.size() && length < NUMBER_LIMIT) {
    char c = d[reader->pos + length];
    bool number_char = (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E';
    if (!number_char) break;
    text[length++] = c;
  }
  text[length] = '\0';
  char* end = nullptr;
  double parsed = std::strtod(text, &end);
  if (end == text || !std::isfinite(parsed)) return fail(reader);
  reader->pos += static_cast<size_t>(end - text);
  *value = parsed;
  return true;
}

bool settings_expect_char(SettingsReader* reader, char c) {
  if (reader->failed) return false;
  if (reader->pos >= reader->data.size() || reader->data[reader->pos] != c) return fail(reader);
  ++reader->pos;
  return true;
}

SettingsWindow settings_window_of(const UnitCommon& c, bool has_bezel) {
  return SettingsWindow{c.x_size, c.y_size, c.x_position, c.y_position, c.frameless ? 1 : 0, has_bezel,
                        c.bezel_shown ? 1 : 0};
}

void settings_window_apply(const SettingsWindow& w, UnitCommon* c) {
  c->x_size = w.x_size;
  c->y_size = w.y_size;
  c->x_position = w.x_position;
  c->y_position = w.y_position;
  c->frameless = settings_flag(w.frameless) != 0;
  if (w.has_bezel) c->bezel_shown = settings_flag(w.bezel) != 0;
}

int settings_read_window(SettingsReader* reader, SettingsWindow* w) {
  int* const pairs[2][2] = {{&w->x_size, &w->y_size}, {&w->x_position, &w->y_position}};
  int read = 0;
  for (int* const* pair : pairs) {
    if (!settings_skip_label(reader) || !settings_read_int(reader, pair[0])) return read;
    ++read;
    if (!settings_expect_char(reader, ',') || !settings_read_int(reader, pair[1])) return read;
    ++read;
  }
  if (!settings_read_int_entry(reader, &w->frameless)) return read;
  ++read;
  if (!w->has_bezel || !settings_read_int_entry(reader, &w->bezel)) return read;
  return read + 1;
}

bool settings_read_int_entry(SettingsReader* reader, int* value) {
  return settings_skip_label(reader) && settings_read_int(reader, value);
}

bool settings_read_int_pair_entry(SettingsReader* reader, int* first, int* second) {
  return settings_skip_label(reader) && settings_read_int_pair(reader, first, second);
}

bool settings_read_path_entry(SettingsReader* reader, char* buffer, size_t capacity) {
  return settings_skip_label(reader) && settings_read_path(reader, buffer, capacity);
}

void settings_put_label(SettingsWriter* writer, const char* label) {
  writer->text += label;
  writer->text += '\n';
}

void settings_put_int(SettingsWriter* writer, int value) {
  char line[32];
  std::snprintf(line, sizeof line, "%d\n", value);
  writer->text += line;
}

void settings_put_int_pair(SettingsWriter* writer, int first, int second) {
  char line[48];
  std::snprintf(line, sizeof line, "%d,%d\n", first, second);
  writer->text += line;
}

void settings_put_path(SettingsWriter* writer, const char* path) {
  writer->text += '"';
  writer->text += path;
  writer->text += "\"\n";
}

void settings_put_window(SettingsWriter* writer, const SettingsWindow& w, const char* position_label) {
  settings_put_label(writer, "[X_SIZE,Y_SIZE]");
  settings_put_int_pair(writer, w.x_size, w.y_size);
  settings_put_label(writer, position_label);
  settings_put_int_pair(writer, w.x_position, w.y_position);
  settings_put_label(writer, "[FRAMELESS_WINDOW(0-1)]");
  settings_put_int(writer, w.frameless);
  if (!w.has_bezel) return;
  settings_put_label(writer, "[DISPLAY_BEZEL(0-1)]");
  settings_put_int(writer, w.bezel);
}

void settings_put_line(SettingsWriter* writer, const char* format, ...) {
  char line[256];
  va_list args;
  va_start(args, format);
  std::vsnprintf(line, sizeof line, format, args);
  va_end(args);
  writer->text += line;
  writer->text += '\n';
}

bool settings_commit(const SettingsWriter& writer, const char* path) {
  std::string text = writer.text;
  if (!text.empty() && text.back() == '\n') text.pop_back();
  return write_file_atomic(path, text);
}

bool settings_value_int(const char* text, int* value) {
  SettingsReader reader;
  settings_open_text(&reader, text, std::strlen(text));
  int parsed;
  if (!settings_read_int(&reader, &parsed) || reader.pos != reader.data.size()) return false;
  *value = parsed;
  return true;
}

bool settings_value_int_pair(const char* text, int* first, int* second) {
  SettingsReader reader;
  settings_open_text(&reader, text, std::strlen(text));
  int a, b;
  if (!settings_read_int_pair(&reader, &a, &b) || reader.pos != reader.data.size()) return false;
  *first = a;
  *second = b;
  return true;
}

void settings_value_path(const char* text, char* buffer, size_t capacity) {
  if (capacity == 0) return;
  std::memset(buffer, 0, capacity);
  size_t length = std::strlen(text);
  std::memcpy(buffer, text, length < capacity - 1 ? length : capacity - 1);
}

int settings_size_or_default(int value, int fallback) {
  return value <= 0 || value > SETTINGS_MAX_WINDOW_SIDE ? fallback : value;
}
int settings_flag(int value) { return value != 0 ? 1 : 0; }
int settings_clamp(int value, int low, int high) { return value < low ? low : (value > high ? high : value); }
