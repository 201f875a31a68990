// The simulator encodings of every quantity the units read. Factors are the
// simulator's own (for example 2^32/360 for headings); the units' conversions
// are their inverses or close approximations of them.
#include "server/offset_table.h"

#include <cmath>
#include <cstring>
#include <vector>

namespace {

constexpr double TWO_16 = 65536.0;
constexpr double TWO_32 = 4294967296.0;
constexpr double TWO_64 = 18446744073709551616.0;
constexpr double FEET_PER_METRE = 3.28084;
constexpr double ANGLE16 = TWO_16 / 360.0;               // degrees in 16 bits
constexpr double ANGLE32 = TWO_32 / 360.0;               // degrees in 32 bits
constexpr double LATITUDE64 = 10001750.0 * TWO_32 / 90.0;
constexpr double LONGITUDE64 = TWO_64 / 360.0;
constexpr double KNOTS_TO_SPEED32 = TWO_16 * 1852.0 / 3600.0;  // metres/second * 65536
constexpr double FPM_TO_SPEED32 = 0.00508 * 256.0;             // metres/second * 256
constexpr double PERCENT14 = 16384.0 / 100.0;
constexpr double TANK_PERCENT = 8388608.0 / 100.0;
constexpr double OIL_TEMP14 = 16384.0 / 140.0;
constexpr double RANKINE_FACTOR = 1.8, RANKINE_BIAS = 491.67;
constexpr double FAHRENHEIT_BIAS = 32.0;
constexpr double PSF_PER_PSI = 144.0;
constexpr double CONTROL_FULL = 16383.0;
constexpr double BRAKE_FULL = 32767.0;
constexpr double METRES_PER_NM = 1852.0;
constexpr double RADIANS_PER_DEGREE = 3.14159265358979323846 / 180.0;
constexpr double RADIO_ALT_BIAS_FT = 3.0;   // the units subtract 3 ft of gear height

#define ROW(off, size, enc, factor, bias, q) {off, size, enc, factor, bias, q, #q}

const OffsetEntry BASE_TABLE[] = {
  ROW(0x0020, 4, ENC_INT, 256.0 / FEET_PER_METRE, 0, Q_GROUND_ELEVATION),
  ROW(0x0238, 1, ENC_UINT, 1, 0, Q_CLOCK_HOUR),
  ROW(0x0239, 1, ENC_UINT, 1, 0, Q_CLOCK_MINUTE),
  ROW(0x023A, 1, ENC_UINT, 1, 0, Q_CLOCK_SECOND),
  ROW(0x029C, 1, ENC_UINT, 1, 0, Q_PITOT_HEAT),
  ROW(0x02A0, 2, ENC_INT, ANGLE16, 0, Q_MAGVAR),
  ROW(0x02B4, 4, ENC_UINT, KNOTS_TO_SPEED32, 0, Q_GROUND_SPEED),
  ROW(0x02B8, 4, ENC_UINT, 128, 0, Q_TAS),
  ROW(0x02BC, 4, ENC_UINT, 128, 0, Q_IAS),
  ROW(0x02C8, 4, ENC_INT, FPM_TO_SPEED32, 0, Q_VERTICAL_SPEED),
  ROW(0x02D8, 2, ENC_UINT, ANGLE16, 0, Q_ADF2_RELATIVE),
  ROW(0x0300, 2, ENC_UINT, 10, 0, Q_DME1),
  ROW(0x0306, 2, ENC_UINT, 10, 0, Q_DME2),
  ROW(0x0330, 2, ENC_UINT, 16, 0, Q_BARO_SETTING),
  ROW(0x034C, 2, ENC_BCD_ADF, 1, 0, Q_ADF1_FREQ),
  ROW(0x034E, 2, ENC_BCD_FREQ, 1, 0, Q_COM1),
  ROW(0x0350, 2, ENC_BCD_FREQ, 1, 0, Q_NAV1_FREQ),
  ROW(0x0352, 2, ENC_BCD_FREQ, 1, 0, Q_NAV2_FREQ),
  ROW(0x0354, 2, ENC_BCD_SQUAWK, 1, 0, Q_SQUAWK),
  ROW(0x0356, 2, ENC_ADF_EXT, 1, 0, Q_ADF1_FREQ),
  ROW(0x0366, 2, ENC_UINT, 1, 0, Q_ON_GROUND),
  ROW(0x036C, 1, ENC_UINT, 1, 0, Q_STALL),
  ROW(0x036D, 1, ENC_UINT, 1, 0, Q_OVERSPEED),
  ROW(0x0560, 8, ENC_INT, LATITUDE64, 0, Q_LATITUDE),
  ROW(0x0568, 8, ENC_INT, LONGITUDE64, 0, Q_LONGITUDE),
  ROW(0x0570, 8, ENC_INT, TWO_32 / FEET_PER_METRE, 0, Q_TRUE_ALTITUDE),
  ROW(0x0578, 4, ENC_INT, -ANGLE32, 0, Q_PITCH),     // nose up is negative
  ROW(0x057C, 4, ENC_INT, -ANGLE32, 0, Q_BANK),      // right wing down is negative
  ROW(0x0580, 4, ENC_UINT, ANGLE32, 0, Q_HEADING_TRUE),
  ROW(0x07BC, 4, ENC_UINT, 1, 0, Q_AP_MASTER),
  ROW(0x07C4, 4, ENC_UINT, 1, 0, Q_NAV_HOLD),
  ROW(0x07C8, 4, ENC_UINT, 1, 0, Q_HDG_HOLD),
  ROW(0x07CC, 2, ENC_UINT, ANGLE16, 0, Q_AP_HEADING_BUG),
  ROW(0x07D0, 4, ENC_UINT, 1, 0, Q_ALT_HOLD),
  ROW(0x07D4, 4, ENC_INT, TWO_16 / FEET_PER_METRE, 0, Q_SELECTED_ALTITUDE),
  ROW(0x07DC, 4, ENC_UINT, 1, 0, Q_IAS_HOLD),
  ROW(0x07E2, 2, ENC_UINT, 1, 0, Q_IAS_TARGET),
  ROW(0x07E4, 4, ENC_UINT, 1, 0, Q_MACH_HOLD),
  ROW(0x07E8, 4, ENC_UINT, TWO_16, 0, Q_MACH_TARGET),
  ROW(0x07F2, 2, ENC_INT, 1, 0, Q_VS_TARGET),
  ROW(0x0800, 4, ENC_UINT, 1, 0, Q_APP_HOLD),
  ROW(0x0808, 4, ENC_UINT, 1, 0, Q_YAW_DAMPER),
  ROW(0x088C, 2, ENC_INT, PERCENT14, 0, Q_THROTTLE_LEFT),
  ROW(0x0892, 2, ENC_UINT, 1, 0, Q_STARTER_LEFT),
  ROW(0x0896, 2, ENC_UINT, PERCENT14, 0, Q_N2_LEFT),
  ROW(0x0898, 2, ENC_UINT, PERCENT14, 0, Q_N1_LEFT),
  ROW(0x08B8, 2, ENC_INT, OIL_TEMP14, 0, Q_OIL_TEMP_LEFT),
  ROW(0x08D8, 4, ENC_UINT, 4, 0, Q_HYD_LEFT),
  ROW(0x08F8, 4, ENC_UINT, 1, 0, Q_FUEL_PRESS_LEFT),
  ROW(0x0924, 2, ENC_INT, PERCENT14, 0, Q_THROTTLE_RIGHT),
  ROW(0x092A, 2, ENC_UINT, 1, 0, Q_STARTER_RIGHT),
  ROW(0x092E, 2, ENC_UINT, PERCENT14, 0, Q_N2_RIGHT),
  ROW(0x0930, 2, ENC_UINT, PERCENT14, 0, Q_N1_RIGHT),
  ROW(0x0950, 2, ENC_INT, OIL_TEMP14, 0, Q_OIL_TEMP_RIGHT),
  ROW(0x0970, 4, ENC_UINT, 4, 0, Q_HYD_RIGHT),
  ROW(0x0990, 4, ENC_UINT, 1, 0, Q_FUEL_PRESS_RIGHT),
  ROW(0x0AF4, 2, ENC_UINT, 256, 0, Q_FUEL_WEIGHT),
  ROW(0x0B74, 4, ENC_UINT, TANK_PERCENT, 0, Q_TANK_LEVEL_CENTRE),
  ROW(0x0B78, 4, ENC_UINT, 1, 0, Q_TANK_CAP_CENTRE),
  ROW(0x0B7C, 4, ENC_UINT, TANK_PERCENT, 0, Q_TANK_LEVEL_LEFT),
  ROW(0x0B80, 4, ENC_UINT, 1, 0, Q_TANK_CAP_LEFT),
  ROW(0x0B94, 4, ENC_UINT, TANK_PERCENT, 0, Q_TANK_LEVEL_RIGHT),
  ROW(0x0B98, 4, ENC_UINT, 1, 0, Q_TANK_CAP_RIGHT),
  ROW(0x0BAC, 2, ENC_UINT, 1, 0, Q_MARKER_INNER),
  ROW(0x0BAE, 2, ENC_UINT, 1, 0, Q_MARKER_MIDDLE),
  ROW(0x0BB0, 2, ENC_UINT, 1, 0, Q_MARKER_OUTER),
  ROW(0x0BC8, 2, ENC_UINT, BRAKE_FULL, 0, Q_PARKING_BRAKE),
  ROW(0x0BCC, 4, ENC_UINT, 1, 0, Q_SPOILER_ARM),
  ROW(0x0BD0, 4, ENC_UINT, CONTROL_FULL, 0, Q_SPOILER_CONTROL),
  ROW(0x0BD4, 4, ENC_UINT, CONTROL_FULL, 0, Q_SPOILER_LEFT),
  ROW(0x0BD8, 4, ENC_UINT, CONTROL_FULL, 0, Q_SPOILER_RIGHT),
  ROW(0x0BDC, 4, ENC_UINT, CONTROL_FULL, 0, Q_FLAP_CONTROL),
  ROW(0x0BE4, 4, ENC_UINT, CONTROL_FULL, 0, Q_FLAP_POSITION),
  ROW(0x0BE8, 4, ENC_UINT, CONTROL_FULL, 0, Q_GEAR_CONTROL),
  ROW(0x0C18, 2, ENC_UINT, 1, 0, Q_NAV_STANDBY_FLAGS),
  ROW(0x0C29, 5, ENC_TEXT, 0, 0, T_DME1_TEXT),
  ROW(0x0C33, 5, ENC_TEXT, 0, 0, T_DME2_TEXT),
  ROW(0x0C48, 1, ENC_INT, 1, 0, Q_LOC_NEEDLE),
  ROW(0x0C49, 1, ENC_INT, 1, 0, Q_GS_NEEDLE),
  ROW(0x0C4A, 1, ENC_UINT, 1, 0, Q_NAV1_CODE),
  ROW(0x0C4B, 1, ENC_UINT, 1, 0, Q_NAV1_TO_FROM),
  ROW(0x0C4C, 1, ENC_UINT, 1, 0, Q_GS_ALIVE),
  ROW(0x0C4E, 2, ENC_UINT, 1, 0, Q_NAV1_COURSE),
  ROW(0x0C50, 2, ENC_UINT, ANGLE16, 0, Q_NAV1_RADIAL),
  ROW(0x0C56, 2, ENC_INT, 1, 0, Q_NAV1_RELATIVE),
  ROW(0x0C5A, 1, ENC_UINT, 1, 0, Q_NAV2_CODE),
  ROW(0x0C5B, 1, ENC_UINT, 1, 0, Q_NAV2_TO_FROM),
  ROW(0x0C5E, 2, ENC_UINT, 1, 0, Q_NAV2_COURSE),
  ROW(0x0C60, 2, ENC_UINT, ANGLE16, 0, Q_NAV2_RADIAL),
  ROW(0x0C6A, 2, ENC_UINT, ANGLE16, 0, Q_ADF1_RELATIVE),
  ROW(0x0E8C, 2, ENC_INT, 256, 0, Q_OUTSIDE_AIR_TEMP),
  ROW(0x0E90, 2, ENC_UINT, 1, 0, Q_WIND_SPEED),
  ROW(0x0E92, 2, ENC_UINT, ANGLE16, 0, Q_WIND_DIRECTION),
  ROW(0x11C6, 2, ENC_UINT, 20480, 0, Q_MACH),
  ROW(0x132C, 4, ENC_UINT, 1, 0, Q_NAV_GPS_SWITCH),
  ROW(0x2038, 8, ENC_F64, RANKINE_FACTOR, RANKINE_BIAS, Q_ITT_LEFT),
  ROW(0x2060, 8, ENC_F64, 1, 0, Q_FUEL_FLOW_LEFT),
  ROW(0x207C, 8, ENC_F64, 1, 0, Q_THRUST_LEFT),
  ROW(0x2138, 8, ENC_F64, RANKINE_FACTOR, RANKINE_BIAS, Q_ITT_RIGHT),
  ROW(0x2160, 8, ENC_F64, 1, 0, Q_FUEL_FLOW_RIGHT),
  ROW(0x217C, 8, ENC_F64, 1, 0, Q_THRUST_RIGHT),
  ROW(0x281C, 4, ENC_UINT, 1, 0, Q_BATTERY),
  ROW(0x2870, 8, ENC_F64, 1, 0, Q_EMER_BUS_VOLTS),
  ROW(0x2880, 8, ENC_F64, 1, 0, Q_BUS_VOLTS_LEFT),
  ROW(0x2888, 8, ENC_F64, 1, 0, Q_GEN_AMPS_LEFT),
  ROW(0x2890, 8, ENC_F64, 1, 0, Q_BUS_VOLTS_RIGHT),
  ROW(0x2898, 8, ENC_F64, 1, 0, Q_GEN_AMPS_RIGHT),
  ROW(0x28C0, 8, ENC_F64, 1, 0, Q_AIR_DENSITY),
  ROW(0x28C8, 8, ENC_F64, 1, 0, Q_AIR_PRESSURE),
  ROW(0x28D0, 8, ENC_F64, RANKINE_FACTOR, FAHRENHEIT_BIAS, Q_STATIC_AIR_TEMP),
  ROW(0x2AAC, 4, ENC_F32, 1, 0, Q_NAV1_DEVIATION),
  ROW(0x2AB0, 4, ENC_F32, 1, 0, Q_GS_DEVIATION),
  ROW(0x2AB4, 4, ENC_F32, 1, 0, Q_NAV2_DEVIATION),
  ROW(0x2E80, 4, ENC_UINT, 1, 0, Q_AVIONICS),
  ROW(0x2EA0, 8, ENC_F64, 1, 0, Q_ELEVATOR_TRIM),
  ROW(0x2EB0, 8, ENC_F64, 1, 0, Q_AILERON_TRIM),
  ROW(0x2EC0, 8, ENC_F64, 1, 0, Q_RUDDER_TRIM),
  ROW(0x2EE0, 4, ENC_UINT, 1, 0, Q_FD_ACTIVE),
  ROW(0x2EE8, 8, ENC_F64, -1, 0, Q_FD_PITCH),        // nose up is negative
  ROW(0x2EF0, 8, ENC_F64, 1, 0, Q_FD_BANK),
  ROW(0x3000, 6, ENC_TEXT, 0, 0, T_VOR1_IDENT),
  ROW(0x301F, 6, ENC_TEXT, 0, 0, T_VOR2_IDENT),
  ROW(0x303E, 6, ENC_TEXT, 0, 0, T_ADF_IDENT),
  ROW(0x3070, 8, ENC_F64, 1, 0, Q_ACCELERATION),
  ROW(0x3118, 2, ENC_BCD_FREQ, 1, 0, Q_COM2),
  ROW(0x311A, 2, ENC_BCD_FREQ, 1, 0, Q_COM1_STANDBY),
  ROW(0x311C, 2, ENC_BCD_FREQ, 1, 0, Q_COM2_STANDBY),
  ROW(0x311E, 2, ENC_BCD_FREQ, 1, 0, Q_NAV1_STANDBY),
  ROW(0x3120, 2, ENC_BCD_FREQ, 1, 0, Q_NAV2_STANDBY),
  ROW(0x313C, 12, ENC_TEXT, 0, 0, T_FLIGHT_ID),
  ROW(0x31E4, 4, ENC_INT, TWO_16 / FEET_PER_METRE, RADIO_ALT_BIAS_FT * TWO_16 / FEET_PER_METRE, Q_RADIO_ALTITUDE),
  ROW(0x3300, 2, ENC_UINT, 1, 0, Q_NAV_FLAGS),
  ROW(0x330C, 2, ENC_UINT, 1, 0, Q_SYNC_FLAGS),
  ROW(0x3324, 4, ENC_INT, 1, 0, Q_INDICATED_ALTITUDE),
  ROW(0x3366, 1, ENC_UINT, 1, 0, Q_FIRE_FLAGS),
  ROW(0x3367, 1, ENC_UINT, 1, 0, Q_DOOR_FLAGS),
  ROW(0x3A30, 8, ENC_F64, 1, 0, Q_COMBUSTION_RIGHT),
  ROW(0x3AA0, 8, ENC_F64, PSF_PER_PSI, 0, Q_OIL_PRESS_RIGHT),
  ROW(0x3AF0, 8, ENC_F64, 1, 0, Q_COMBUSTION_LEFT),
  ROW(0x3B60, 8, ENC_F64, PSF_PER_PSI, 0, Q_OIL_PRESS_LEFT),
  ROW(0x6020, 8, ENC_F64, 1.0 / FEET_PER_METRE, 0, Q_GPS_ALTITUDE),
  ROW(0x6048, 8, ENC_F64, METRES_PER_NM, 0, Q_GPS_DISTANCE),
  ROW(0x6050, 8, ENC_F64, RADIANS_PER_DEGREE, 0, Q_GPS_DESIRED_TRACK),
  ROW(0x6058, 8, ENC_F64, METRES_PER_NM, 0, Q_GPS_CROSS_TRACK),
  ROW(0x60A4, 6, ENC_TEXT, 0, 0, T_NEXT_WAYPOINT),
  ROW(0x60E8, 4, ENC_UINT, 1, 0, Q_GPS_ARRIVAL),
  ROW(0x60F4, 8, ENC_F64, RADIANS_PER_DEGREE, 0, Q_GPS_BEARING_TRUE),
  ROW(0x7B91, 1, ENC_UINT, 1, 0, Q_XPDR_STANDBY),
  ROW(0x7B93, 1, ENC_UINT, 1, 0, Q_XPDR_IDENT),
};
#undef ROW

constexpr uint32_t TRAFFIC_INDICATORS = 0xF008;
constexpr uint32_t TRAFFIC_RECORDS = 0xF084;
constexpr uint32_t TRAFFIC_RECORD_SIZE = 40;

const char* const TRAFFIC_NAMES[TF_COUNT] = {
  "traffic indicator", "traffic latitude", "traffic longitude", "traffic altitude",
  "traffic vertical speed"};

std::vector<OffsetEntry> build_table() {
  std::vector<OffsetEntry> table(std::begin(BASE_TABLE), std::end(BASE_TABLE));
  for (int s = 0; s < TRAFFIC_SLOTS; ++s) {
    uint16_t base = static_cast<uint16_t>(TRAFFIC_RECORDS + TRAFFIC_RECORD_SIZE * s);
    auto q = [s](TrafficField f) { return static_cast<uint16_t>(traffic_quantity(s, f)); };
    table.push_back({static_cast<uint16_t>(TRAFFIC_INDICATORS + s), 1, ENC_UINT, 1, 0, q(TF_INDICATOR), TRAFFIC_NAMES[TF_INDICATOR]});
    table.push_back({base, 4, ENC_F32, 1, 0, q(TF_LAT), TRAFFIC_NAMES[TF_LAT]});
    table.push_back({static_cast<uint16_t>(base + 4), 4, ENC_F32, 1, 0, q(TF_LON), TRAFFIC_NAMES[TF_LON]});
    table.push_back({static_cast<uint16_t>(base + 8), 4, ENC_F32, 1, 0, q(TF_ALT), TRAFFIC_NAMES[TF_ALT]});
    table.push_back({static_cast<uint16_t>(base + 16), 2, ENC_INT, 1, 0, q(TF_VS), TRAFFIC_NAMES[TF_VS]});
  }
  return table;
}

const std::vector<OffsetEntry>& table() {
  static const std::vector<OffsetEntry> t = build_table();
  return t;
}

void put_le(uint8_t* space, uint32_t offset, uint64_t raw, uint32_t size) {
  for (uint32_t i = 0; i < size; ++i) space[offset + i] = static_cast<uint8_t>(raw >> (8 * i));
}

uint64_t get_le(const uint8_t* bytes, uint32_t size) {
  uint64_t raw = 0;
  for (uint32_t i = 0; i < size; ++i) raw |= static_cast<uint64_t>(bytes[i]) << (8 * i);
  return raw;
}

// Rounds and saturates into the entry's integer range, so that a wild value
// never wraps into a plausible-looking one.
uint64_t integer_raw(const OffsetEntry& e, double v, bool is_signed) {
  double x = std::nearbyint(v * e.factor + e.bias);
  if (!std::isfinite(x)) x = 0;
  double bits = 8.0 * e.size;
  if (is_signed) {
    double hi = std::ldexp(1.0, static_cast<int>(bits) - 1) - 1, lo = -hi - 1;
    if (e.size == 8) { hi = 9.2233720368547748e18; lo = -hi; }
    x = x > hi ? hi : x < lo ? lo : x;
    return static_cast<uint64_t>(static_cast<int64_t>(x));
  }
  double hi = std::ldexp(1.0, static_cast<int>(bits)) - 1;
  if (e.size == 8) hi = 1.8446744073709550e19;
  x = x > hi ? hi : x < 0 ? 0 : x;
  return static_cast<uint64_t>(x);
}

}  // namespace

