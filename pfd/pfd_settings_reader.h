#pragma once
// A bounded cursor over a file held in memory, reading the label-line /
// value-line files the way the C stream functions would, but with every
// number range-checked and every copy bounded.
#include <cstddef>
#include <cstdint>
#include <string>

struct TextCursor {
  const char* at;
  const char* end;
};

TextCursor cursor_over(const std::string& text);
bool cursor_at_end(const TextCursor& c);
void skip_blanks(TextCursor* c);
// Skips one whitespace-delimited word (a label). False at end of text.
bool skip_word(TextCursor* c);
// Reads one word into out (at most capacity - 1 characters, rest dropped).
// out is always terminated; empty at end of text.
bool read_word(TextCursor* c, char* out, size_t capacity);
// "%d": blanks, optional sign, digits. False (cursor unchanged) when no
// digits follow or the value leaves the 32-bit range.
bool read_int(TextCursor* c, int32_t* out);
// "%f": a decimal number with optional fraction and exponent; finite only.
bool read_float(TextCursor* c, double* out);
// Consumes one expected character.
bool read_char(TextCursor* c, char expected);
// After the label: blanks, the opening quote, then characters up to the
// closing quote (not stored); at most capacity - 1 kept, the rest dropped.
bool read_quoted(TextCursor* c, char* out, size_t capacity);
