// The scenario parser: one statement per line, '#' starts a comment, words
// separated by blanks. Every number is range-checked; the first bad line ends
// the parse with its file, line and the problem.
#include "server/scenario.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

namespace {

constexpr int MAX_WORDS = 24;
constexpr double DAY_SECONDS = 86400.0;
constexpr uint32_t CELL_FIRST = 0x73D0, CELL_LAST = 0x73FF, CELL_BAND = 0x7842;

struct Line {
  char text[SCENARIO_MAX_LINE + 1];
  char* words[MAX_WORDS];
  int count;
  int number;
};

struct Parser {
  const char* file;
  Line line;
  ScenarioError* error;
  Scenario* s;
};

bool fail(Parser* p, const char* format, const char* detail = "") {
  char message[256];
  std::snprintf(message, sizeof message, format, detail);
  p->error->line = p->line.number;
  p->error->message = message;
  return false;
}

bool number(Parser* p, const char* word, double low, double high, const char* what, double* out) {
  if (!word) return fail(p, "missing %s", what);
  char* end = nullptr;
  errno = 0;
  double v = std::strtod(word, &end);
  if (end == word || *end != '\0' || errno == ERANGE || !std::isfinite(v)) {
    char m[160];
    std::snprintf(m, sizeof m, "%s: '%.60s' is not a number", what, word);
    return fail(p, "%s", m);
  }
  if (v < low || v > high) {
    char m[200];
    std::snprintf(m, sizeof m, "%s %.60s is outside %g..%g", what, word, low, high);
    return fail(p, "%s", m);
  }
  *out = v;
  return true;
}

bool ident(Parser* p, const char* word, const char* what, char* out) {
  if (!word) return fail(p, "missing %s", what);
  size_t n = std::strlen(word);
  if (n == 0 || n >= SCENARIO_MAX_IDENT) return fail(p, "%s must have 1 to 7 characters", what);
  for (size_t i = 0; i < n; ++i) {
    unsigned char c = static_cast<unsigned char>(word[i]);
    if (c < 0x21 || c > 0x7E) return fail(p, "%s has a character that is not printable", what);
  }
  std::memcpy(out, word, n + 1);
  return true;
}

// "90", "1:30", "1:02:03", each part range-checked.
bool clock_text(Parser* p, const char* word, double* seconds) {
  if (!word || !*word) return fail(p, "missing time");
  double parts[3] = {0, 0, 0};
  int count = 0;
  const char* c = word;
  while (true) {
    if (count == 3) return fail(p, "time '%.40s' has too many parts", word);
    char* end = nullptr;
    if (*c < '0' || *c > '9') return fail(p, "time '%.40s' is not H:MM:SS, M:SS or seconds", word);
    double v = std::strtod(c, &end);
    parts[count++] = v;
    if (*end == '\0') break;
    if (*end != ':') return fail(p, "time '%.40s' is not H:MM:SS, M:SS or seconds", word);
    c = end + 1;
  }
  for (int i = 1; i < count; ++i)
    if (parts[i] >= 60) return fail(p, "time '%.40s' has minutes or seconds of 60 or more", word);
  double t = count == 1 ? parts[0]
           : count == 2 ? parts[0] * 60 + parts[1]
                        : parts[0] * 3600 + parts[1] * 60 + parts[2];
  if (t > DAY_SECONDS) return fail(p, "time '%.40s' is beyond a day", word);
  *seconds = t;
  return true;
}

// "1:30" from the start, or "cruise+1:30" from reaching that phase.
bool when(Parser* p, const char* word, double* seconds, int8_t* anchor) {
  if (!word) return fail(p, "missing time");
  const char* plus = std::strchr(word, '+');
  *anchor = -1;
  if (!plus) return clock_text(p, word, seconds);
  char name[32];
  size_t n = static_cast<size_t>(plus - word);
  if (n == 0 || n >= sizeof name) return fail(p, "unknown phase in '%.40s'", word);
  std::memcpy(name, word, n);
  name[n] = '\0';
  FlightPhase phase;
  if (!phase_from_name(name, &phase)) return fail(p, "unknown phase '%s'", name);
  *anchor = static_cast<int8_t>(phase);
  return clock_text(p, plus + 1, seconds);
}

bool latlon(Parser* p, const char* lat_word, const char* lon_word, double* lat, double* lon) {
  return number(p, lat_word, -90, 90, "latitude", lat) &&
         number(p, lon_word, -180, 180, "longitude", lon);
}

bool on_off(Parser* p, const char* word, double* value) {
  if (word && std::strcmp(word, "on") == 0) { *value = 1; return true; }
  if (word && std::strcmp(word, "off") == 0) { *value = 0; return true; }
  return fail(p, "expected on or off");
}

bool radio(Parser* p, const char* word, int* id) {
  static const char* const names[RADIO_COUNT] = {
    "com1", "com1-standby", "com2", "com2-standby", "nav1", "nav1-standby",
    "nav2", "nav2-standby", "adf1", "adf2"};
  for (int i = 0; i < RADIO_COUNT; ++i)
    if (word && std::strcmp(word, names[i]) == 0) { *id = i; return true; }
  return fail(p, "unknown radio '%.40s' (com1, com1-standby, com2, nav1, nav2, adf1, adf2, ...)",
              word ? word : "");
}

bool frequency(Parser* p, int id, const char* word, double* value) {
  if (id >= RADIO_ADF1) return number(p, word, 100, 1799.9, "ADF frequency (kHz)", value);
  if (id >= RADIO_NAV1) return number(p, word, 108, 117.95, "NAV frequency (MHz)", value);
  return number(p, word, 118, 136.99, "COM frequency (MHz)", value);
}

bool squawk(Parser* p, const char* word, double* value) {
  if (!word || std::strlen(word) != 4) return fail(p, "a squawk code has four digits 0-7");
  for (int i = 0; i < 4; ++i)
    if (word[i] < '0' || word[i] > '7') return fail(p, "a squawk code has four digits 0-7");
  *value = std::atoi(word);
  return true;
}

bool cell(Parser* p, const char* word, uint16_t* offset) {
  double v;
  if (!word) return fail(p, "missing cell offset");
  char* end = nullptr;
  unsigned long o = std::strtoul(word, &end, 0);
  if (end == word || *end) return fail(p, "cell offset '%.40s' is not a number", word);
  if (!((o >= CELL_FIRST && o <= CELL_LAST) || o == CELL_BAND))
    return fail(p, "cell offset %.40s is not an inter-unit cell (0x73D0..0x73FF, 0x7842)", word);
  (void)v;
  *offset = static_cast<uint16_t>(o);
  return true;
}

bool runway(Parser* p, ScenarioRunway* r) {
  char** w = p->line.words;
  if (p->line.count != 8)
    return fail(p, "expected: %s AIRPORT RUNWAY LAT LON HEADING ELEVATION LENGTH", w[0]);
  return ident(p, w[1], "airport", r->airport) && ident(p, w[2], "runway", r->ident) &&
         latlon(p, w[3], w[4], &r->lat, &r->lon) &&
         number(p, w[5], 0, 360, "heading", &r->heading_true) &&
         number(p, w[6], -1500, 15000, "elevation (ft)", &r->elevation_ft) &&
         number(p, w[7], 1000, 20000, "length (ft)", &r->length_ft);
}

bool action(Parser* p, int first, ScenarioEvent* e) {
  char** w = p->line.words;
  int n = p->line.count - first;
  const char* verb = w[first];
  const char* a = n > 1 ? w[first + 1] : nullptr;
  const char* b = n > 2 ? w[first + 2] : nullptr;
  auto arity = [&](int want, const char* usage) {
    return n == want ? true : fail(p, "expected: %s", usage);
  };
  if (std::strcmp(verb, "switch") == 0) {
    if (!arity(3, "switch NAME on|off")) return false;
    e->kind = EVENT_SWITCH;
    for (int i = 0; i < SWITCH_COUNT; ++i)
      if (std::strcmp(a, switch_name(i)) == 0) { e->index = static_cast<uint16_t>(i); return on_off(p, b, &e->value); }
    return fail(p, "unknown switch '%.40s'", a);
  }
  if (std::strcmp(verb, "start") == 0 || std::strcmp(verb, "stop") == 0) {
    if (!arity(2, "start|stop left|right")) return false;
    e->kind = EVENT_ENGINE;
    e->value = verb[2] == 'a' ? 1 : 0;
    if (std::strcmp(a, "left") == 0) e->index = 0;
    else if (std::strcmp(a, "right") == 0) e->index = 1;
    else return fail(p, "engine must be left or right, not '%.40s'", a);
    return true;
  }
  if (std::strcmp(verb, "phase") == 0) {
    if (!arity(2, "phase NAME")) return false;
    FlightPhase ph;
    if (!phase_from_name(a, &ph)) return fail(p, "unknown phase '%.40s'", a);
    e->kind = EVENT_PHASE;
    e->index = ph;
    return true;
  }
  if (std::strcmp(verb, "fail") == 0 || std::strcmp(verb, "restore") == 0) {
    if (!arity(2, "fail|restore NAME")) return false;
    int id;
    if (!failure_from_name(a, &id)) return fail(p, "unknown failure '%.40s'", a);
    e->kind = EVENT_FAIL;
    e->index = static_cast<uint16_t>(id);
    e->value = verb[0] == 'f' ? 1 : 0;
    return true;
  }
  if (std::strcmp(verb, "cell") == 0) {
    if (!arity(3, "cell OFFSET VALUE|+STEPS|-STEPS") || !cell(p, a, &e->index)) return false;
    if (b[0] == '+' || b[0] == '-') {
      e->kind = EVENT_CELL_STEP;
      return number(p, b, -255, 255, "counter steps", &e->value);
    }
    e->kind = EVENT_CELL;
    return number(p, b, 0, 255, "cell value", &e->value);
  }
  if (std::strcmp(verb, "press") == 0) {
    if (!arity(3, "press OFFSET BIT") || !cell(p, a, &e->index)) return false;
    e->kind = EVENT_PRESS;
    return number(p, b, 0, 7, "bit", &e->value);
  }
  if (std::strcmp(verb, "tune") == 0) {
    int id;
    if (!arity(3, "tune RADIO FREQUENCY") || !radio(p, a, &id)) return false;
    e->kind = EVENT_TUNE;
    e->index = static_cast<uint16_t>(id);
    return frequency(p, id, b, &e->value);
  }
  if (std::strcmp(verb, "squawk") == 0) {
    e->kind = EVENT_SQUAWK;
    return arity(2, "squawk CODE") && squawk(p, a, &e->value);
  }
  if (std::strcmp(verb, "course") == 0) {
    if (!arity(3, "course nav1|nav2 DEGREES")) return false;
    if (std::strcmp(a, "nav1") != 0 && std::strcmp(a, "nav2") != 0)
      return fail(p, "course is set on nav1 or nav2, not '%.40s'", a);
    e->kind = EVENT_COURSE;
    e->index = a[3] == '1' ? 0 : 1;
    return number(p, b, 0, 360, "course", &e->value);
  }
  if (std::strcmp(verb, "heading-bug") == 0) {
    e->kind = EVENT_HEADING_BUG;
    return arity(2, "heading-bug DEGREES") && number(p, a, 0, 360, "heading", &e->value);
  }
  if (std::strcmp(verb, "baro") == 0) {
    e->kind = EVENT_BARO;
    return arity(2, "baro HECTOPASCALS") && number(p, a, 900, 1100, "barometric setting (hPa)", &e->value);
  }
  if (std::strcmp(verb, "nav-source") == 0) {
    if (!arity(2, "nav-source gps|nav")) return false;
    e->kind = EVENT_NAV_SOURCE;
    if (std::strcmp(a, "gps") == 0) e->value = 1;
    else if (std::strcmp(a, "nav") == 0) e->value = 0;
    else return fail(p, "nav-source is gps or nav, not '%.40s'", a);
    return true;
  }
  return fail(p, "unknown action '%.40s'", verb);
}

bool traffic(Parser* p, ScenarioTraffic* t) {
  char** w = p->line.words;
  if (p->line.count < 3) return fail(p, "expected: traffic IDENT when=TIME key=value ...");
  if (!ident(p, w[1], "traffic ident", t->ident)) return false;
  t->lifetime_s = 600;
  bool have_when = false, have_lat = false, have_lon = false, have_bearing = false,
       have_distance = false, have_alt = false, have_speed = false;
  for (int i = 2; i < p->line.count; ++i) {
    char* eq = std::strchr(w[i], '=');
    if (!eq) return fail(p, "traffic settings are key=value, not '%.40s'", w[i]);
    *eq = '\0';
    const char* k = w[i];
    const char* v = eq + 1;
    bool ok;
    if (!std::strcmp(k, "when")) { ok = when(p, v, &t->time_s, &t->anchor); have_when = true; }
    else if (!std::strcmp(k, "lat")) { ok = number(p, v, -90, 90, "latitude", &t->lat); have_lat = true; }
    else if (!std::strcmp(k, "lon")) { ok = number(p, v, -180, 180, "longitude", &t->lon); have_lon = true; }
    else if (!std::strcmp(k, "bearing")) { ok = number(p, v, -360, 360, "bearing", &t->bearing); have_bearing = true; }
    else if (!std::strcmp(k, "distance")) { ok = number(p, v, 0, 100, "distance (NM)", &t->distance_nm); have_distance = true; }
    else if (!std::strcmp(k, "altitude")) { ok = number(p, v, -45000, 60000, "altitude (ft)", &t->altitude_ft); have_alt = true; }
    else if (!std::strcmp(k, "track")) ok = number(p, v, -360, 360, "track", &t->track);
    else if (!std::strcmp(k, "speed")) { ok = number(p, v, 0, 600, "speed (kt)", &t->speed_kt); have_speed = true; }
    else if (!std::strcmp(k, "vs")) ok = number(p, v, -6000, 6000, "vertical speed (ft/min)", &t->vs_fpm);
    else if (!std::strcmp(k, "lifetime")) ok = clock_text(p, v, &t->lifetime_s);
    else return fail(p, "unknown traffic setting '%.40s'", k);
    if (!ok) return false;
  }
  if (!have_when || !have_alt || !have_speed) return fail(p, "traffic needs when=, altitude= and speed=");
  if (have_lat != have_lon) return fail(p, "traffic needs both lat= and lon=");
  if (have_lat && (have_bearing || have_distance)) return fail(p, "traffic is either lat/lon or bearing/distance");
  if (!have_lat && !(have_bearing && have_distance)) return fail(p, "traffic needs lat= lon= or bearing= distance=");
  t->relative = !have_lat;
  return true;
}

bool statement(Parser* p) {
  Scenario* s = p->s;
  char** w = p->line.words;
  int n = p->line.count;
  const char* k = w[0];
  auto arity = [&](int want, const char* usage) {
    return n == want ? true : fail(p, "expected: %s", usage);
  };
  if (!std::strcmp(k, "name")) {
    if (n < 2) return fail(p, "expected: name TEXT");
    std::string text;
    for (int i = 1; i < n; ++i) text += (i > 1 ? " " : "") + std::string(w[i]);
    std::snprintf(s->name, sizeof s->name, "%s", text.c_str());
    return true;
  }
  if (!std::strcmp(k, "clock")) return arity(2, "clock H:MM[:SS]") && clock_text(p, w[1], &s->start_clock_s);
  if (!std::strcmp(k, "weather")) {
    if (!arity(8, "weather qnh HPA wind DIRECTION SPEED temperature CELSIUS")) return false;
    if (std::strcmp(w[1], "qnh") || std::strcmp(w[3], "wind") || std::strcmp(w[6], "temperature"))
      return fail(p, "expected: weather qnh HPA wind DIRECTION SPEED temperature CELSIUS");
    return number(p, w[2], 900, 1100, "QNH (hPa)", &s->qnh_hpa) &&
           number(p, w[4], 0, 360, "wind direction", &s->wind_dir_true) &&
           number(p, w[5], 0, 150, "wind speed (kt)", &s->wind_speed_kt) &&
           number(p, w[7], -60, 50, "temperature (C)", &s->sea_level_temp_c);
  }
  if (!std::strcmp(k, "magvar")) return arity(2, "magvar DEGREES_EAST") && number(p, w[1], -60, 60, "magnetic variation", &s->magvar_deg);
  if (!std::strcmp(k, "cruise"))
    return arity(3, "cruise ALTITUDE_FT IAS_KT") && number(p, w[1], 2000, 45000, "cruise altitude (ft)", &s->cruise_alt_ft) &&
           number(p, w[2], 120, 340, "cruise speed (kt)", &s->cruise_ias_kt);
  if (!std::strcmp(k, "fuel"))
    return arity(4, "fuel LEFT RIGHT CENTRE (pounds)") && number(p, w[1], 0, 6000, "left fuel (lb)", &s->fuel_lb[0]) &&
           number(p, w[2], 0, 6000, "right fuel (lb)", &s->fuel_lb[1]) && number(p, w[3], 0, 6000, "centre fuel (lb)", &s->fuel_lb[2]);
  if (!std::strcmp(k, "flight-id")) {
    if (!arity(2, "flight-id TEXT")) return false;
    if (std::strlen(w[1]) > 12) return fail(p, "flight-id has at most 12 characters");
    std::snprintf(s->flight_id, sizeof s->flight_id, "%s", w[1]);
    return true;
  }
  if (!std::strcmp(k, "gate")) {
    s->has_gate = true;
    return arity(4, "gate LAT LON HEADING") && latlon(p, w[1], w[2], &s->gate_lat, &s->gate_lon) &&
           number(p, w[3], 0, 360, "heading", &s->gate_heading);
  }
  if (!std::strcmp(k, "departure")) { s->has_departure = true; return runway(p, &s->departure); }
  if (!std::strcmp(k, "arrival")) { s->has_arrival = true; return runway(p, &s->arrival); }
  if (!std::strcmp(k, "navaid")) {
    if (!arity(7, "navaid IDENT vor|vor-dme|ndb FREQUENCY LAT LON ELEVATION")) return false;
    if (s->navaid_count >= SCENARIO_MAX_NAVAIDS) return fail(p, "too many navaids (at most 48)");
    ScenarioNavaid* a = &s->navaids[s->navaid_count];
    *a = ScenarioNavaid{};
    if (!ident(p, w[1], "navaid ident", a->ident)) return false;
    if (!std::strcmp(w[2], "vor")) a->kind = NAVAID_VOR;
    else if (!std::strcmp(w[2], "vor-dme")) a->kind = NAVAID_VOR_DME;
    else if (!std::strcmp(w[2], "ndb")) a->kind = NAVAID_NDB;
    else return fail(p, "navaid kind is vor, vor-dme or ndb, not '%.40s'", w[2]);
    bool ok = a->kind == NAVAID_NDB ? number(p, w[3], 100, 1799.9, "beacon frequency (kHz)", &a->frequency)
                                    : number(p, w[3], 108, 117.95, "VOR frequency (MHz)", &a->frequency);
    if (!ok || !latlon(p, w[4], w[5], &a->lat, &a->lon) ||
        !number(p, w[6], -1500, 15000, "elevation (ft)", &a->elevation_ft))
      return false;
    ++s->navaid_count;
    return true;
  }
  if (!std::strcmp(k, "ils")) {
    if (n != 7 && n != 11) return fail(p, "expected: ils IDENT FREQUENCY LAT LON COURSE ELEVATION [glideslope LAT LON ANGLE]");
    if (s->navaid_count >= SCENARIO_MAX_NAVAIDS) return fail(p, "too many navaids (at most 48)");
    ScenarioNavaid* a = &s->navaids[s->navaid_count];
    *a = ScenarioNavaid{};
    a->kind = NAVAID_ILS;
    if (!ident(p, w[1], "localiser ident", a->ident) ||
        !number(p, w[2], 108.1, 111.95, "localiser frequency (MHz)", &a->frequency) ||
        !latlon(p, w[3], w[4], &a->lat, &a->lon) || !number(p, w[5], 0, 360, "course", &a->course_true) ||
        !number(p, w[6], -1500, 15000, "elevation (ft)", &a->elevation_ft))
      return false;
    if (n == 11) {
      if (std::strcmp(w[7], "glideslope")) return fail(p, "expected 'glideslope' after the localiser");
      if (!latlon(p, w[8], w[9], &a->gs_lat, &a->gs_lon) || !number(p, w[10], 2, 6, "glideslope angle", &a->gs_angle))
        return false;
    }
    ++s->navaid_count;
    return true;
  }
  if (!std::strcmp(k, "marker")) {
    if (!arity(4, "marker outer|middle|inner LAT LON")) return false;
    if (s->marker_count >= SCENARIO_MAX_MARKERS) return fail(p, "too many markers (at most 12)");
    ScenarioMarker* m = &s->markers[s->marker_count];
    if (!std::strcmp(w[1], "outer")) m->kind = MARKER_OUTER;
    else if (!std::strcmp(w[1], "middle")) m->kind = MARKER_MIDDLE;
    else if (!std::strcmp(w[1], "inner")) m->kind = MARKER_INNER;
    else return fail(p, "marker is outer, middle or inner, not '%.40s'", w[1]);
    if (!latlon(p, w[2], w[3], &m->lat, &m->lon)) return false;
    ++s->marker_count;
    return true;
  }
  if (!std::strcmp(k, "waypoint")) {
    if (!arity(4, "waypoint IDENT LAT LON")) return false;
    if (s->route_count >= SCENARIO_MAX_WAYPOINTS) return fail(p, "too many waypoints (at most 40)");
    ScenarioWaypoint* r = &s->route[s->route_count];
    if (!ident(p, w[1], "waypoint ident", r->ident) || !latlon(p, w[2], w[3], &r->lat, &r->lon)) return false;
    ++s->route_count;
    return true;
  }
  if (!std::strcmp(k, "tune")) {
    int id;
    return arity(3, "tune RADIO FREQUENCY") && radio(p, w[1], &id) && frequency(p, id, w[2], &s->radios[id]);
  }
  if (!std::strcmp(k, "squawk")) {
    double v;
    if (!arity(2, "squawk CODE") || !squawk(p, w[1], &v)) return false;
    s->squawk = static_cast<int>(v);
    return true;
  }
  if (!std::strcmp(k, "at")) {
    if (n < 3) return fail(p, "expected: at TIME ACTION ...");
    if (s->event_count >= SCENARIO_MAX_EVENTS) return fail(p, "too many timed actions (at most 256)");
    ScenarioEvent* e = &s->events[s->event_count];
    *e = ScenarioEvent{};
    e->line = p->line.number;
    if (!when(p, w[1], &e->time_s, &e->anchor) || !action(p, 2, e)) return false;
    ++s->event_count;
    return true;
  }
  if (!std::strcmp(k, "traffic")) {
    if (s->traffic_count >= SCENARIO_MAX_TRAFFIC) return fail(p, "too many traffic aircraft (at most 16)");
    ScenarioTraffic* t = &s->traffic[s->traffic_count];
    *t = ScenarioTraffic{};
    if (!traffic(p, t)) return false;
    ++s->traffic_count;
    return true;
  }
  return fail(p, "unknown statement '%.40s'", k);
}

// Splits the current line into words; false when it is too long or has too many.
bool split(Parser* p, const char* start, size_t length) {
  Line* l = &p->line;
  if (length > 0 && start[length - 1] == '\r') --length;
  if (length > SCENARIO_MAX_LINE) return fail(p, "line longer than 512 characters");
  std::memcpy(l->text, start, length);
  l->text[length] = '\0';
  for (size_t i = 0; i < length; ++i) {
    if (l->text[i] == '#') { l->text[i] = '\0'; break; }
    if (l->text[i] == '\0') return fail(p, "line contains a NUL byte");
  }
  l->count = 0;
  char* c = l->text;
  while (*c) {
    while (*c == ' ' || *c == '\t') *c++ = '\0';
    if (!*c) break;
    if (l->count == MAX_WORDS) return fail(p, "more than 24 words on one line");
    l->words[l->count++] = c;
    while (*c && *c != ' ' && *c != '\t') ++c;
  }
  return true;
}

bool check_whole(Parser* p) {
  Scenario* s = p->s;
  p->line.number = 0;
  if (!s->has_departure) return fail(p, "no departure runway");
  if (!s->has_arrival) return fail(p, "no arrival runway");
  for (int i = 0; i < s->event_count; ++i) {
    const ScenarioEvent& e = s->events[i];
    if (e.kind == EVENT_PHASE && e.index != PHASE_TAXI_OUT && e.index != PHASE_TAKEOFF &&
        e.index != PHASE_TAXI_IN && e.index != PHASE_SHUTDOWN && e.index != PHASE_PARKED &&
        e.index != PHASE_DESCENT) {
      p->line.number = e.line;
      return fail(p, "phase %s cannot be started by the timeline (taxi-out, takeoff, descent, taxi-in, shutdown, parked)",
                  phase_name(static_cast<FlightPhase>(e.index)));
    }
  }
  return true;
}

}  // namespace