uint16_t bcd_from_mhz(double mhz) {
  int hundredths = static_cast<int>(std::lround((mhz - 100.0) * 100.0));
  if (hundredths < 0) hundredths = 0;
  if (hundredths > 9999) hundredths = 9999;
  return static_cast<uint16_t>((hundredths / 1000) << 12 | (hundredths / 100 % 10) << 8 |
                               (hundredths / 10 % 10) << 4 | hundredths % 10);
}

double mhz_from_bcd(uint16_t w) {
  return 100.0 + 10.0 * (w >> 12 & 15) + (w >> 8 & 15) + (w >> 4 & 15) / 10.0 + (w & 15) / 100.0;
}

uint16_t bcd_from_khz(double khz) {
  int k = static_cast<int>(std::floor(khz + 1e-6));
  if (k < 0) k = 0;
  if (k > 9999) k = 9999;
  return static_cast<uint16_t>((k / 1000) << 12 | (k / 100 % 10) << 8 | (k / 10 % 10) << 4 | k % 10);
}

double khz_from_bcd(uint16_t w) {
  return 1000.0 * (w >> 12 & 15) + 100.0 * (w >> 8 & 15) + 10.0 * (w >> 4 & 15) + (w & 15);
}

uint16_t bcd_from_squawk(int code) {
  if (code < 0 || code > 7777) code = 0;
  return static_cast<uint16_t>((code / 1000) << 12 | (code / 100 % 10) << 8 | (code / 10 % 10) << 4 | code % 10);
}

