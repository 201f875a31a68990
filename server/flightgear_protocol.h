#pragma once
// The generic-protocol stream FlightGear sends (server/flightgear/korvu.xml):
// one text line per frame, its fields separated by commas in the order of the
// protocol file's output chunks, and the line of settings sent back to it.
#include <cstddef>
#include <cstdint>

// One field per output chunk, in the protocol file's order.
enum FgField : uint16_t {
  F_UTC_DAY_SECONDS,
  F_UTC_MINUTE,
  F_UTC_SECOND,
  F_LATITUDE,
  F_LONGITUDE,
  F_ALTITUDE,
  F_GROUND_ELEV,
  F_ALTITUDE_AGL,
  F_PITCH,
  F_ROLL,
  F_HEADING,
  F_MAGVAR,
  F_IAS,
  F_TAS,
  F_GROUND_SPEED,
  F_VERTICAL_SPEED,
  F_MACH,
  F_INDICATED_ALT,
  F_BARO_INHG,
  F_OAT,
  F_WIND_FROM,
  F_WIND_SPEED,
  F_PRESSURE_INHG,
  F_DENSITY,
  F_ON_GROUND,
  F_GEAR_DOWN,
  F_PARKING_BRAKE,
  F_FLAP_POSITION,
  F_FLAP_CONTROL,
  F_SPOILER_POSITION,
  F_SPOILER_CONTROL,
  F_ELEVATOR_TRIM,
  F_AILERON_TRIM,
  F_RUDDER_TRIM,
  F_STALL_WARNING,
  F_RUNNING_0,
  F_CRANKING_0,
  F_N1_0,
  F_N2_0,
  F_EGT_0,
  F_FUEL_FLOW_0,
  F_OIL_TEMP_0,
  F_OIL_PRESS_0,
  F_THRUST_0,
  F_THROTTLE_0,
  F_RPM_0,
  F_FUEL_FLOW_GPH_0,
  F_RUNNING_1,
  F_CRANKING_1,
  F_N1_1,
  F_N2_1,
  F_EGT_1,
  F_FUEL_FLOW_1,
  F_OIL_TEMP_1,
  F_OIL_PRESS_1,
  F_THRUST_1,
  F_THROTTLE_1,
  F_RPM_1,
  F_FUEL_FLOW_GPH_1,
  F_TANK_LEVEL_0,
  F_TANK_CAPACITY_0,
  F_TANK_LEVEL_1,
  F_TANK_CAPACITY_1,
  F_TANK_LEVEL_2,
  F_TANK_CAPACITY_2,
  F_FUEL_DENSITY,
  F_BATTERY,
  F_AVIONICS,
  F_MASTER_BATTERY,
  F_MASTER_AVIONICS,
  F_BUS_VOLTS,
  F_BUS_AMPS,
  F_PITOT_HEAT,
  F_AP_HEADING_LOCK,
  F_AP_ALTITUDE_LOCK,
  F_AP_SPEED_LOCK,
  F_AP_HEADING_BUG,
  F_AP_TARGET_ALT,
  F_AP_TARGET_SPEED,
  F_AP_TARGET_MACH,
  F_AP_TARGET_VS,
  F_COM1,
  F_COM1_STANDBY,
  F_COM2,
  F_COM2_STANDBY,
  F_NAV1,
  F_NAV1_STANDBY,
  F_NAV2,
  F_NAV2_STANDBY,
  F_ADF_FREQ,
  F_SQUAWK,
  F_XPDR_KNOB,
  F_XPDR_IDENT,
  F_NAV_ID_0,
  F_NAV_IN_RANGE_0,
  F_NAV_LOC_0,
  F_NAV_HAS_GS_0,
  F_NAV_GS_IN_RANGE_0,
  F_NAV_DME_IN_RANGE_0,
  F_NAV_DISTANCE_0,
  F_NAV_COURSE_0,
  F_NAV_RADIAL_0,
  F_NAV_CDI_0,
  F_NAV_GS_0,
  F_NAV_TO_0,
  F_NAV_FROM_0,
  F_NAV_BEARING_0,
  F_NAV_ID_1,
  F_NAV_IN_RANGE_1,
  F_NAV_LOC_1,
  F_NAV_HAS_GS_1,
  F_NAV_GS_IN_RANGE_1,
  F_NAV_DME_IN_RANGE_1,
  F_NAV_DISTANCE_1,
  F_NAV_COURSE_1,
  F_NAV_RADIAL_1,
  F_NAV_CDI_1,
  F_NAV_GS_1,
  F_NAV_TO_1,
  F_NAV_FROM_1,
  F_NAV_BEARING_1,
  F_NAV_GPS,
  F_ADF_BEARING,
  F_ADF_IN_RANGE,
  F_ADF_ID,
  F_MARKER_INNER,
  F_MARKER_MIDDLE,
  F_MARKER_OUTER,
  F_GPS_WP_ID,
  F_GPS_WP_DISTANCE,
  F_GPS_WP_BEARING,
  F_GPS_WP_COURSE,
  F_GPS_WP_XTRACK,
  F_CALLSIGN,
  F_AI_VALID_0,
  F_AI_LAT_0,
  F_AI_LON_0,
  F_AI_ALT_0,
  F_AI_VS_0,
  F_AI_VALID_1,
  F_AI_LAT_1,
  F_AI_LON_1,
  F_AI_ALT_1,
  F_AI_VS_1,
  F_AI_VALID_2,
  F_AI_LAT_2,
  F_AI_LON_2,
  F_AI_ALT_2,
  F_AI_VS_2,
  F_AI_VALID_3,
  F_AI_LAT_3,
  F_AI_LON_3,
  F_AI_ALT_3,
  F_AI_VS_3,
  F_COUNT
};enum FgType : uint8_t { FG_NUMBER, FG_BOOL, FG_INT, FG_TEXT };

struct FgFieldInfo {
  const char* node;      // the FlightGear property
  FgType type;
  double low, high;      // the accepted range of a number
};
const FgFieldInfo& fg_field(int field);

constexpr size_t FG_MAX_PACKET = 4096;   // longer than any line of the protocol
constexpr size_t FG_TEXT_SIZE = 16;      // idents and the callsign, longer ones cut

struct FgPacket {
  double value[F_COUNT];                 // texts are 0
  char text[F_COUNT][FG_TEXT_SIZE];      // empty for numbers
};

// Parses one line (a trailing line feed or CR LF is allowed). False, with
// `packet` left as it was, for anything out of shape: wrong field count, a
// number that is not finite or out of its range, a control byte, a squawk
// that is not four octal digits. `bad_field`, when given, names the field
// that was refused (F_COUNT for a line of the wrong length or field count).
bool fg_parse_packet(const char* data, size_t size, FgPacket* packet, int* bad_field = nullptr);

// The settings the cockpit writes back, all in one line so that a single
// change never resets the others in FlightGear.
struct FgSettings {
  double baro_inhg;
  double com[2], com_standby[2];   // MHz
  double nav[2], nav_standby[2];   // MHz
  double adf_khz;
  double course[2];                // degrees
  int squawk;                      // octal digits read as decimal (7700)
  bool nav_gps;                    // the NAV/GPS switch on GPS
};
// The input line, with its line feed; its length, or 0 if it did not fit.
size_t fg_format_settings(const FgSettings& settings, char* out, size_t size);
