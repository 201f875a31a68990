#include "server/number_text.h"

#include <cerrno>
#include <cstdlib>

namespace {

// The magnitude after an optional sign has been taken off.
bool magnitude(const char* digits, uint64_t* value) {
  int base = 10;
  if (digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
    base = 16;
    digits += 2;
  }
  char first = digits[0];
  bool digit = (first >= '0' && first <= '9') ||
               (base == 16 && ((first >= 'a' && first <= 'f') || (first >= 'A' && first <= 'F')));
  if (!digit) return false;  // also refuses the blanks and signs strtoull would skip
  errno = 0;
  char* end = nullptr;
  unsigned long long parsed = std::strtoull(digits, &end, base);
  if (errno != 0 || *end != '\0') return false;
  *value = parsed;
  return true;
}

}  // namespace

bool number_text_unsigned(const std::string& text, uint64_t* value) {
  return magnitude(text.c_str(), value);
}

bool number_text_signed(const std::string& text, int64_t* value) {
  const char* at = text.c_str();
  bool negative = *at == '-';
  if (*at == '-' || *at == '+') ++at;
  uint64_t size = 0;
  if (!magnitude(at, &size)) return false;
  const uint64_t limit = negative ? uint64_t(INT64_MAX) + 1 : uint64_t(INT64_MAX);
  if (size > limit) return false;
  *value = negative ? int64_t(0 - size) : int64_t(size);
  return true;
}

bool number_text_in_range(const std::string& text, int64_t low, int64_t high, int64_t* value) {
  int64_t parsed = 0;
  if (!number_text_signed(text, &parsed) || parsed < low || parsed > high) return false;
  *value = parsed;
  return true;
}
