#pragma once
// The one table of every offset the cockpit units read from the simulator:
// where it lives, how wide it is, how it is encoded and which model quantity
// it carries. The model computes its quantities in engineering units; this
// table alone turns them into simulator bytes (and back, for tests and tools).
#include <cstddef>
#include <cstdint>

enum Encoding : uint8_t {
  ENC_INT,         // signed little-endian integer: raw = round(value * factor + bias)
  ENC_UINT,        // unsigned little-endian integer, same rule
  ENC_F64,         // double: raw = value * factor + bias
  ENC_F32,         // float, same rule
  ENC_TEXT,        // zero-padded text; `quantity` indexes the text quantities
  ENC_BCD_FREQ,    // radio word: four BCD digits of MHz with the leading 1 implied
  ENC_BCD_ADF,     // four BCD digits of whole kHz
  ENC_ADF_EXT,     // tenths of a kHz in the low byte
  ENC_BCD_SQUAWK,  // four octal digits, one per nibble
};

enum Quantity : uint16_t {
  Q_AP_HEADING_BUG, Q_TANK_CAP_LEFT, Q_TANK_CAP_RIGHT, Q_TANK_CAP_CENTRE,
  Q_TANK_LEVEL_LEFT, Q_TANK_LEVEL_RIGHT, Q_TANK_LEVEL_CENTRE, Q_FUEL_WEIGHT,
  Q_OIL_TEMP_LEFT, Q_OIL_TEMP_RIGHT, Q_OIL_PRESS_LEFT, Q_OIL_PRESS_RIGHT,
  Q_FUEL_FLOW_LEFT, Q_FUEL_FLOW_RIGHT, Q_SPOILER_LEFT, Q_SPOILER_RIGHT,
  Q_FLAP_POSITION, Q_FLAP_CONTROL, Q_ELEVATOR_TRIM, Q_AILERON_TRIM, Q_RUDDER_TRIM,
  Q_BUS_VOLTS_LEFT, Q_BUS_VOLTS_RIGHT, Q_GEN_AMPS_LEFT, Q_GEN_AMPS_RIGHT, Q_EMER_BUS_VOLTS,
  Q_HYD_LEFT, Q_HYD_RIGHT, Q_VERTICAL_SPEED, Q_INDICATED_ALTITUDE, Q_MAGVAR,
  Q_GROUND_SPEED, Q_IAS, Q_TAS, Q_STATIC_AIR_TEMP, Q_WIND_DIRECTION, Q_WIND_SPEED,
  Q_HEADING_TRUE, Q_BATTERY, Q_AVIONICS, Q_LATITUDE, Q_LONGITUDE,
  Q_N1_LEFT, Q_N1_RIGHT, Q_N2_LEFT, Q_N2_RIGHT, Q_ITT_LEFT, Q_ITT_RIGHT,
  Q_OUTSIDE_AIR_TEMP, Q_GPS_DISTANCE, Q_GPS_ARRIVAL, Q_CLOCK_HOUR, Q_CLOCK_MINUTE,
  Q_CLOCK_SECOND, Q_GPS_DESIRED_TRACK, Q_GPS_CROSS_TRACK, Q_GPS_BEARING_TRUE,
  Q_NAV_FLAGS, Q_DME1, Q_DME2, Q_SYNC_FLAGS, Q_SPOILER_CONTROL, Q_FIRE_FLAGS,
  Q_PARKING_BRAKE, Q_GEAR_CONTROL, Q_THRUST_LEFT, Q_THRUST_RIGHT, Q_SPOILER_ARM,
  Q_ON_GROUND, Q_DOOR_FLAGS, Q_THROTTLE_LEFT, Q_THROTTLE_RIGHT, Q_FUEL_PRESS_LEFT,
  Q_FUEL_PRESS_RIGHT, Q_COMBUSTION_LEFT, Q_COMBUSTION_RIGHT, Q_STARTER_LEFT,
  Q_STARTER_RIGHT, Q_PITOT_HEAT, Q_NAV_GPS_SWITCH,
  Q_PITCH, Q_BANK, Q_FD_PITCH, Q_FD_BANK, Q_YAW_DAMPER, Q_AP_MASTER, Q_FD_ACTIVE,
  Q_ALT_HOLD, Q_GS_DEVIATION, Q_GS_ALIVE, Q_MARKER_INNER, Q_MARKER_MIDDLE,
  Q_MARKER_OUTER, Q_BARO_SETTING, Q_GROUND_ELEVATION, Q_GPS_ALTITUDE, Q_RADIO_ALTITUDE,
  Q_TRUE_ALTITUDE, Q_SELECTED_ALTITUDE, Q_NAV_STANDBY_FLAGS, Q_ADF1_RELATIVE,
  Q_ADF2_RELATIVE, Q_NAV1_RADIAL, Q_NAV2_RADIAL, Q_NAV1_CODE, Q_NAV2_CODE,
  Q_NAV1_COURSE, Q_NAV2_COURSE, Q_NAV1_DEVIATION, Q_NAV2_DEVIATION, Q_HDG_HOLD,
  Q_APP_HOLD, Q_NAV_HOLD, Q_MACH, Q_IAS_HOLD, Q_IAS_TARGET, Q_OVERSPEED, Q_STALL,
  Q_MACH_TARGET, Q_ACCELERATION, Q_MACH_HOLD, Q_VS_TARGET, Q_NAV1_TO_FROM,
  Q_NAV2_TO_FROM, Q_AIR_DENSITY, Q_AIR_PRESSURE,
  Q_COM1, Q_COM2, Q_COM1_STANDBY, Q_COM2_STANDBY, Q_NAV1_FREQ, Q_NAV2_FREQ,
  Q_NAV1_STANDBY, Q_NAV2_STANDBY, Q_ADF1_FREQ, Q_SQUAWK, Q_XPDR_STANDBY, Q_XPDR_IDENT,
  Q_LOC_NEEDLE, Q_GS_NEEDLE, Q_NAV1_RELATIVE,
  Q_TRAFFIC_FIRST,
};
constexpr int TRAFFIC_SLOTS = 95;
enum TrafficField { TF_INDICATOR, TF_LAT, TF_LON, TF_ALT, TF_VS, TF_COUNT };
constexpr int Q_COUNT = Q_TRAFFIC_FIRST + TRAFFIC_SLOTS * TF_COUNT;
inline int traffic_quantity(int slot, TrafficField field) {
  return Q_TRAFFIC_FIRST + slot * TF_COUNT + field;
}