int squawk_from_bcd(uint16_t w) {
  return 1000 * (w >> 12 & 15) + 100 * (w >> 8 & 15) + 10 * (w >> 4 & 15) + (w & 15);
}

const OffsetEntry* offset_table(size_t* count) {
  *count = table().size();
  return table().data();
}

const OffsetEntry* offset_entry_at(uint32_t offset) {
  for (const OffsetEntry& e : table())
    if (e.offset == offset) return &e;
  return nullptr;
}

void offset_encode(const OffsetEntry& e, const ModelValues& values, uint8_t* space) {
  if (e.encoding == ENC_TEXT) {
    const char* text = values.text[e.quantity];
    size_t n = strnlen(text, TEXT_QUANTITY_SIZE);
    for (uint32_t i = 0; i < e.size; ++i) space[e.offset + i] = i < n ? static_cast<uint8_t>(text[i]) : 0;
    return;
  }
  double v = values.q[e.quantity];
  switch (e.encoding) {
    case ENC_INT: put_le(space, e.offset, integer_raw(e, v, true), e.size); break;
    case ENC_UINT: put_le(space, e.offset, integer_raw(e, v, false), e.size); break;
    case ENC_F64: {
      double d = v * e.factor + e.bias;
      uint64_t raw;
      std::memcpy(&raw, &d, 8);
      put_le(space, e.offset, raw, 8);
      break;
    }
    case ENC_F32: {
      float f = static_cast<float>(v * e.factor + e.bias);
      uint32_t raw;
      std::memcpy(&raw, &f, 4);
      put_le(space, e.offset, raw, 4);
      break;
    }
    case ENC_BCD_FREQ: put_le(space, e.offset, bcd_from_mhz(v), 2); break;
    case ENC_BCD_ADF: put_le(space, e.offset, bcd_from_khz(v), 2); break;
    case ENC_ADF_EXT: {
      double tenths = std::nearbyint((v - std::floor(v + 1e-6)) * 10.0);
      put_le(space, e.offset, static_cast<uint64_t>(tenths < 0 ? 0 : tenths > 9 ? 9 : tenths), 2);
      break;
    }
    case ENC_BCD_SQUAWK: put_le(space, e.offset, bcd_from_squawk(static_cast<int>(v)), 2); break;
    case ENC_TEXT: break;
  }
}

