#pragma once
// "EFIS.ini": six pairs of a bracketed label line and a value line, read by
// position. The text is built and parsed here; the file is written whole to a
// temporary file and renamed over the old one, so no reader sees half of it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "framework/settings_file.h"

constexpr const char* EFIS_SETTINGS_FILE = "EFIS.ini";
constexpr int EFIS_SETTINGS_VALUE_COUNT = 8;
constexpr int32_t EFIS_MAX_WINDOW_SIDE = SETTINGS_MAX_WINDOW_SIDE;
constexpr int32_t EFIS_MAX_SCREEN_COORDINATE = 32767;

struct EfisSettings {
  int32_t x_size, y_size;          // panel (viewport) size in pixels
  int32_t x_position, y_position;  // window left and top
  int32_t frameless;               // 0 / 1
  int32_t side;                    // 0 captain, 1 first officer
  int32_t bearing1, bearing2;      // knob positions 0..3
};

// What the default file holds.
constexpr EfisSettings EFIS_SETTINGS_DEFAULTS = {617, 225, 100, 100, 0, 0, 0, 0};
// What a value keeps when the file ends before it.
constexpr EfisSettings EFIS_SETTINGS_BUILT_IN = {571, 208, 0, 0, 0, 0, 0, 0};

std::string efis_settings_text(const EfisSettings& settings);
// Reads the values in file order into `settings`, stopping at the first one
// that is missing, not a number or beyond 32 bits; the rest keep their values.
// Returns how many values were read (0..8).
int efis_parse_settings(const char* text, size_t size, EfisSettings* settings);
// Makes any parsed values safe to use: sizes <= 0 (or absurd) take the
// defaults, side and frameless other than 0 become 1, knobs are clamped.
void efis_sanitize_settings(EfisSettings* settings);

bool efis_settings_exist(const char* path);
// Built-in values, then the file's values, then sanitised. False when the
// file could not be opened (the result is then the sanitised built-ins).
bool efis_read_settings_file(const char* path, EfisSettings* settings);
// Temporary file in the same folder, then rename. False when it could not be written.
bool efis_write_settings_file(const char* path, const EfisSettings& settings);
