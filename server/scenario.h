#pragma once
// Scenario files: plain text that says where the flight starts, the route,
// the radio aids on the way, a timeline of actions and the traffic. A file is
// parsed completely before anything uses it, so a bad line never leaves a
// half-read scenario behind.
#include <cstdint>
#include <string>

constexpr int SCENARIO_MAX_LINE = 512;
constexpr int SCENARIO_MAX_IDENT = 8;        // identifiers up to 7 characters
constexpr int SCENARIO_MAX_WAYPOINTS = 40;
constexpr int SCENARIO_MAX_NAVAIDS = 48;
constexpr int SCENARIO_MAX_MARKERS = 12;
constexpr int SCENARIO_MAX_EVENTS = 256;
constexpr int SCENARIO_MAX_TRAFFIC = 16;
constexpr int SCENARIO_MAX_LINES = 4000;

enum NavaidKind : uint8_t { NAVAID_VOR, NAVAID_VOR_DME, NAVAID_NDB, NAVAID_ILS };
enum MarkerKind : uint8_t { MARKER_OUTER, MARKER_MIDDLE, MARKER_INNER };

struct ScenarioNavaid {
  char ident[SCENARIO_MAX_IDENT];
  NavaidKind kind;
  double frequency;            // MHz, or kHz for a beacon
  double lat, lon, elevation_ft;
  // Localiser only: antenna position above, course (degrees true), and the
  // glideslope antenna with its angle (angle 0: no glideslope).
  double course_true;
  double gs_lat, gs_lon, gs_angle;
};

struct ScenarioMarker { MarkerKind kind; double lat, lon; };

struct ScenarioRunway {
  char airport[SCENARIO_MAX_IDENT];
  char ident[SCENARIO_MAX_IDENT];
  double lat, lon;             // threshold
  double heading_true;
  double elevation_ft;
  double length_ft;
};

struct ScenarioWaypoint { char ident[SCENARIO_MAX_IDENT]; double lat, lon; };

// Phases of the scripted flight; the model moves through them by itself
// once airborne, the timeline starts the ground ones.
enum FlightPhase : uint8_t {
  PHASE_PARKED, PHASE_TAXI_OUT, PHASE_LINED_UP, PHASE_TAKEOFF, PHASE_CLIMB,
  PHASE_CRUISE, PHASE_DESCENT, PHASE_APPROACH, PHASE_LANDING, PHASE_ROLLOUT,
  PHASE_TAXI_IN, PHASE_SHUTDOWN, PHASE_COUNT
};
const char* phase_name(FlightPhase phase);
bool phase_from_name(const char* name, FlightPhase* phase);

enum EventKind : uint8_t {
  EVENT_SWITCH,     // switch NAME on|off
  EVENT_ENGINE,     // start|stop left|right (value 1 start, 0 stop; index 0 left)
  EVENT_PHASE,      // phase NAME
  EVENT_FAIL,       // fail NAME / restore NAME (value 1 / 0)
  EVENT_CELL,       // cell OFFSET VALUE (whole byte)
  EVENT_CELL_STEP,  // cell OFFSET +N / -N (a knob counter, modulo 256)
  EVENT_PRESS,      // press OFFSET BIT (bit set now, cleared half a second later)
  EVENT_TUNE,       // tune RADIO FREQUENCY (radio index below)
  EVENT_SQUAWK,     // squawk CODE
  EVENT_COURSE,     // course nav1|nav2 DEGREES
  EVENT_HEADING_BUG,// heading-bug DEGREES
  EVENT_BARO,       // baro HPA
  EVENT_NAV_SOURCE, // nav-source gps|nav
};
enum RadioId : uint8_t {
  RADIO_COM1, RADIO_COM1_STANDBY, RADIO_COM2, RADIO_COM2_STANDBY,
  RADIO_NAV1, RADIO_NAV1_STANDBY, RADIO_NAV2, RADIO_NAV2_STANDBY,
  RADIO_ADF1, RADIO_ADF2, RADIO_COUNT
};

struct ScenarioEvent {
  double time_s;          // seconds after the anchor
  int8_t anchor;          // -1: scenario start, else a FlightPhase reached
  EventKind kind;
  uint16_t index;         // switch, engine, failure, radio or cell offset
  double value;
  int line;               // where it was written, for messages
};

struct ScenarioTraffic {
  char ident[SCENARIO_MAX_IDENT];
  double time_s; int8_t anchor;  // when it appears
  bool relative;          // position given from the own aircraft
  double lat, lon;        // absolute position
  double bearing, distance_nm;   // relative: bearing from own track, NM
  double altitude_ft;     // absolute, or difference when relative
  double track;           // degrees true; relative: from own track
  double speed_kt, vs_fpm;
  double lifetime_s;
};

struct Scenario {
  char name[64];
  double start_clock_s;         // local time of day at scenario time 0
  double qnh_hpa, wind_dir_true, wind_speed_kt, sea_level_temp_c;
  double magvar_deg;            // east positive
  double cruise_alt_ft, cruise_ias_kt;
  double fuel_lb[3];            // left, right, centre tank
  char flight_id[13];
  double gate_lat, gate_lon, gate_heading;
  ScenarioRunway departure, arrival;
  bool has_departure, has_arrival, has_gate;
  ScenarioWaypoint route[SCENARIO_MAX_WAYPOINTS]; int route_count;
  ScenarioNavaid navaids[SCENARIO_MAX_NAVAIDS]; int navaid_count;
  ScenarioMarker markers[SCENARIO_MAX_MARKERS]; int marker_count;
  ScenarioEvent events[SCENARIO_MAX_EVENTS]; int event_count;
  ScenarioTraffic traffic[SCENARIO_MAX_TRAFFIC]; int traffic_count;
  double radios[RADIO_COUNT];   // initial tuning (MHz, ADF kHz)
  int squawk;
};

// Switches the timeline may set (EVENT_SWITCH index).
enum SwitchId : uint8_t {
  SWITCH_BATTERY, SWITCH_AVIONICS, SWITCH_PITOT_HEAT, SWITCH_YAW_DAMPER,
  SWITCH_FLIGHT_DIRECTOR, SWITCH_AUTOPILOT, SWITCH_PARKING_BRAKE, SWITCH_BEACON,
  SWITCH_ENGINE_SYNC, SWITCH_DOOR, SWITCH_COUNT
};
const char* switch_name(int id);

// The failures a scenario or cockpit_ctl can inject.
enum FailureId : uint8_t {
  FAIL_ATTITUDE, FAIL_HEADING, FAIL_AIR_DATA, FAIL_LEFT_ENGINE, FAIL_RIGHT_ENGINE,
  FAIL_HYDRAULICS, FAIL_ELECTRICAL, FAIL_LEFT_GENERATOR, FAIL_RIGHT_GENERATOR,
  FAIL_ENGINE_FIRE, FAIL_GPS, FAIL_NAV1, FAIL_NAV2, FAIL_COUNT
};
const char* failure_name(int id);
bool failure_from_name(const char* name, int* id);

struct ScenarioError { std::string file; int line; std::string message; };
// "file:line: message"
std::string scenario_error_text(const ScenarioError& error);

// Parses text; `file` names it in errors. The scenario is written only on
// success (defaults first, then every line).
bool scenario_parse_text(const char* text, size_t length, const char* file,
                         Scenario* out, ScenarioError* error);
bool scenario_load_file(const char* path, Scenario* out, ScenarioError* error);
void scenario_defaults(Scenario* scenario);
// The default flight (KSEA to KPDX), compiled in, and its file name for messages.
const char* scenario_default_text();
const char* scenario_default_name();
