#pragma once
// Conversion of the raw simulator values into engineering units, and the
// small numeric helpers every PFD instrument shares.
#include <cstdint>

#include "pfd/pfd_state.h"

// Constants of the conversions, kept exactly as the instruments were tuned.
constexpr double PITCH_BANK_SCALE = 8.319e-8;        // not 360 / 2^32
constexpr double HEADING_SCALE = 8.381e-8;
constexpr double GROUND_SPEED_SCALE = 2.9661e-05;
constexpr double MACH_SCALE = 20480.0;
constexpr double SELECTED_ALTITUDE_FEET_PER_METRE = 3.28084;
constexpr double GROUND_ELEVATION_SCALE = 0.01281578125;
constexpr double RADIO_ALTITUDE_FEET_PER_METRE = 3.28084;
constexpr double RADIO_ALTITUDE_OFFSET = 3.0;
constexpr double GPS_ALTITUDE_FEET_PER_METRE = 3.281;
constexpr double VERTICAL_SPEED_SCALE = 0.768946875;
constexpr double BARO_INCHES_DIVISOR = 5.417411;     // not 16 * 33.8639 / 100
constexpr double GPS_DISTANCE_SCALE = 0.000539956803;
constexpr double GPS_TRACK_SCALE = 57.29;
constexpr double GPS_CROSS_TRACK_SCALE = 0.0005399827521510438;
constexpr double GPS_CROSS_TRACK_LIMIT = 5.0;
constexpr double LATITUDE_DIVISOR = 10001750.0 * 65536.0 * 65536.0;
constexpr double LONGITUDE_DIVISOR = 18446744073709551616.0;  // 2^64
constexpr double IAS_MIN = 40.0, IAS_MAX = 500.0;
constexpr double FD_BANK_LIMIT = 90.0;
constexpr double ACCELERATION_MIN_RAW_IAS = 5.0;      // knots

// Navigation flags of 0x3300.
constexpr uint16_t NAV_FLAG_NAV1_SIGNAL = 1u << 1;
constexpr uint16_t NAV_FLAG_NAV2_SIGNAL = 1u << 2;
constexpr uint16_t NAV_FLAG_ADF1_SIGNAL = 1u << 3;
constexpr uint16_t NAV_FLAG_NAV1_DME = 1u << 4;
constexpr uint16_t NAV_FLAG_NAV2_DME = 1u << 5;
constexpr uint16_t NAV_FLAG_NAV1_LOCALISER = 1u << 6;
constexpr uint16_t NAV_FLAG_ADF2_SIGNAL = 1u << 11;
constexpr uint16_t NAV_FLAG_NAV2_LOCALISER = 1u << 12;

// Adds 0.1 (subtracts for a negative value) and truncates toward zero.
int32_t nudged_int(double value);
// (The signed-angle helper is declared with the heading logic.)
// Into -180..180 by removing 2 pi once, twice or three times (pi = 3.14159).
double normalise_angle(double degrees);
// The angle of a 16-bit simulator angle (x 360 / 65536).
double angle16(double raw);

// Recomputes every derived quantity from raw values and the configuration:
// convert_main_batch() and convert_speed_data() together.
void convert_raw(const PfdRaw& raw, const AircraftConfig& config, PfdDerived* out);
// What the main read batch brings, converted right after it.
void convert_main_batch(const PfdRaw& raw, const AircraftConfig& config, PfdDerived* out);
// What the speed data exchange brings (true airspeed, outside temperature),
// converted right after it.
void convert_speed_data(const PfdRaw& raw, PfdDerived* out);
// Copies a 6-byte simulator text field into a terminated 7-byte buffer.
void copy_sim_text(const char (&field)[SIM_TEXT_FIELD], char (&out)[SIM_TEXT_FIELD + 1]);
