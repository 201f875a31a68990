#pragma once
// Text helpers of the navigation readers: lines with their line ends
// stripped, numbers read as the C library's atof/atoi would read them (but
// bounded, locale-free and never infinite), and bounded copies.
#include <cstddef>
#include <cstdint>
#include <string_view>

// Lines of a text one by one, without "\n" and without a trailing "\r".
struct NavLineCursor {
  std::string_view rest;
};
bool nav_next_line(NavLineCursor* cursor, std::string_view* line);

// The longest number at the start of `text` after blanks and an optional
// sign; 0 when there is none or the value is not finite.
double nav_parse_double(std::string_view text);
// The same, truncated toward zero and limited to the 32-bit range.
int32_t nav_parse_int(std::string_view text);

// The value as a float; 0 when it lies beyond the float range (or is NaN),
// as a number that does not parse.
float nav_float_or_zero(double value);

// Copies at most capacity - 1 bytes and terminates.
void nav_copy_bounded(char* out, size_t capacity, std::string_view text);

bool nav_contains(std::string_view text, std::string_view part);