double offset_decode(const OffsetEntry& e, const uint8_t* bytes) {
  uint64_t raw = get_le(bytes, e.size);
  switch (e.encoding) {
    case ENC_INT: {
      int shift = 64 - 8 * e.size;
      int64_t s = static_cast<int64_t>(raw << shift) >> shift;
      return (static_cast<double>(s) - e.bias) / e.factor;
    }
    case ENC_UINT: return (static_cast<double>(raw) - e.bias) / e.factor;
    case ENC_F64: {
      double d;
      std::memcpy(&d, &raw, 8);
      return (d - e.bias) / e.factor;
    }
    case ENC_F32: {
      uint32_t r32 = static_cast<uint32_t>(raw);
      float f;
      std::memcpy(&f, &r32, 4);
      return (static_cast<double>(f) - e.bias) / e.factor;
    }
    case ENC_BCD_FREQ: return mhz_from_bcd(static_cast<uint16_t>(raw));
    case ENC_BCD_ADF: return khz_from_bcd(static_cast<uint16_t>(raw));
    case ENC_ADF_EXT: return (raw & 0xFF) / 10.0;
    case ENC_BCD_SQUAWK: return squawk_from_bcd(static_cast<uint16_t>(raw));
    case ENC_TEXT: return 0;
  }
  return 0;
}

void offset_table_write(const ModelValues& values, uint8_t* space) {
  for (const OffsetEntry& e : table()) offset_encode(e, values, space);
}
