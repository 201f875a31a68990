#pragma once
// The display unit's simulator variables.
//
// MfdRaw holds every value of the main read batch exactly as the link
// delivers it (width and signedness of the offset), in batch order, plus the
// inter-unit cells read outside that batch. MfdValues holds what is derived
// from it, recomputed from MfdRaw by mfd_convert_values() every frame: a
// failed batch leaves the raw values as they were, so converting again gives
// the same result instead of dividing an already divided value.
//
// Reads: the main batch (mfd_exchange.cpp, ~84 requests), the reversion cell,
// the alert cell. Writes: the alert cell, only when this unit changed it.
#include <cstdint>

constexpr int MFD_SIM_TEXT_FIELD = 6;  // 6-byte simulator identifiers

// Values exactly as the simulator delivers them, in main-batch order.
struct MfdRaw {
  uint16_t autopilot_heading_setting;  // 0x07CC, x 65536 / 360 (read twice in the batch)
  int32_t left_tank_capacity;          // 0x0B80, US gallons
  int32_t right_tank_capacity;         // 0x0B98
  int32_t fuselage_tank_capacity;      // 0x0B78
  int32_t left_tank_level;             // 0x0B7C, % x 8388608 / 100
  int32_t right_tank_level;            // 0x0B94
  int32_t fuselage_tank_level;         // 0x0B74
  int16_t fuel_weight;                 // 0x0AF4, pounds per gallon x 256
  int16_t right_oil_temperature;       // 0x0950, deg C x 16384 / 140
  int16_t left_oil_temperature;        // 0x08B8
  double left_oil_pressure;            // 0x3B60, pounds per square foot
  double right_oil_pressure;           // 0x3AA0
  double left_fuel_flow;               // 0x2060, pounds per hour
  double right_fuel_flow;              // 0x2160
  int32_t left_spoiler_position;       // 0x0BD4, 0..16383
  int32_t right_spoiler_position;      // 0x0BD8
  int32_t flap_position;               // 0x0BE4, 0..16383
  int32_t flap_control;                // 0x0BDC
  double elevator_trim;                // 0x2EA0, radians
  double aileron_trim;                 // 0x2EB0, radians
  double rudder_trim;                  // 0x2EC0, radians
  double left_bus_voltage;             // 0x2880, volts
  double right_bus_voltage;            // 0x2890
  double left_generator_current;       // 0x2888, amperes
  double right_generator_current;      // 0x2898
  double emergency_bus_voltage;        // 0x2870 (read, no page shows it)
  int32_t left_hydraulic_pressure;     // 0x08D8, psi x 4
  int32_t right_hydraulic_pressure;    // 0x0970
  int32_t vertical_speed;              // 0x02C8
  int32_t indicated_altitude;          // 0x3324, feet
  int16_t magnetic_variation;          // 0x02A0, x 65536 / 360, west negative
  int32_t ground_speed;                // 0x02B4
  int32_t indicated_airspeed;          // 0x02BC, knots x 128
  int32_t true_airspeed;               // 0x02B8, knots x 128
  double air_temperature;              // 0x28D0, deg F
  uint16_t wind_value_a;               // 0x0E92, wind direction x 65536 / 360
  uint16_t wind_value_b;               // 0x0E90, wind speed, knots
  uint32_t heading;                    // 0x0580, true, x 2^32 / 360
  char navigation_ident[MFD_SIM_TEXT_FIELD];  // 0x3000, not terminated when full
  int32_t battery_switch;              // 0x281C, nonzero = displays powered
  int32_t avionics_switch;             // 0x2E80, nonzero = map drawn
  int64_t latitude;                    // 0x0560
  int64_t longitude;                   // 0x0568
  int16_t left_n1;                     // 0x0898, % x 16384 / 100
  int16_t right_n1;                    // 0x0930
  int16_t left_n2;                     // 0x0896
  int16_t right_n2;                    // 0x092E
  double left_itt;                     // 0x2038, degrees Rankine
  double right_itt;                    // 0x2138
  int16_t outside_air_temperature;     // 0x0E8C, deg C x 256
  double gps_distance;                 // 0x6048, metres
  int32_t gps_arrival_time;            // 0x60E8, seconds of the day
  uint8_t clock_hour;                  // 0x0238
  uint8_t clock_minute;                // 0x0239
  uint8_t clock_second;                // 0x023A
  double gps_value_c;                  // 0x6050
  double gps_value_d;                  // 0x6058
  char gps_next_waypoint[MFD_SIM_TEXT_FIELD];  // 0x60A4, not terminated when full
  double gps_value_e;                  // 0x60F4
  uint16_t radio_flags;                // 0x3300
  uint16_t navigation_value;           // 0x0300
  uint16_t sync_flags;                 // 0x330C, bit 4 "SYNC"
  int32_t spoiler_control;             // 0x0BD0
  uint8_t knob_counter;                // this display's knob cell
  uint8_t soft_key_bits;               // this display's soft-key cell
  uint8_t brightness;                  // this display's dimming cell
  uint8_t engine_fire_flags;           // 0x3366
  int16_t parking_brake;               // 0x0BC8
  int32_t gear_control;                // 0x0BE8, nonzero = handle down
  double left_engine_value;            // 0x207C (read, no page shows it)
  double right_engine_value;           // 0x217C
  int32_t spoiler_arm;                 // 0x0BCC
  int16_t on_ground;                   // 0x0366
  uint8_t door_flags;                  // 0x3367
  int16_t left_thrust_lever;           // 0x088C, % x 16384 / 100, negative = reverse
  int16_t right_thrust_lever;          // 0x0924
  uint32_t left_fuel_pressure;         // 0x08F8, psi
  uint32_t right_fuel_pressure;        // 0x0990
  double left_engine_combustion;       // 0x3AF0, exactly 0 = shut down
  double right_engine_combustion;      // 0x3A30
  int16_t left_starter_switch;         // 0x0892, 1 = start
  int16_t right_starter_switch;        // 0x092A
  uint8_t pitot_heat_switch;           // 0x029C
  uint8_t du3_companion;               // 0x73D1, read by a DU3 unit only, not used

