#pragma once
// The settings-file conventions shared by every unit: pairs of a one-word
// label line and a value line, read purely by position. Values are "%d,%d",
// "%d" or a path between double quotes. Files are written whole through a
// temporary file, every line ended by a line feed except the last.
#include <cstddef>
#include <cstdint>
#include <string>

#include "framework/unit_common.h"

constexpr size_t SETTINGS_FILE_LIMIT = 1 << 20;  // larger files are not read
constexpr int SETTINGS_MAX_WINDOW_SIDE = 16384;

struct SettingsReader {
  std::string data;   // the file, carriage returns before line feeds removed
  size_t pos;
  bool failed;        // once a value is missing or malformed, the rest stays unread
};

// False when the file cannot be opened (or is larger than the limit).
bool settings_open(SettingsReader* reader, const char* path);
// The same on file contents already in memory.
void settings_open_text(SettingsReader* reader, const char* text, size_t size);
// Skips one whitespace-delimited word (the label), whatever its length.
bool settings_skip_label(SettingsReader* reader);
// One decimal integer in the int range. *value keeps its contents on failure.
bool settings_read_int(SettingsReader* reader, int* value);
// "a,b": two decimal integers separated by a comma.
bool settings_read_int_pair(SettingsReader* reader, int* first, int* second);
// A quoted path after the label: blanks and the line end are skipped, the
// next character is taken as the opening quote, then characters are stored
// up to the closing quote or the end of the file. At most capacity - 1 are
// kept (the rest are read and dropped); the buffer is zero-filled first.
bool settings_read_path(SettingsReader* reader, char* buffer, size_t capacity);
// One whitespace-delimited word, at most capacity - 1 characters kept (the
// rest read and dropped); for values compared as text, such as a flag that
// counts only when it is exactly "1".
bool settings_read_word(SettingsReader* reader, char* buffer, size_t capacity);
// A decimal real number as "%f" reads it (C numeric locale), finite.
bool settings_read_double(SettingsReader* reader, double* value);
// The next character must be `c` (as in "%f,%f"); it is consumed.
bool settings_expect_char(SettingsReader* reader, char c);

// The window block every unit's file starts with: "[X_SIZE,Y_SIZE]" and the
// drawing-area width and height, the position label and the window's left
// and top, "[FRAMELESS_WINDOW(0-1)]" and, in the units that have a bezel,
// "[DISPLAY_BEZEL(0-1)]". Every unit but the radio unit spells the position
// label "POSISTION".
constexpr const char* SETTINGS_POSITION_LABEL = "[X_POSITION,Y_POSISTION]";

struct SettingsWindow {
  int x_size, y_size;
  int x_position, y_position;
  int frameless;
  bool has_bezel;  // the unit has the bezel line
  int bezel;
};

// The block of a unit's running window, and the block applied to it (flags
// other than 0 count as 1).
SettingsWindow settings_window_of(const UnitCommon& common, bool has_bezel);
void settings_window_apply(const SettingsWindow& window, UnitCommon* common);
// Reads the block's values in order into `window`, stopping at the first one
// that is missing or bad: the values read are kept, the rest keep their
// contents. Returns how many values were read (6, or 5 without a bezel, when
// all were).
int settings_read_window(SettingsReader* reader, SettingsWindow* window);

// Label + value helpers for the common pair shapes.
bool settings_read_int_entry(SettingsReader* reader, int* value);
bool settings_read_int_pair_entry(SettingsReader* reader, int* first, int* second);
bool settings_read_path_entry(SettingsReader* reader, char* buffer, size_t capacity);

struct SettingsWriter {
  std::string text;
};

void settings_put_label(SettingsWriter* writer, const char* label);
void settings_put_int(SettingsWriter* writer, int value);
void settings_put_int_pair(SettingsWriter* writer, int first, int second);
void settings_put_path(SettingsWriter* writer, const char* path);
void settings_put_window(SettingsWriter* writer, const SettingsWindow& window,
                         const char* position_label = SETTINGS_POSITION_LABEL);
// Any other value line, formatted printf-style (for example "%3.2f").
void settings_put_line(SettingsWriter* writer, const char* format, ...) __attribute__((format(printf, 2, 3)));
// Writes the file (no line feed after the last value line) atomically.
bool settings_commit(const SettingsWriter& writer, const char* path);

// A value given as text (a command-line setting), read as the file reads it;
// the whole text must be the value.
bool settings_value_int(const char* text, int* value);
bool settings_value_int_pair(const char* text, int* first, int* second);
// A path value: stored whole up to capacity - 1 characters, the rest dropped,
// as the file's reader does.
void settings_value_path(const char* text, char* buffer, size_t capacity);

// Repairs after reading: a size of 0 or less, or beyond what a window system
// makes (a window that cannot be made would fail every start), becomes the
// unit's default; a
// flag or side other than 0 becomes 1; a position is clamped into its range.
int settings_size_or_default(int value, int fallback);
int settings_flag(int value);
int settings_clamp(int value, int low, int high);
