#pragma once
// The primary flight display's one state record. Raw simulator values keep
// the exact width and signedness of their offsets; converted values live in
// separate members and are recomputed from the raw ones every frame, so a
// failed exchange never applies a conversion twice.
#include <cstdint>

#include "framework/overlay_quads.h"
#include "framework/unit_common.h"
#include "simlink/cells.h"

constexpr int PFD_PATH_CAPACITY = 200;     // 199 characters + terminator
constexpr int PFD_PLAN_CAPACITY = 100;     // waypoints of the active plan
constexpr int PFD_IDENT_CAPACITY = 20;     // 19 characters + terminator
constexpr int SIM_TEXT_FIELD = 6;          // 6-byte simulator identifiers

// Values exactly as the simulator delivers them.
struct PfdRaw {
  // Main read batch.
  int32_t pitch;                 // 0x0578
  int32_t bank;                  // 0x057C
  double fd_pitch;               // 0x2EE8
  double fd_bank;                // 0x2EF0
  uint32_t yaw_damper;           // 0x0808
  uint32_t autopilot_master;     // 0x07BC
  uint32_t fd_active;            // 0x2EE0
  uint32_t altitude_hold;        // 0x07D0
  float glideslope_deviation;    // 0x2AB0
  uint8_t glideslope_alive;      // 0x0C4C
  uint16_t marker_inner;         // 0x0BAC
  uint16_t marker_middle;        // 0x0BAE
  uint16_t marker_outer;         // 0x0BB0
  uint16_t baro;                 // 0x0330, hPa x 16
  int32_t indicated_altitude;    // 0x3324, feet
  int32_t ground_elevation;      // 0x0020, metres x 256
  double gps_altitude;           // 0x6020, metres
  uint32_t radio_altitude;       // 0x31E4, metres x 65536
  int64_t altitude_unused;       // 0x0570 (read, unused)
  uint32_t selected_altitude;    // 0x07D4, metres x 65536
  uint16_t unused_0c18;          // 0x0C18 (read, unused)
  int16_t adf1_bearing;          // 0x0C6A, x 360/65536, relative
  char adf_ident[SIM_TEXT_FIELD];   // 0x303E
  int16_t adf2_bearing;          // 0x02D8
  char vor1_ident[SIM_TEXT_FIELD];  // 0x3000
  char vor2_ident[SIM_TEXT_FIELD];  // 0x301F
  char unused_0c29[5];           // 0x0C29 (read, unused)
  char unused_0c33[5];           // 0x0C33 (read, unused)
  uint16_t nav1_radial;          // 0x0C50
  uint16_t nav2_radial;          // 0x0C60
  uint8_t unused_0c4a;           // 0x0C4A (read, unused)
  uint8_t unused_0c5a;           // 0x0C5A (read, unused)
  uint16_t dme1_distance;        // 0x0300, tenths of a nautical mile
  uint16_t dme2_distance;        // 0x0306
  uint32_t heading;              // 0x0580
  int16_t magnetic_variation;    // 0x02A0, signed (west negative)
  uint16_t nav_flags;            // 0x3300
  uint16_t nav1_course;          // 0x0C4E, whole degrees
  uint16_t nav2_course;          // 0x0C5E
  float nav1_deviation;          // 0x2AAC
  uint16_t heading_bug;          // 0x07CC
  uint32_t heading_hold;         // 0x07C8
  uint32_t approach_hold;        // 0x0800
  uint16_t wind_direction;       // 0x0E92
  uint16_t wind_speed;           // 0x0E90, knots
  uint32_t nav_gps_switch;       // 0x132C
  uint32_t nav_hold;             // 0x07C4
  uint32_t flaps;                // 0x0BE4, 0..16383
  float nav2_deviation;          // 0x2AB4
  double gps_cross_track;        // 0x6058, metres
  uint32_t battery_master;       // 0x281C
  uint32_t avionics_master;      // 0x2E80
  int64_t latitude;              // 0x0560
  int64_t longitude;             // 0x0568
  uint8_t tcas_flags;            // 0x73D6 (bit 1: NAV/GPS coupling)
  uint32_t ground_speed;         // 0x02B4, m/s x 65536
  int32_t ias;                   // 0x02BC, knots x 128
  uint16_t mach;                 // 0x11C6, x 20480
  uint32_t airspeed_hold;        // 0x07DC
  uint16_t airspeed_target;      // 0x07E2, knots
  uint8_t unused_036d;           // 0x036D (read, unused)
  uint8_t unused_036c;           // 0x036C (read, unused)
  uint32_t mach_target;          // 0x07E8, x 65536
  double acceleration;           // 0x3070, ft/s^2 longitudinal
  uint32_t mach_hold;            // 0x07E4
  uint16_t on_ground;            // 0x0366
  int32_t vertical_speed;        // 0x02C8
  int16_t vertical_speed_target; // 0x07F2, feet per minute
  uint8_t knob_counter;          // side's minimums knob step counter
  uint8_t efis_mode;             // side's EFIS mode byte
  uint8_t efis_companion;        // side's companion byte (read, unused)
  double gps_distance;           // 0x6048, metres
  double gps_bearing;            // 0x6050, radians
  char gps_waypoint[SIM_TEXT_FIELD];  // 0x60A4
  double unused_60f4;            // 0x60F4 (read, unused)
  uint8_t nav1_to_from;          // 0x0C4B: 0 none, 1 TO, 2 FROM
  uint8_t nav2_to_from;          // 0x0C5B
  uint8_t dimming;               // side's dimming byte

