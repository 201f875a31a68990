#pragma once
// The stand-in aircraft: a small kinematic model of a twin business jet with
// the systems the cockpit units show. It flies the scenario it was given,
// publishes every quantity through the offset table, and reacts to what the
// units write (barometric setting, radios, transponder, course, NAV/GPS).
#include <cstddef>
#include <cstdint>
#include <string>

#include "server/offset_table.h"
#include "server/scenario.h"
#include "server/traffic.h"

struct Engine {
  bool fuel_on;          // fuel valve open (running or starting)
  bool starter;          // starter engaged
  bool lit;              // combustion established
  double lever;          // thrust lever 0..1, negative = reverse
  double n1, n2;         // percent
  double itt_c, fuel_flow_pph, oil_temp_c, oil_psi, fuel_psi;
};

struct StationDatabase;  // server/navdata_stations.h

struct Radios {
  double com[2], com_standby[2];       // MHz
  double nav[2], nav_standby[2];       // MHz
  double adf_khz[2];
  int squawk;                           // four octal digits read as decimal
  int xpdr_standby;                     // 0 on, 1 standby
  int ident;
  int course[2];                        // NAV1/NAV2 course, degrees
  int nav_gps;                          // 0 NAV, 1 GPS (any nonzero write)
  double baro_hpa;                      // the altimeter setting
};

struct Autopilot {
  bool master, yaw_damper, flight_director;
  bool hdg_hold, nav_hold, app_hold, alt_hold, ias_hold, mach_hold;
  double heading_bug;     // degrees magnetic
  double selected_alt_ft;
  double ias_target, mach_target, vs_target;
};

// Receiver outputs, recomputed every step.
struct NavReceiver {
  bool signal, dme, localiser, glideslope;
  double radial_mag;      // from the station, degrees magnetic
  double relative_brg;    // station bearing relative to the nose, degrees
  double distance_nm;
  double deviation;       // needle units, +-127, positive: course to the right
  double gs_deviation;    // needle units, +-127, positive: above the path
  int to_from;            // 0 none, 1 TO, 2 FROM
  char ident[8];
};

// A timeline button press: held for a number of model steps (of the server's
// 100 Hz wall-clock loop), so that a unit sees it at any time scale.
struct PendingPress { uint16_t cell; uint8_t bit; int steps_left; };
constexpr int MAX_PENDING_PRESSES = 8;

struct Aircraft {
  Scenario scenario;
  double time_s;                 // scenario time
  FlightPhase phase;
  double phase_started_s[PHASE_COUNT];   // -1 until reached
  bool event_done[SCENARIO_MAX_EVENTS];

  // Position and motion.
  double lat, lon;               // degrees
  double alt_ft;                 // true altitude above sea level
  double heading_true, track_true;
  double pitch, bank;            // degrees, nose up / right wing down positive
  double ias_kt, tas_kt, gs_kt, vs_fpm, accel_fps2;
  double fpa_deg;                // flight path angle
  bool on_ground;

  // Airframe and systems.
  double flaps, flap_command;    // 0..1 of the 40-degree travel
  double gear, gear_command;     // 0 up .. 1 down
  double spoilers;               // 0..1
  bool spoiler_arm;
  bool parking_brake;
  bool switches[SWITCH_COUNT];
  double fuel_lb[3];             // left, right, centre
  double fuel_used_lb;
  double elevator_trim_rad, aileron_trim_rad, rudder_trim_rad;
  double hyd_psi[2];
  Engine engine[2];
  Radios radios;
  Autopilot ap;
  bool failed[FAIL_COUNT];

  // Guidance.
  int active_leg;                // route point flown to (0 = departure runway)
  bool loc_captured, gs_captured;
  double taxi_target_lat, taxi_target_lon;
  double at_trim;                // autothrottle lever trim
  double vs_integral;            // speed-on-pitch integrator, ft/min
  double climb_lever;            // thrust lever while climbing on pitch
  double bank_command, pitch_command;
  double path_alt_ft;            // the approach path at the aircraft's distance
  double distance_to_go_nm;      // along the route to the arrival runway

  NavReceiver nav[2];
  NavReceiver adf[2];
  bool marker[3];

  Traffic traffic;
  PendingPress presses[MAX_PENDING_PRESSES];

  // Frozen values shown while a sensor has failed.
  double frozen_pitch, frozen_bank, frozen_heading, frozen_ias, frozen_alt;

  ModelValues values;            // the last published quantities

  // Stations of the navigation database the receivers also find (may be
  // null); owned by the caller, set again after every aircraft_init.
  const StationDatabase* stations;
};

// Sets the aircraft at the scenario's gate, cold and dark (no stations).
void aircraft_init(Aircraft* aircraft, const Scenario* scenario);
// Advances by dt seconds of scenario time and writes every offset of the
// table (and any timeline cell writes) into `space`. Call under the space lock.
void aircraft_step(Aircraft* aircraft, double dt, uint8_t* space);
// Writes every published value without advancing (for --hold start-up and tests).
void aircraft_publish(Aircraft* aircraft, uint8_t* space);
// A unit wrote `size` bytes at `offset`; the space already holds them.
void aircraft_on_write(Aircraft* aircraft, uint32_t offset, uint32_t size, const uint8_t* space);
// Failure injection by name; false for an unknown name.
bool aircraft_set_failure(Aircraft* aircraft, const char* name, bool failed);
// A readable summary of the model, several lines.
std::string aircraft_state_text(const Aircraft* aircraft);

// Internals shared by the model's source files.
void aircraft_run_timeline(Aircraft* a, uint8_t* space);
void aircraft_fly(Aircraft* a, double dt);
void aircraft_engines_step(Aircraft* a, double dt);
void aircraft_radios_step(Aircraft* a);
void aircraft_compute_values(Aircraft* a);
// The settings the units write (frequencies, squawk, courses, NAV/GPS, baro) as quantities.
void publish_radio_settings(const Radios& radios, ModelValues* values);
void aircraft_enter_phase(Aircraft* a, FlightPhase phase);
double aircraft_ground_elevation(const Aircraft* a);
double aircraft_indicated_altitude(const Aircraft* a);
double aircraft_mach(const Aircraft* a);
double aircraft_temperature_c(const Aircraft* a, double alt_ft);
// Route points: 0 the departure runway, then the scenario's waypoints, then
// the arrival runway.
int aircraft_route_count(const Aircraft* a);
void aircraft_route_point(const Aircraft* a, int index, double* lat, double* lon, const char** ident);
// Ground speed vector and the track it gives, from heading, airspeed and wind.
void aircraft_wind_at(const Aircraft* a, double* from_true, double* speed_kt);