  // Cells read outside the main batch.
  uint8_t reversion_cell;              // 0x73FB as last read
  uint8_t alert_cell;                  // 0x73D5 as it stands after this unit's exchange
};

// Limits of the aircraft (accfg.ini) the conversions use; zero members take
// the defaults below.
struct MfdLimits {
  int32_t max_flaps;      // degrees at full deflection
  int32_t max_spoilers;   // degrees at full deflection
  int32_t max_fuel;       // initial fuel, pounds
};
constexpr int32_t MFD_DEFAULT_MAX_FLAPS = 40;
constexpr int32_t MFD_DEFAULT_MAX_SPOILERS = 60;
constexpr int32_t MFD_DEFAULT_MAX_FUEL = 6062;

// Engineering values recomputed from MfdRaw every frame. All formulas are
// evaluated in double and turned into whole numbers once, at the end.
struct MfdValues {
  // Fuel figures.
  double fuel_weight_per_gallon;       // pounds
  int32_t left_tank_capacity_lb;       // truncated
  int32_t right_tank_capacity_lb;
  int32_t fuselage_tank_capacity_lb;
  double left_tank_fraction;           // 0..1
  double right_tank_fraction;
  double fuselage_tank_fraction;
  double left_tank_lb;                 // cautions at 330 or less
  double right_tank_lb;
  double fuselage_tank_lb;
  int32_t total_fuel_lb;               // truncated
  int32_t initial_fuel_lb;             // MAX_FUEL
  int32_t fuel_used_lb;                // initial - total
  // Engines.
  double left_oil_temperature, right_oil_temperature;  // deg C
  double left_oil_pressure, right_oil_pressure;        // psi
  double left_n1, right_n1, left_n2, right_n2;         // %
  double left_itt, right_itt;                          // deg C
  double left_thrust_lever, right_thrust_lever;        // %, negative = reverse
  bool left_engine_shut_down, right_engine_shut_down;  // combustion value exactly 0
  // Hydraulics, surfaces and trims.
  double left_hydraulic_pressure, right_hydraulic_pressure;  // psi
  int32_t left_spoiler_angle, right_spoiler_angle;           // degrees
  int32_t flap_angle;                                        // degrees
  double pitch_trim;                   // 0.6667 x elevator trim in degrees
  double aileron_trim, rudder_trim;    // degrees
  // Air data and navigation.
  double indicated_altitude;           // feet
  double ground_speed;                 // knots
  double indicated_airspeed;           // knots
  int32_t true_airspeed;               // whole knots, truncated
  double air_temperature;              // deg C (static air temperature)
  double outside_air_temperature;      // deg C
  double magnetic_variation;           // degrees
  double true_heading;                 // degrees
  double magnetic_heading;             // degrees, 0 <= H < 360
  int32_t heading_bug;                 // degrees, rounded half away from zero
  double wind_direction;               // degrees
  int32_t wind_speed;                  // knots
  double latitude, longitude;          // degrees
  double gps_distance_nm;              // nautical miles
  bool on_ground;
  // Flags of 0x3300, each 0 or 1.
  int32_t radio_flag_bit1, radio_flag_bit4;
  bool sync;                           // bit 4 of 0x330C
  // Simulator text fields, always terminated.
  char navigation_ident[MFD_SIM_TEXT_FIELD + 1];
  char gps_next_waypoint[MFD_SIM_TEXT_FIELD + 1];
};
