#pragma once
// Whole numbers as a user types them on a command line: decimal, or
// hexadecimal when written 0x...; a leading zero is still decimal ("010" is
// ten, never eight). No blanks, no trailing characters.
#include <cstdint>
#include <string>

// Any value of 0 .. 2^64-1; no sign.
bool number_text_unsigned(const std::string& text, uint64_t* value);
// Any value of the 64-bit signed range; an optional sign.
bool number_text_signed(const std::string& text, int64_t* value);
// A signed number within low..high.
bool number_text_in_range(const std::string& text, int64_t low, int64_t high, int64_t* value);