  // Speed data, exchanged just before the speed tape.
  double unused_28c8;            // 0x28C8
  double unused_28c0;            // 0x28C0
  int32_t tas;                   // 0x02B8, knots x 128
  int16_t outside_temperature;   // 0x0E8C, deg C x 256

  // Inter-unit cells read outside the main batch.
  uint8_t alert_cell;            // 0x73D5 as last read
  uint8_t bearing1_source;       // side's bearing pointer 1 source
  uint8_t bearing2_source;       // side's bearing pointer 2 source
};

// Engineering values recomputed from PfdRaw every frame.
struct PfdDerived {
  double pitch, bank;            // degrees, up / right positive
  double fd_pitch, fd_bank;      // degrees
  double magnetic_variation;     // degrees
  double heading;                // magnetic, 0..360
  float ias;                     // knots, clamped 40..500
  int32_t tas;                   // knots, truncated
  int32_t ground_speed;          // knots, truncated
  double mach;
  double mach_target;
  int32_t flap_angle;            // degrees
  double oat_rankine;
  double indicated_altitude;     // feet
  float selected_altitude;       // feet
  double ground_elevation;       // feet
  float radio_altitude;          // feet, 0 on the ground
  double gps_altitude;           // feet
  double height_above_ground;    // feet
  double vertical_speed;         // feet per minute
  int32_t vertical_speed_target; // feet per minute, 0 without altitude hold
  float baro_inches;
  int32_t baro_hpa;
  double nav1_radial, nav2_radial;      // degrees
  double adf1_bearing, adf2_bearing;    // degrees, relative
  int32_t heading_bug;           // degrees
  double wind_direction;         // degrees
  double gps_distance;           // nautical miles
  double gps_desired_track;      // degrees
  double gps_cross_track;        // nautical miles, clamped +-5
  double latitude, longitude;    // degrees
  double acceleration;           // ft/s^2, 0 below 5 knots raw IAS
  bool on_ground;
  // Simulator text fields, always terminated.
  char vor1_ident[SIM_TEXT_FIELD + 1];
  char vor2_ident[SIM_TEXT_FIELD + 1];
  char adf_ident[SIM_TEXT_FIELD + 1];
  char gps_waypoint[SIM_TEXT_FIELD + 1];
  // Navigation flags of 0x3300.
  bool nav1_signal, nav2_signal, adf1_signal, adf2_signal;
  bool nav1_dme, nav2_dme, nav1_localiser, nav2_localiser;
  // EFIS mode byte.
  bool baro_hpa_shown;           // bit 0
  bool arc_compass;              // bit 2
  int course_source;             // COURSE_SOURCE_*
};

