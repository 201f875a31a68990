// The FlightGear stream's fields and the bounded parser of its lines.
#include "server/flightgear_protocol.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const FgFieldInfo FIELDS[] = {
  {"/sim/time/utc/day-seconds", FG_INT, 0, 86400},
  {"/sim/time/utc/minute", FG_INT, 0, 59},
  {"/sim/time/utc/second", FG_INT, 0, 60},
  {"/position/latitude-deg", FG_NUMBER, -90, 90},
  {"/position/longitude-deg", FG_NUMBER, -180, 180},
  {"/position/altitude-ft", FG_NUMBER, -20000, 100000},
  {"/position/ground-elev-ft", FG_NUMBER, -20000, 30000},
  {"/position/altitude-agl-ft", FG_NUMBER, -20000, 100000},
  {"/orientation/pitch-deg", FG_NUMBER, -90, 90},
  {"/orientation/roll-deg", FG_NUMBER, -180, 180},
  {"/orientation/heading-deg", FG_NUMBER, -360, 720},
  {"/environment/magnetic-variation-deg", FG_NUMBER, -180, 180},
  {"/instrumentation/airspeed-indicator/indicated-speed-kt", FG_NUMBER, -100, 1000},
  {"/instrumentation/airspeed-indicator/true-speed-kt", FG_NUMBER, -100, 2000},
  {"/velocities/groundspeed-kt", FG_NUMBER, 0, 2000},
  {"/velocities/vertical-speed-fps", FG_NUMBER, -1000, 1000},
  {"/velocities/mach", FG_NUMBER, -1, 5},
  {"/instrumentation/altimeter/indicated-altitude-ft", FG_NUMBER, -20000, 100000},
  {"/instrumentation/altimeter/setting-inhg", FG_NUMBER, 25, 35},
  {"/environment/temperature-degc", FG_NUMBER, -100, 80},
  {"/environment/wind-from-heading-deg", FG_NUMBER, -360, 720},
  {"/environment/wind-speed-kt", FG_NUMBER, 0, 400},
  {"/environment/pressure-inhg", FG_NUMBER, 0, 40},
  {"/environment/density-slugft3", FG_NUMBER, 0, 0.01},
  {"/gear/gear[0]/wow", FG_BOOL, 0, 1},
  {"/controls/gear/gear-down", FG_BOOL, 0, 1},
  {"/controls/gear/brake-parking", FG_NUMBER, 0, 1},
  {"/surface-positions/flap-pos-norm", FG_NUMBER, 0, 1},
  {"/controls/flight/flaps", FG_NUMBER, 0, 1},
  {"/surface-positions/speedbrake-pos-norm", FG_NUMBER, 0, 1},
  {"/controls/flight/speedbrake", FG_NUMBER, 0, 1},
  {"/controls/flight/elevator-trim", FG_NUMBER, -1, 1},
  {"/controls/flight/aileron-trim", FG_NUMBER, -1, 1},
  {"/controls/flight/rudder-trim", FG_NUMBER, -1, 1},
  {"/sim/alarms/stall-warning", FG_BOOL, 0, 1},
  {"/engines/engine[0]/running", FG_BOOL, 0, 1},
  {"/engines/engine[0]/cranking", FG_BOOL, 0, 1},
  {"/engines/engine[0]/n1", FG_NUMBER, 0, 150},
  {"/engines/engine[0]/n2", FG_NUMBER, 0, 150},
  {"/engines/engine[0]/egt-degf", FG_NUMBER, -200, 5000},
  {"/engines/engine[0]/fuel-flow_pph", FG_NUMBER, 0, 100000},
  {"/engines/engine[0]/oil-temperature-degf", FG_NUMBER, -200, 1000},
  {"/engines/engine[0]/oil-pressure-psi", FG_NUMBER, 0, 1000},
  {"/engines/engine[0]/thrust_lb", FG_NUMBER, -200000, 200000},
  {"/controls/engines/engine[0]/throttle", FG_NUMBER, 0, 1},
  {"/engines/engine[0]/rpm", FG_NUMBER, 0, 100000},
  {"/engines/engine[0]/fuel-flow-gph", FG_NUMBER, 0, 100000},
  {"/engines/engine[1]/running", FG_BOOL, 0, 1},
  {"/engines/engine[1]/cranking", FG_BOOL, 0, 1},
  {"/engines/engine[1]/n1", FG_NUMBER, 0, 150},
  {"/engines/engine[1]/n2", FG_NUMBER, 0, 150},
  {"/engines/engine[1]/egt-degf", FG_NUMBER, -200, 5000},
  {"/engines/engine[1]/fuel-flow_pph", FG_NUMBER, 0, 100000},
  {"/engines/engine[1]/oil-temperature-degf", FG_NUMBER, -200, 1000},
  {"/engines/engine[1]/oil-pressure-psi", FG_NUMBER, 0, 1000},
  {"/engines/engine[1]/thrust_lb", FG_NUMBER, -200000, 200000},
  {"/controls/engines/engine[1]/throttle", FG_NUMBER, 0, 1},
  {"/engines/engine[1]/rpm", FG_NUMBER, 0, 100000},
  {"/engines/engine[1]/fuel-flow-gph", FG_NUMBER, 0, 100000},
  {"/consumables/fuel/tank[0]/level-gal_us", FG_NUMBER, 0, 100000},
  {"/consumables/fuel/tank[0]/capacity-gal_us", FG_NUMBER, 0, 100000},
  {"/consumables/fuel/tank[1]/level-gal_us", FG_NUMBER, 0, 100000},
  {"/consumables/fuel/tank[1]/capacity-gal_us", FG_NUMBER, 0, 100000},
  {"/consumables/fuel/tank[2]/level-gal_us", FG_NUMBER, 0, 100000},
  {"/consumables/fuel/tank[2]/capacity-gal_us", FG_NUMBER, 0, 100000},
  {"/consumables/fuel/tank[0]/density-ppg", FG_NUMBER, 0, 20},
  {"/controls/electric/battery-switch", FG_BOOL, 0, 1},
  {"/controls/electric/avionics-switch", FG_BOOL, 0, 1},
  {"/controls/switches/master-bat", FG_BOOL, 0, 1},
  {"/controls/switches/master-avionics", FG_BOOL, 0, 1},
  {"/systems/electrical/volts", FG_NUMBER, -100, 200},
  {"/systems/electrical/amps", FG_NUMBER, -5000, 5000},
  {"/controls/anti-ice/pitot-heat", FG_BOOL, 0, 1},
  {"/autopilot/locks/heading", FG_TEXT, 0, 0},
  {"/autopilot/locks/altitude", FG_TEXT, 0, 0},
  {"/autopilot/locks/speed", FG_TEXT, 0, 0},
  {"/autopilot/settings/heading-bug-deg", FG_NUMBER, -360, 720},
  {"/autopilot/settings/target-altitude-ft", FG_NUMBER, -20000, 100000},
  {"/autopilot/settings/target-speed-kt", FG_NUMBER, -1000, 1000},
  {"/autopilot/settings/target-speed-mach", FG_NUMBER, -5, 5},
  {"/autopilot/settings/vertical-speed-fpm", FG_NUMBER, -20000, 20000},
  {"/instrumentation/comm[0]/frequencies/selected-mhz", FG_NUMBER, 0, 400},
  {"/instrumentation/comm[0]/frequencies/standby-mhz", FG_NUMBER, 0, 400},
  {"/instrumentation/comm[1]/frequencies/selected-mhz", FG_NUMBER, 0, 400},
  {"/instrumentation/comm[1]/frequencies/standby-mhz", FG_NUMBER, 0, 400},
  {"/instrumentation/nav[0]/frequencies/selected-mhz", FG_NUMBER, 0, 400},
  {"/instrumentation/nav[0]/frequencies/standby-mhz", FG_NUMBER, 0, 400},
  {"/instrumentation/nav[1]/frequencies/selected-mhz", FG_NUMBER, 0, 400},
  {"/instrumentation/nav[1]/frequencies/standby-mhz", FG_NUMBER, 0, 400},
  {"/instrumentation/adf[0]/frequencies/selected-khz", FG_NUMBER, 0, 2000},
  {"/instrumentation/transponder/id-code", FG_INT, 0, 7777},
  {"/instrumentation/transponder/inputs/knob-mode", FG_INT, 0, 5},
  {"/instrumentation/transponder/inputs/ident-btn", FG_BOOL, 0, 1},
  {"/instrumentation/nav[0]/nav-id", FG_TEXT, 0, 0},
  {"/instrumentation/nav[0]/in-range", FG_BOOL, 0, 1},
  {"/instrumentation/nav[0]/nav-loc", FG_BOOL, 0, 1},
  {"/instrumentation/nav[0]/has-gs", FG_BOOL, 0, 1},
  {"/instrumentation/nav[0]/gs-in-range", FG_BOOL, 0, 1},
  {"/instrumentation/nav[0]/dme-in-range", FG_BOOL, 0, 1},
  {"/instrumentation/nav[0]/nav-distance", FG_NUMBER, 0, 100000000.0},
  {"/instrumentation/nav[0]/radials/selected-deg", FG_NUMBER, -360, 720},
  {"/instrumentation/nav[0]/radials/actual-deg", FG_NUMBER, -360, 720},
  {"/instrumentation/nav[0]/heading-needle-deflection-norm", FG_NUMBER, -1, 1},
  {"/instrumentation/nav[0]/gs-needle-deflection-norm", FG_NUMBER, -1, 1},
  {"/instrumentation/nav[0]/to-flag", FG_BOOL, 0, 1},
  {"/instrumentation/nav[0]/from-flag", FG_BOOL, 0, 1},
  {"/instrumentation/nav[0]/heading-deg", FG_NUMBER, -360, 720},
  {"/instrumentation/nav[1]/nav-id", FG_TEXT, 0, 0},
  {"/instrumentation/nav[1]/in-range", FG_BOOL, 0, 1},
  {"/instrumentation/nav[1]/nav-loc", FG_BOOL, 0, 1},
  {"/instrumentation/nav[1]/has-gs", FG_BOOL, 0, 1},
  {"/instrumentation/nav[1]/gs-in-range", FG_BOOL, 0, 1},
  {"/instrumentation/nav[1]/dme-in-range", FG_BOOL, 0, 1},
  {"/instrumentation/nav[1]/nav-distance", FG_NUMBER, 0, 100000000.0},
  {"/instrumentation/nav[1]/radials/selected-deg", FG_NUMBER, -360, 720},
  {"/instrumentation/nav[1]/radials/actual-deg", FG_NUMBER, -360, 720},
  {"/instrumentation/nav[1]/heading-needle-deflection-norm", FG_NUMBER, -1, 1},
  {"/instrumentation/nav[1]/gs-needle-deflection-norm", FG_NUMBER, -1, 1},
  {"/instrumentation/nav[1]/to-flag", FG_BOOL, 0, 1},
  {"/instrumentation/nav[1]/from-flag", FG_BOOL, 0, 1},
  {"/instrumentation/nav[1]/heading-deg", FG_NUMBER, -360, 720},
  {"/instrumentation/nav[0]/slaved-to-gps", FG_BOOL, 0, 1},
  {"/instrumentation/adf[0]/indicated-bearing-deg", FG_NUMBER, -360, 720},
  {"/instrumentation/adf[0]/in-range", FG_BOOL, 0, 1},
  {"/instrumentation/adf[0]/ident", FG_TEXT, 0, 0},
  {"/instrumentation/marker-beacon/inner", FG_BOOL, 0, 1},
  {"/instrumentation/marker-beacon/middle", FG_BOOL, 0, 1},
  {"/instrumentation/marker-beacon/outer", FG_BOOL, 0, 1},
  {"/instrumentation/gps/wp/wp[1]/ID", FG_TEXT, 0, 0},
  {"/instrumentation/gps/wp/wp[1]/distance-nm", FG_NUMBER, -10000, 30000},
  {"/instrumentation/gps/wp/wp[1]/bearing-true-deg", FG_NUMBER, -10000, 10000},
  {"/instrumentation/gps/wp/wp[1]/desired-course-deg", FG_NUMBER, -10000, 10000},
  {"/instrumentation/gps/wp/wp[1]/course-error-nm", FG_NUMBER, -30000, 30000},
  {"/sim/multiplay/callsign", FG_TEXT, 0, 0},
  {"/ai/models/aircraft[0]/valid", FG_BOOL, 0, 1},
  {"/ai/models/aircraft[0]/position/latitude-deg", FG_NUMBER, -90, 90},
  {"/ai/models/aircraft[0]/position/longitude-deg", FG_NUMBER, -180, 180},
  {"/ai/models/aircraft[0]/position/altitude-ft", FG_NUMBER, -2000, 100000},
  {"/ai/models/aircraft[0]/velocities/vertical-speed-fps", FG_NUMBER, -1000, 1000},
  {"/ai/models/aircraft[1]/valid", FG_BOOL, 0, 1},
  {"/ai/models/aircraft[1]/position/latitude-deg", FG_NUMBER, -90, 90},
  {"/ai/models/aircraft[1]/position/longitude-deg", FG_NUMBER, -180, 180},
  {"/ai/models/aircraft[1]/position/altitude-ft", FG_NUMBER, -2000, 100000},
  {"/ai/models/aircraft[1]/velocities/vertical-speed-fps", FG_NUMBER, -1000, 1000},
  {"/ai/models/aircraft[2]/valid", FG_BOOL, 0, 1},
  {"/ai/models/aircraft[2]/position/latitude-deg", FG_NUMBER, -90, 90},
  {"/ai/models/aircraft[2]/position/longitude-deg", FG_NUMBER, -180, 180},
  {"/ai/models/aircraft[2]/position/altitude-ft", FG_NUMBER, -2000, 100000},
  {"/ai/models/aircraft[2]/velocities/vertical-speed-fps", FG_NUMBER, -1000, 1000},
  {"/ai/models/aircraft[3]/valid", FG_BOOL, 0, 1},
  {"/ai/models/aircraft[3]/position/latitude-deg", FG_NUMBER, -90, 90},
  {"/ai/models/aircraft[3]/position/longitude-deg", FG_NUMBER, -180, 180},
  {"/ai/models/aircraft[3]/position/altitude-ft", FG_NUMBER, -2000, 100000},
  {"/ai/models/aircraft[3]/velocities/vertical-speed-fps", FG_NUMBER, -1000, 1000},
};
static_assert(sizeof FIELDS / sizeof FIELDS[0] == F_COUNT, "one row per field");

