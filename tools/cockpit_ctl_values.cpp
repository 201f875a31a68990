#include "tools/cockpit_ctl_values.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "server/number_text.h"
#include "server/printable_text.h"
#include "simlink/cells.h"

namespace {

constexpr uint32_t SPACE_SIZE = 0x10000;
constexpr uint32_t MAX_TEXT_SIZE = 256;

const NamedCell cells[] = {
    {"reversion", CELL_REVERSION},
    {"alert", CELL_ALERT},
    {"tcas-flags", CELL_TCAS_FLAGS},
    {"tcas-range", CELL_TCAS_RANGE},
    {"tcas-band", CELL_TCAS_BAND},
    {"du2.softkeys", CELL_DU2_SOFTKEYS},
    {"du2.knob", CELL_DU2_KNOB},
    {"du2.dimming", CELL_DU2_DIMMING},
    {"du3.softkeys", CELL_DU3_SOFTKEYS},
    {"du3.knob", CELL_DU3_KNOB},
    {"du3.dimming", CELL_DU3_DIMMING},
    {"pfd1.minimums-knob", CELL_CAPT_MINIMUMS_KNOB},
    {"pfd1.dimming", CELL_CAPT_PFD_DIMMING},
    {"pfd2.minimums-knob", CELL_FO_MINIMUMS_KNOB},
    {"pfd2.dimming", CELL_FO_PFD_DIMMING},
    {"efis1.mode", CELL_CAPT_EFIS_MODE},
    {"efis1.companion", CELL_CAPT_EFIS_COMPANION},
    {"efis1.bearing1", CELL_CAPT_BEARING1_SOURCE},
    {"efis1.bearing2", CELL_CAPT_BEARING2_SOURCE},
    {"efis2.mode", CELL_FO_EFIS_MODE},
    {"efis2.companion", CELL_FO_EFIS_COMPANION},
    {"efis2.bearing1", CELL_FO_BEARING1_SOURCE},
    {"efis2.bearing2", CELL_FO_BEARING2_SOURCE},
    {"rmu1.buttons-a", CELL_RMU1_BUTTONS_A},
    {"rmu1.buttons-b", CELL_RMU1_BUTTONS_B},
    {"rmu1.inner-knob", CELL_RMU1_INNER_KNOB},
    {"rmu1.outer-knob", CELL_RMU1_OUTER_KNOB},
    {"rmu2.buttons-a", CELL_RMU2_BUTTONS_A},
    {"rmu2.buttons-b", CELL_RMU2_BUTTONS_B},
    {"rmu2.inner-knob", CELL_RMU2_INNER_KNOB},
    {"rmu2.outer-knob", CELL_RMU2_OUTER_KNOB},
    // Short forms a user is likely to type.
    {"du2.softkey", CELL_DU2_SOFTKEYS},
    {"du3.softkey", CELL_DU3_SOFTKEYS},
    {"pfd1.minimums", CELL_CAPT_MINIMUMS_KNOB},
    {"pfd2.minimums", CELL_FO_MINIMUMS_KNOB},
    {nullptr, 0},
};

bool parse_unsigned(const std::string& text, uint64_t* value) { return number_text_unsigned(text, value); }
bool parse_signed(const std::string& text, int64_t* value) { return number_text_signed(text, value); }

void put_le(uint8_t* bytes, uint64_t value, uint32_t size) {
  for (uint32_t i = 0; i < size; ++i) bytes[i] = uint8_t(value >> (8 * i));
}
uint64_t get_le(const uint8_t* bytes, uint32_t size) {
  uint64_t value = 0;
  for (uint32_t i = 0; i < size; ++i) value |= uint64_t(bytes[i]) << (8 * i);
  return value;
}

}  // namespace

const NamedCell* find_cell(const std::string& name) {
  for (const NamedCell* cell = cells; cell->name; ++cell)
    if (name == cell->name) return cell;
  return nullptr;
}

const NamedCell* cell_table() { return cells; }

bool parse_location(const std::string& text, uint32_t* offset, bool* is_cell) {
  if (const NamedCell* cell = find_cell(text)) {
    *offset = cell->offset;
    *is_cell = true;
    return true;
  }
  uint64_t value = 0;
  if (!parse_unsigned(text, &value) || value >= SPACE_SIZE) return false;
  *offset = uint32_t(value);
  *is_cell = false;
  return true;
}