enum TextQuantity : uint16_t {
  T_VOR1_IDENT, T_VOR2_IDENT, T_ADF_IDENT, T_NEXT_WAYPOINT, T_FLIGHT_ID,
  T_DME1_TEXT, T_DME2_TEXT, T_COUNT
};
constexpr int TEXT_QUANTITY_SIZE = 16;

// Everything the model publishes, in engineering units.
struct ModelValues {
  double q[Q_COUNT];
  char text[T_COUNT][TEXT_QUANTITY_SIZE];
};

struct OffsetEntry {
  uint16_t offset;
  uint8_t size;
  Encoding encoding;
  double factor, bias;
  uint16_t quantity;     // Quantity, or TextQuantity for ENC_TEXT
  const char* name;
};

// The whole table, traffic slots included, in offset order of definition.
const OffsetEntry* offset_table(size_t* count);
const OffsetEntry* offset_entry_at(uint32_t offset);   // null when not in the table

// Writes one entry's value into the space (little-endian, at entry.offset).
void offset_encode(const OffsetEntry& entry, const ModelValues& values, uint8_t* space);
// Reads an entry's value back from `bytes` (entry.size bytes) in model units.
double offset_decode(const OffsetEntry& entry, const uint8_t* bytes);
// Writes every entry.
void offset_table_write(const ModelValues& values, uint8_t* space);

// The radio word encodings, shared with the write handling.
uint16_t bcd_from_mhz(double mhz);
double mhz_from_bcd(uint16_t word);
uint16_t bcd_from_khz(double khz);
double khz_from_bcd(uint16_t word);
uint16_t bcd_from_squawk(int code);
int squawk_from_bcd(uint16_t word);