constexpr size_t MAX_NUMBER_TEXT = 31;

// Plain decimal only: strtod alone would also take "inf", "nan" and hex.
bool parse_number(const char* s, size_t n, double* out) {
  if (n == 0 || n > MAX_NUMBER_TEXT) return false;
  char buf[MAX_NUMBER_TEXT + 1];
  for (size_t i = 0; i < n; ++i) {
    char c = s[i];
    if (!((c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.' || c == 'e' || c == 'E')) return false;
    buf[i] = c;
  }
  buf[n] = '\0';
  char* end = nullptr;
  double v = std::strtod(buf, &end);
  if (end != buf + n || !std::isfinite(v)) return false;
  *out = v;
  return true;
}

bool octal_digits(double code) {
  for (int c = static_cast<int>(code); c > 0; c /= 10)
    if (c % 10 > 7) return false;
  return true;
}

bool parse_field(int f, const char* s, size_t n, FgPacket* p) {
  const FgFieldInfo& info = FIELDS[f];
  p->value[f] = 0;
  p->text[f][0] = '\0';
  if (info.type == FG_TEXT) {
    size_t kept = n < FG_TEXT_SIZE - 1 ? n : FG_TEXT_SIZE - 1;
    for (size_t i = 0; i < n; ++i)
      if (s[i] < 0x20 || s[i] > 0x7E) return false;
    std::memcpy(p->text[f], s, kept);
    p->text[f][kept] = '\0';
    return true;
  }
  double v;
  if (!parse_number(s, n, &v) || v < info.low || v > info.high) return false;
  if (info.type != FG_NUMBER && v != std::floor(v)) return false;
  if (f == F_SQUAWK && !octal_digits(v)) return false;
  p->value[f] = v;
  return true;
}

double clamp(double v, double lo, double hi) { return !(v >= lo) ? lo : v > hi ? hi : v; }

}  // namespace

const FgFieldInfo& fg_field(int field) { return FIELDS[field]; }

bool fg_parse_packet(const char* data, size_t size, FgPacket* packet, int* bad_field) {
  int unused;
  int* bad = bad_field ? bad_field : &unused;
  *bad = F_COUNT;
  if (size > FG_MAX_PACKET) return false;
  if (size > 0 && data[size - 1] == '\n') --size;
  if (size > 0 && data[size - 1] == '\r') --size;
  // Parsed aside first: a bad field late in the line must not leave half a packet applied.
  FgPacket parsed;
  size_t start = 0;
  int field = 0;
  for (size_t i = 0; i <= size; ++i) {
    if (i < size && data[i] != ',') continue;
    if (field >= F_COUNT) return false;
    if (!parse_field(field, data + start, i - start, &parsed)) {
      *bad = field;
      return false;
    }
    ++field;
    start = i + 1;
  }
  if (field != F_COUNT) return false;
  *packet = parsed;
  return true;
}

size_t fg_format_settings(const FgSettings& s, char* out, size_t size) {
  auto mhz = [](double v) { return clamp(v, 0, 400); };
  int squawk = s.squawk >= 0 && s.squawk <= 7777 && octal_digits(s.squawk) ? s.squawk : 0;
  int n = std::snprintf(out, size, "%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.1f,%.0f,%.0f,%d,%d\n",
                        clamp(s.baro_inhg, 25, 35), mhz(s.com[0]), mhz(s.com_standby[0]), mhz(s.com[1]),
                        mhz(s.com_standby[1]), mhz(s.nav[0]), mhz(s.nav_standby[0]), mhz(s.nav[1]),
                        mhz(s.nav_standby[1]), clamp(s.adf_khz, 0, 2000), clamp(s.course[0], 0, 360),
                        clamp(s.course[1], 0, 360), squawk, s.nav_gps ? 1 : 0);
  return n > 0 && static_cast<size_t>(n) < size ? static_cast<size_t>(n) : 0;
}
