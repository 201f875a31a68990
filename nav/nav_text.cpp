#include "nav/nav_text.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

bool nav_next_line(NavLineCursor* cursor, std::string_view* line) {
  std::string_view& rest = cursor->rest;
  if (rest.empty()) return false;
  size_t end = rest.find('\n');
  std::string_view whole = rest.substr(0, end);
  rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
  if (!whole.empty() && whole.back() == '\r') whole.remove_suffix(1);
  *line = whole;
  return true;
}

namespace {

// Blanks and one sign as atof skips them; returns the sign.
bool skip_blanks_and_sign(std::string_view* text) {
  size_t i = 0;
  while (i < text->size() && ((*text)[i] == ' ' || ((*text)[i] >= '\t' && (*text)[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text->size() && ((*text)[i] == '+' || (*text)[i] == '-')) negative = (*text)[i++] == '-';
  text->remove_prefix(i);
  return negative;
}

}  // namespace

double nav_parse_double(std::string_view text) {
  bool negative = skip_blanks_and_sign(&text);
  // A second sign ("+-5") is no number, as for atof.
  if (text.empty() || text[0] == '+' || text[0] == '-') return 0.0;
  double value = 0.0;
  auto result = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
  if (result.ec != std::errc() || !std::isfinite(value)) return 0.0;
  return negative ? -value : value;
}

int32_t nav_parse_int(std::string_view text) {
  bool negative = skip_blanks_and_sign(&text);
  int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    value = value * 10 + (c - '0');
    if (value > std::numeric_limits<int32_t>::max()) {
      value = std::numeric_limits<int32_t>::max();
      break;
    }
  }
  return static_cast<int32_t>(negative ? -value : value);
}

void nav_copy_bounded(char* out, size_t capacity, std::string_view text) {
  if (capacity == 0) return;
  size_t n = text.size() < capacity - 1 ? text.size() : capacity - 1;
  if (n > 0) std::memcpy(out, text.data(), n);
  out[n] = '\0';
}

float nav_float_or_zero(double value) {
  return std::fabs(value) <= std::numeric_limits<float>::max() ? static_cast<float>(value) : 0.0f;
}

bool nav_contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}