enum CourseSource { COURSE_SOURCE_NAV2 = 0, COURSE_SOURCE_NAV1 = 1, COURSE_SOURCE_FMS = 2 };

// "PFD.ini" values beyond the window geometry kept in UnitCommon.
struct PfdSettings {
  int32_t side;                               // 0 captain, 1 first officer
  char du2_path[PFD_PATH_CAPACITY];
  char du3_path[PFD_PATH_CAPACITY];
};

struct PlanWaypoint {
  float latitude, longitude;                  // degrees
  char ident[PFD_IDENT_CAPACITY];
  double distance, bearing;                   // for the map
};

// Values from the aircraft configuration file, in file order.
struct AircraftConfig {
  int32_t v1, vr, v2;
  int32_t max_flaps;
  int32_t vmin;
  int32_t flap_placard_8, flap_placard_20, flap_placard_40;
  float vmo, mmo;
  int32_t max_spoiler;
  int32_t min_runway;                         // read and discarded
  int32_t max_fuel;
  PlanWaypoint plan[PFD_PLAN_CAPACITY];
  int32_t plan_length;
};

// The side's cells and choices.
struct PfdSide {
  uint32_t efis_mode_cell, companion_cell, knob_cell, dimming_cell;
  uint32_t bearing1_cell, bearing2_cell;
  uint8_t reload_bit;
  const char* title;
};

// Frame-to-frame state of the airspeed tape.
struct SpeedTapeState {
  double trend_speed;
  bool trend_valid;              // trend_speed computed airborne since the last ground contact
  double trend_mach;             // Mach of the trend speed
  double trend_mach_low;         // trend Mach (low side)
  double flap_limited_speed;
  double max_mach_effective;     // persists; the Mach limit uses last frame's
  double mach_limit_ias;
  double max_allowable_speed;
  double vmin_mach;
  double flap_limited_mach;      // Mach tape's high-speed limit
  bool mach_tape;
};

// Minimums and barometric controls.
enum MinimumsMode { MINIMUMS_OFF = 1, MINIMUMS_RA = 2, MINIMUMS_BARO = 3 };
enum ButtonRequest { BUTTON_NEXT_MINIMUMS = 0, BUTTON_STANDARD_BARO = 1, BUTTON_NONE = 2 };
struct MinimumsState {
  int32_t mode;                  // MinimumsMode, initially 1
  int32_t ra_minimums;           // feet, initially 200
  int32_t baro_minimums;         // feet, initially 200
  int32_t button_request;        // ButtonRequest, initially 2
  bool minimums_step_down, minimums_step_up;
  bool baro_step_down, baro_step_up;
  uint8_t bit6_history;
  uint8_t ra_passed, ra_passed_previous;
  uint8_t baro_passed, baro_passed_previous;
};

struct Annunciator {
  const char* text;
  float normal[3], engage_flash[3], disengage_flash[3];
  float scale, x, y;
  int32_t flash_limit;
  uint8_t engage_flash_on, disengage_flash_on;
  uint8_t visible;
  int32_t flash_count;
  uint8_t engaged_last;
};

struct PfdState {
  UnitCommon common;
  PfdSettings settings;
  PfdSide side;
  AircraftConfig config;
  PfdRaw raw;
  PfdDerived value;

  // Half-second tick.
  int64_t tick, previous_tick;
  bool tick_changed;

  // Power and dimming.
  bool powered;                  // battery master seen on last frame
  bool fading;
  float dim_alpha;

  // The minimums knob counter, seeded from the first successful read.
  CounterReader knob_reader;

  SpeedTapeState speed;
  MinimumsState minimums;
  Annunciator ap, yd;

  // The bezel texture's transparent screen opening, left undrawn.
  OverlayOpening bezel_opening;
  TextureTiles screen_tiles;  // the screen background by blocks, planned once its texture is made

  // Display lists made at start (waypoint star, unit square).
  uint32_t star_list, square_list;
};

extern PfdState g_pfd;

// The values in place before the settings file is read: the start-up client
// size, bezel shown, both masters on (zeros on a live screen until the first
// exchange), the power-up fade pending and the minimums at their start.
void pfd_state_start_values();