bool make_format(const std::string& type, uint32_t size, ValueFormat* format, std::string* error) {
  struct TypeName { const char* name; ValueType type; uint32_t size; };
  static const TypeName types[] = {
      {"u8", TYPE_UNSIGNED, 1}, {"u16", TYPE_UNSIGNED, 2}, {"u32", TYPE_UNSIGNED, 4}, {"u64", TYPE_UNSIGNED, 8},
      {"i8", TYPE_SIGNED, 1},   {"i16", TYPE_SIGNED, 2},   {"i32", TYPE_SIGNED, 4},   {"i64", TYPE_SIGNED, 8},
      {"f32", TYPE_FLOAT, 4},   {"f64", TYPE_FLOAT, 8},    {"text", TYPE_TEXT, 0},
  };
  if (type.empty()) {
    // A plain size is an unsigned number of that many bytes.
    uint32_t bytes = size == 0 ? 1 : size;
    if (bytes > 8) {
      *error = "--size above 8 needs --type text";
      return false;
    }
    *format = ValueFormat{TYPE_UNSIGNED, bytes};
    return true;
  }
  for (const TypeName& t : types) {
    if (type != t.name) continue;
    if (t.type == TYPE_TEXT) {
      if (size == 0 || size > MAX_TEXT_SIZE) {
        *error = "--type text needs --size 1.." + std::to_string(MAX_TEXT_SIZE);
        return false;
      }
      *format = ValueFormat{TYPE_TEXT, size};
      return true;
    }
    if (size != 0 && size != t.size) {
      *error = "--size " + std::to_string(size) + " does not fit --type " + type;
      return false;
    }
    *format = ValueFormat{t.type, t.size};
    return true;
  }
  *error = "unknown --type \"" + type + "\" (one of i8 u8 i16 u16 i32 u32 i64 u64 f32 f64 text)";
  return false;
}

bool encode_value(const std::string& text, const ValueFormat& format, uint8_t* bytes, std::string* error) {
  std::memset(bytes, 0, format.size);
  const std::string range = "value \"" + text + "\" is not a " + std::to_string(format.size * 8) + "-bit ";
  switch (format.type) {
    case TYPE_UNSIGNED: {
      uint64_t value = 0;
      bool fits = parse_unsigned(text, &value) && (format.size == 8 || value < (uint64_t(1) << (8 * format.size)));
      if (!fits) {
        *error = range + "unsigned number";
        return false;
      }
      put_le(bytes, value, format.size);
      return true;
    }
    case TYPE_SIGNED: {
      int64_t value = 0;
      int64_t limit = format.size == 8 ? 0 : int64_t(1) << (8 * format.size - 1);
      bool fits = parse_signed(text, &value) && (format.size == 8 || (value >= -limit && value < limit));
      if (!fits) {
        *error = range + "signed number";
        return false;
      }
      put_le(bytes, uint64_t(value), format.size);
      return true;
    }
    case TYPE_FLOAT: {
      errno = 0;
      char* end = nullptr;
      double value = std::strtod(text.c_str(), &end);
      if (text.empty() || *end != 0 || errno != 0 || !std::isfinite(value)) {
        *error = "value \"" + text + "\" is not a number";
        return false;
      }
      if (format.size == 4) {
        float single = float(value);
        std::memcpy(bytes, &single, 4);
      } else {
        std::memcpy(bytes, &value, 8);
      }
      return true;
    }
    case TYPE_TEXT:
      if (text.size() >= format.size) {
        *error = "text \"" + text + "\" does not fit " + std::to_string(format.size) + " bytes with its terminator";
        return false;
      }
      std::memcpy(bytes, text.data(), text.size());
      return true;
  }
  return false;
}

std::string decode_value(const uint8_t* bytes, const ValueFormat& format) {
  char out[64];
  switch (format.type) {
    case TYPE_UNSIGNED:
      std::snprintf(out, sizeof out, "%llu", static_cast<unsigned long long>(get_le(bytes, format.size)));
      return out;
    case TYPE_SIGNED: {
      uint64_t raw = get_le(bytes, format.size);
      uint32_t unused_bits = 64 - 8 * format.size;
      int64_t value = unused_bits ? int64_t(raw << unused_bits) >> unused_bits : int64_t(raw);
      std::snprintf(out, sizeof out, "%lld", static_cast<long long>(value));
      return out;
    }
    case TYPE_FLOAT:
      if (format.size == 4) {
        float single;
        std::memcpy(&single, bytes, 4);
        std::snprintf(out, sizeof out, "%.9g", double(single));
      } else {
        double value;
        std::memcpy(&value, bytes, 8);
        std::snprintf(out, sizeof out, "%.17g", value);
      }
      return out;
    case TYPE_TEXT:
      // Whatever a client wrote there, the terminal only ever sees printable text.
      return printable_text(
          std::string(reinterpret_cast<const char*>(bytes), strnlen(reinterpret_cast<const char*>(bytes), format.size)));
  }
  return "";
}