void scenario_defaults(Scenario* s) {
  *s = Scenario{};
  std::snprintf(s->name, sizeof s->name, "unnamed");
  s->start_clock_s = 12 * 3600;
  s->qnh_hpa = 1013.25;
  s->sea_level_temp_c = 15;
  s->cruise_alt_ft = 16000;
  s->cruise_ias_kt = 280;
  s->fuel_lb[0] = s->fuel_lb[1] = 2400;
  s->fuel_lb[2] = 400;
  std::snprintf(s->flight_id, sizeof s->flight_id, "KORVU1");
  s->radios[RADIO_COM1] = 118.00; s->radios[RADIO_COM1_STANDBY] = 121.50;
  s->radios[RADIO_COM2] = 121.50; s->radios[RADIO_COM2_STANDBY] = 118.00;
  s->radios[RADIO_NAV1] = 108.00; s->radios[RADIO_NAV1_STANDBY] = 108.00;
  s->radios[RADIO_NAV2] = 108.00; s->radios[RADIO_NAV2_STANDBY] = 108.00;
  s->radios[RADIO_ADF1] = 350; s->radios[RADIO_ADF2] = 350;
  s->squawk = 1200;
}

std::string scenario_error_text(const ScenarioError& e) {
  if (e.line <= 0) return e.file + ": " + e.message;   // about the file as a whole
  return e.file + ":" + std::to_string(e.line) + ": " + e.message;
}

bool scenario_parse_text(const char* text, size_t length, const char* file, Scenario* out,
                         ScenarioError* error) {
  // Large enough to be kept off the stack of callers that hold a few.
  static thread_local Scenario work;
  Parser p{file, {}, error, &work};
  error->file = file;
  error->line = 0;
  error->message.clear();
  scenario_defaults(&work);
  size_t pos = 0;
  int number_of_line = 0;
  while (pos < length) {
    size_t end = pos;
    while (end < length && text[end] != '\n') ++end;
    p.line.number = ++number_of_line;
    if (number_of_line > SCENARIO_MAX_LINES) return fail(&p, "more than 4000 lines");
    if (!split(&p, text + pos, end - pos)) return false;
    if (p.line.count > 0 && !statement(&p)) return false;
    pos = end + 1;
  }
  if (!check_whole(&p)) return false;
  *out = work;
  return true;
}
