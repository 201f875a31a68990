#include "server/printable_text.h"

#include <cstdio>

namespace {

// Length of the valid UTF-8 sequence of two or more bytes at `at`, 0 if there
// is none. C1 controls (U+0080..U+009F) count as invalid: terminals obey them.
size_t utf8_sequence(const unsigned char* at, size_t left) {
  unsigned char lead = at[0];
  size_t length = lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3 : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
  if (length == 0 || length > left) return 0;
  for (size_t i = 1; i < length; ++i)
    if ((at[i] & 0xC0) != 0x80) return 0;
  if (lead == 0xC2 && at[1] < 0xA0) return 0;                  // C1 controls
  if (lead == 0xE0 && at[1] < 0xA0) return 0;                  // overlong
  if (lead == 0xED && at[1] >= 0xA0) return 0;                 // surrogates
  if (lead == 0xF0 && at[1] < 0x90) return 0;                  // overlong
  if (lead == 0xF4 && at[1] >= 0x90) return 0;                 // beyond U+10FFFF
  return length;
}

}  // namespace

std::string printable_text(const std::string& text, bool keep_lines) {
  std::string out;
  out.reserve(text.size());
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text.data());
  for (size_t i = 0; i < text.size();) {
    unsigned char c = bytes[i];
    bool plain = (c >= 0x20 && c < 0x7F) || (keep_lines && (c == '\n' || c == '\t'));
    size_t sequence = c >= 0x80 ? utf8_sequence(bytes + i, text.size() - i) : 0;
    if (plain) {
      out += char(c);
      ++i;
    } else if (sequence > 0) {
      out.append(text, i, sequence);
      i += sequence;
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
      out += escaped;
      ++i;
    }
  }
  return out;
}
