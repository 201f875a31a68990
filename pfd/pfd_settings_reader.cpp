#include "pfd/pfd_settings_reader.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

TextCursor cursor_over(const std::string& text) { return {text.data(), text.data() + text.size()}; }

bool cursor_at_end(const TextCursor& c) { return c.at >= c.end; }

static bool is_blank(char ch) {
  return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r' || ch == '\v' || ch == '\f';
}

void skip_blanks(TextCursor* c) {
  while (c->at < c->end && is_blank(*c->at)) ++c->at;
}

bool skip_word(TextCursor* c) {
  skip_blanks(c);
  if (c->at >= c->end) return false;
  while (c->at < c->end && !is_blank(*c->at)) ++c->at;
  return true;
}

bool read_word(TextCursor* c, char* out, size_t capacity) {
  size_t n = 0;
  if (capacity) out[0] = '\0';
  skip_blanks(c);
  if (c->at >= c->end) return false;
  while (c->at < c->end && !is_blank(*c->at)) {
    if (n + 1 < capacity) out[n++] = *c->at;
    ++c->at;
  }
  if (capacity) out[n] = '\0';
  return true;
}

bool read_int(TextCursor* c, int32_t* out) {
  TextCursor t = *c;
  skip_blanks(&t);
  bool negative = false;
  if (t.at < t.end && (*t.at == '-' || *t.at == '+')) negative = *t.at++ == '-';
  if (t.at >= t.end || *t.at < '0' || *t.at > '9') return false;
  int64_t value = 0;
  while (t.at < t.end && *t.at >= '0' && *t.at <= '9') {
    value = value * 10 + (*t.at++ - '0');
    if (value > 2147483648LL) return false;
  }
  if (negative) value = -value;
  if (value > INT32_MAX || value < INT32_MIN) return false;
  *out = static_cast<int32_t>(value);
  *c = t;
  return true;
}

bool read_float(TextCursor* c, double* out) {
  TextCursor t = *c;
  skip_blanks(&t);
  char buffer[64];
  size_t n = 0;
  auto take = [&]() {
    if (n + 1 < sizeof buffer) buffer[n++] = *t.at;
    ++t.at;
  };
  if (t.at < t.end && (*t.at == '-' || *t.at == '+')) take();
  size_t digits = 0;
  while (t.at < t.end && *t.at >= '0' && *t.at <= '9') { take(); ++digits; }
  if (t.at < t.end && *t.at == '.') {
    take();
    while (t.at < t.end && *t.at >= '0' && *t.at <= '9') { take(); ++digits; }
  }
  if (digits == 0) return false;
  if (t.at < t.end && (*t.at == 'e' || *t.at == 'E')) {
    TextCursor e = t;
    size_t mark = n;
    take();
    if (t.at < t.end && (*t.at == '-' || *t.at == '+')) take();
    size_t exp_digits = 0;
    while (t.at < t.end && *t.at >= '0' && *t.at <= '9') { take(); ++exp_digits; }
    if (exp_digits == 0) { t = e; n = mark; }
  }
  if (n + 1 >= sizeof buffer) return false;  // absurdly long number
  buffer[n] = '\0';
  double value = std::strtod(buffer, nullptr);  // "C" numeric locale: never changed
  if (!std::isfinite(value)) return false;
  *out = value;
  *c = t;
  return true;
}

bool read_char(TextCursor* c, char expected) {
  if (c->at < c->end && *c->at == expected) { ++c->at; return true; }
  return false;
}

bool read_quoted(TextCursor* c, char* out, size_t capacity) {
  size_t n = 0;
  skip_blanks(c);
  if (c->at >= c->end) return false;
  ++c->at;  // the opening quote, whatever it is
  while (c->at < c->end && *c->at != '"') {
    if (n + 1 < capacity) out[n++] = *c->at;
    ++c->at;
  }
  if (c->at < c->end) ++c->at;  // closing quote
  out[n] = '\0';
  return true;
}
