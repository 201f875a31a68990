#pragma once
// Offsets, cell names and typed values of cockpit_ctl, apart from the link so
// that they are checked on their own.
#include <cstdint>
#include <string>

enum ValueType { TYPE_UNSIGNED, TYPE_SIGNED, TYPE_FLOAT, TYPE_TEXT };

struct ValueFormat {
  ValueType type;
  uint32_t size;  // bytes in the offset space
};

struct NamedCell {
  const char* name;
  uint32_t offset;
};
// The cell table: every inter-unit cell by name (null when unknown).
const NamedCell* find_cell(const std::string& name);
// Every cell name, for the usage text; null-terminated array.
const NamedCell* cell_table();

// "0x73D5", "29653" or a cell name; false if it is none of them or outside the space.
bool parse_location(const std::string& text, uint32_t* offset, bool* is_cell);
// --type (may be empty) and --size (0 = not given) into a format; false with a message.
bool make_format(const std::string& type, uint32_t size, ValueFormat* format, std::string* error);
// Text to little-endian bytes (`bytes` holds at least format.size); false with a message.
bool encode_value(const std::string& text, const ValueFormat& format, uint8_t* bytes, std::string* error);
// Little-endian bytes to the text printed for the value.
std::string decode_value(const uint8_t* bytes, const ValueFormat& format);
