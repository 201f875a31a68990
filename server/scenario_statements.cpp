// The scenario statements: a keyword table whose first word picks the reader
// of the rest of the line.
#include <cstdio>
#include <cstring>
#include <string>

#include "server/scenario_parse.h"

namespace {

// The words of a statement: w[0] is the keyword, n the count with it.
struct Words {
  char** w;
  int n;
};

Words words_of(ScenarioParser* p) { return Words{p->line.words, p->line.count}; }

bool runway(ScenarioParser* p, ScenarioRunway* r) {
  char** w = p->line.words;
  if (p->line.count != 8)
    return scenario_fail(p, "expected: %s AIRPORT RUNWAY LAT LON HEADING ELEVATION LENGTH", w[0]);
  return scenario_ident(p, w[1], "airport", r->airport) && scenario_ident(p, w[2], "runway", r->ident) &&
         scenario_latlon(p, w[3], w[4], &r->lat, &r->lon) &&
         scenario_number(p, w[5], 0, 360, "heading", &r->heading_true) &&
         scenario_number(p, w[6], -1500, 15000, "elevation (ft)", &r->elevation_ft) &&
         scenario_number(p, w[7], 1000, 20000, "length (ft)", &r->length_ft);
}

// --- Traffic: "traffic IDENT key=value ..." ----------------------------------

bool traffic(ScenarioParser* p, ScenarioTraffic* t) {
  char** w = p->line.words;
  if (p->line.count < 3) return scenario_fail(p, "expected: traffic IDENT when=TIME key=value ...");
  if (!scenario_ident(p, w[1], "traffic ident", t->ident)) return false;
  t->lifetime_s = 600;
  bool have_when = false, have_lat = false, have_lon = false, have_bearing = false,
       have_distance = false, have_alt = false, have_speed = false;
  for (int i = 2; i < p->line.count; ++i) {
    char* eq = std::strchr(w[i], '=');
    if (!eq) return scenario_fail(p, "traffic settings are key=value, not '%.40s'", w[i]);
    *eq = '\0';
    const char* k = w[i];
    const char* v = eq + 1;
    bool ok;
    if (!std::strcmp(k, "when")) { ok = scenario_when(p, v, &t->time_s, &t->anchor); have_when = true; }
    else if (!std::strcmp(k, "lat")) { ok = scenario_number(p, v, -90, 90, "latitude", &t->lat); have_lat = true; }
    else if (!std::strcmp(k, "lon")) { ok = scenario_number(p, v, -180, 180, "longitude", &t->lon); have_lon = true; }
    else if (!std::strcmp(k, "bearing")) { ok = scenario_number(p, v, -360, 360, "bearing", &t->bearing); have_bearing = true; }
    else if (!std::strcmp(k, "distance")) { ok = scenario_number(p, v, 0, 100, "distance (NM)", &t->distance_nm); have_distance = true; }
    else if (!std::strcmp(k, "altitude")) { ok = scenario_number(p, v, -45000, 60000, "altitude (ft)", &t->altitude_ft); have_alt = true; }
    else if (!std::strcmp(k, "track")) ok = scenario_number(p, v, -360, 360, "track", &t->track);
    else if (!std::strcmp(k, "speed")) { ok = scenario_number(p, v, 0, 600, "speed (kt)", &t->speed_kt); have_speed = true; }
    else if (!std::strcmp(k, "vs")) ok = scenario_number(p, v, -6000, 6000, "vertical speed (ft/min)", &t->vs_fpm);
    else if (!std::strcmp(k, "lifetime")) ok = scenario_clock(p, v, &t->lifetime_s);
    else return scenario_fail(p, "unknown traffic setting '%.40s'", k);
    if (!ok) return false;
  }
  if (!have_when || !have_alt || !have_speed) return scenario_fail(p, "traffic needs when=, altitude= and speed=");
  if (have_lat != have_lon) return scenario_fail(p, "traffic needs both lat= and lon=");
  if (have_lat && (have_bearing || have_distance)) return scenario_fail(p, "traffic is either lat/lon or bearing/distance");
  if (!have_lat && !(have_bearing && have_distance)) return scenario_fail(p, "traffic needs lat= lon= or bearing= distance=");
  t->relative = !have_lat;
  return true;
}

// --- Statements ------------------------------------------------------------------

bool statement_name(ScenarioParser* p) {
  Words x = words_of(p);
  if (x.n < 2) return scenario_fail(p, "expected: name TEXT");
  std::string text;
  for (int i = 1; i < x.n; ++i) text += (i > 1 ? " " : "") + std::string(x.w[i]);
  std::snprintf(p->s->name, sizeof p->s->name, "%s", text.c_str());
  return true;
}

bool statement_clock(ScenarioParser* p) {
  Words x = words_of(p);
  return scenario_arity(p, x.n, 2, "clock H:MM[:SS]") && scenario_clock(p, x.w[1], &p->s->start_clock_s);
}

bool statement_weather(ScenarioParser* p) {
  Words x = words_of(p);
  Scenario* s = p->s;
  if (!scenario_arity(p, x.n, 8, "weather qnh HPA wind DIRECTION SPEED temperature CELSIUS")) return false;
  if (std::strcmp(x.w[1], "qnh") || std::strcmp(x.w[3], "wind") || std::strcmp(x.w[6], "temperature"))
    return scenario_fail(p, "expected: weather qnh HPA wind DIRECTION SPEED temperature CELSIUS");
  return scenario_number(p, x.w[2], 900, 1100, "QNH (hPa)", &s->qnh_hpa) &&
         scenario_number(p, x.w[4], 0, 360, "wind direction", &s->wind_dir_true) &&
         scenario_number(p, x.w[5], 0, 150, "wind speed (kt)", &s->wind_speed_kt) &&
         scenario_number(p, x.w[7], -60, 50, "temperature (C)", &s->sea_level_temp_c);
}

bool statement_magvar(ScenarioParser* p) {
  Words x = words_of(p);
  return scenario_arity(p, x.n, 2, "magvar DEGREES_EAST") &&
         scenario_number(p, x.w[1], -60, 60, "magnetic variation", &p->s->magvar_deg);
}

bool statement_cruise(ScenarioParser* p) {
  Words x = words_of(p);
  return scenario_arity(p, x.n, 3, "cruise ALTITUDE_FT IAS_KT") &&
         scenario_number(p, x.w[1], 2000, 45000, "cruise altitude (ft)", &p->s->cruise_alt_ft) &&
         scenario_number(p, x.w[2], 120, 340, "cruise speed (kt)", &p->s->cruise_ias_kt);
}

bool statement_fuel(ScenarioParser* p) {
  Words x = words_of(p);
  double* fuel = p->s->fuel_lb;
  return scenario_arity(p, x.n, 4, "fuel LEFT RIGHT CENTRE (pounds)") &&
         scenario_number(p, x.w[1], 0, 6000, "left fuel (lb)", &fuel[0]) &&
         scenario_number(p, x.w[2], 0, 6000, "right fuel (lb)", &fuel[1]) &&
         scenario_number(p, x.w[3], 0, 6000, "centre fuel (lb)", &fuel[2]);
}

bool statement_flight_id(ScenarioParser* p) {
  Words x = words_of(p);
  if (!scenario_arity(p, x.n, 2, "flight-id TEXT")) return false;
  if (std::strlen(x.w[1]) > 12) return scenario_fail(p, "flight-id has at most 12 characters");
  std::snprintf(p->s->flight_id, sizeof p->s->flight_id, "%s", x.w[1]);
  return true;
}

bool statement_gate(ScenarioParser* p) {
  Words x = words_of(p);
  Scenario* s = p->s;
  s->has_gate = true;
  return scenario_arity(p, x.n, 4, "gate LAT LON HEADING") &&
         scenario_latlon(p, x.w[1], x.w[2], &s->gate_lat, &s->gate_lon) &&
         scenario_number(p, x.w[3], 0, 360, "heading", &s->gate_heading);
}

bool statement_departure(ScenarioParser* p) {
  p->s->has_departure = true;
  return runway(p, &p->s->departure);
}

bool statement_arrival(ScenarioParser* p) {
  p->s->has_arrival = true;
  return runway(p, &p->s->arrival);
}

bool statement_navaid(ScenarioParser* p) {
  Words x = words_of(p);
  Scenario* s = p->s;
  if (!scenario_arity(p, x.n, 7, "navaid IDENT vor|vor-dme|ndb FREQUENCY LAT LON ELEVATION")) return false;
  if (s->navaid_count >= SCENARIO_MAX_NAVAIDS) return scenario_fail(p, "too many navaids (at most 48)");
  ScenarioNavaid* a = &s->navaids[s->navaid_count];
  *a = ScenarioNavaid{};
  if (!scenario_ident(p, x.w[1], "navaid ident", a->ident)) return false;
  if (!std::strcmp(x.w[2], "vor")) a->kind = NAVAID_VOR;
  else if (!std::strcmp(x.w[2], "vor-dme")) a->kind = NAVAID_VOR_DME;
  else if (!std::strcmp(x.w[2], "ndb")) a->kind = NAVAID_NDB;
  else return scenario_fail(p, "navaid kind is vor, vor-dme or ndb, not '%.40s'", x.w[2]);
  bool ok = a->kind == NAVAID_NDB ? scenario_number(p, x.w[3], 100, 1799.9, "beacon frequency (kHz)", &a->frequency)
                                  : scenario_number(p, x.w[3], 108, 117.95, "VOR frequency (MHz)", &a->frequency);
  if (!ok || !scenario_latlon(p, x.w[4], x.w[5], &a->lat, &a->lon) ||
      !scenario_number(p, x.w[6], -1500, 15000, "elevation (ft)", &a->elevation_ft))
    return false;
  ++s->navaid_count;
  return true;
}

bool statement_ils(ScenarioParser* p) {
  Words x = words_of(p);
  Scenario* s = p->s;
  if (x.n != 7 && x.n != 11)
    return scenario_fail(p, "expected: ils IDENT FREQUENCY LAT LON COURSE ELEVATION [glideslope LAT LON ANGLE]");
  if (s->navaid_count >= SCENARIO_MAX_NAVAIDS) return scenario_fail(p, "too many navaids (at most 48)");
  ScenarioNavaid* a = &s->navaids[s->navaid_count];
  *a = ScenarioNavaid{};
  a->kind = NAVAID_ILS;
  if (!scenario_ident(p, x.w[1], "localiser ident", a->ident) ||
      !scenario_number(p, x.w[2], 108.1, 111.95, "localiser frequency (MHz)", &a->frequency) ||
      !scenario_latlon(p, x.w[3], x.w[4], &a->lat, &a->lon) ||
      !scenario_number(p, x.w[5], 0, 360, "course", &a->course_true) ||
      !scenario_number(p, x.w[6], -1500, 15000, "elevation (ft)", &a->elevation_ft))
    return false;
  if (x.n == 11) {
    if (std::strcmp(x.w[7], "glideslope")) return scenario_fail(p, "expected 'glideslope' after the localiser");
    if (!scenario_latlon(p, x.w[8], x.w[9], &a->gs_lat, &a->gs_lon) ||
        !scenario_number(p, x.w[10], 2, 6, "glideslope angle", &a->gs_angle))
      return false;
  }
  ++s->navaid_count;
  return true;
}

bool statement_marker(ScenarioParser* p) {
  Words x = words_of(p);
  Scenario* s = p->s;
  if (!scenario_arity(p, x.n, 4, "marker outer|middle|inner LAT LON")) return false;
  if (s->marker_count >= SCENARIO_MAX_MARKERS) return scenario_fail(p, "too many markers (at most 12)");
  ScenarioMarker* m = &s->markers[s->marker_count];
  if (!std::strcmp(x.w[1], "outer")) m->kind = MARKER_OUTER;
  else if (!std::strcmp(x.w[1], "middle")) m->kind = MARKER_MIDDLE;
  else if (!std::strcmp(x.w[1], "inner")) m->kind = MARKER_INNER;
  else return scenario_fail(p, "marker is outer, middle or inner, not '%.40s'", x.w[1]);
  if (!scenario_latlon(p, x.w[2], x.w[3], &m->lat, &m->lon)) return false;
  ++s->marker_count;
  return true;
}

bool statement_waypoint(ScenarioParser* p) {
  Words x = words_of(p);
  Scenario* s = p->s;
  if (!scenario_arity(p, x.n, 4, "waypoint IDENT LAT LON")) return false;
  if (s->route_count >= SCENARIO_MAX_WAYPOINTS) return scenario_fail(p, "too many waypoints (at most 40)");
  ScenarioWaypoint* r = &s->route[s->route_count];
  if (!scenario_ident(p, x.w[1], "waypoint ident", r->ident) || !scenario_latlon(p, x.w[2], x.w[3], &r->lat, &r->lon))
    return false;
  ++s->route_count;
  return true;
}

bool statement_tune(ScenarioParser* p) {
  Words x = words_of(p);
  int id;
  return scenario_arity(p, x.n, 3, "tune RADIO FREQUENCY") && scenario_radio(p, x.w[1], &id) &&
         scenario_frequency(p, id, x.w[2], &p->s->radios[id]);
}

bool statement_squawk(ScenarioParser* p) {
  Words x = words_of(p);
  double v;
  if (!scenario_arity(p, x.n, 2, "squawk CODE") || !scenario_squawk(p, x.w[1], &v)) return false;
  p->s->squawk = static_cast<int>(v);
  return true;
}

bool statement_at(ScenarioParser* p) {
  Words x = words_of(p);
  Scenario* s = p->s;
  if (x.n < 3) return scenario_fail(p, "expected: at TIME ACTION ...");
  if (s->event_count >= SCENARIO_MAX_EVENTS) return scenario_fail(p, "too many timed actions (at most 256)");
  ScenarioEvent* e = &s->events[s->event_count];
  *e = ScenarioEvent{};
  e->line = p->line.number;
  if (!scenario_when(p, x.w[1], &e->time_s, &e->anchor) || !scenario_action(p, 2, e)) return false;
  ++s->event_count;
  return true;
}

bool statement_traffic(ScenarioParser* p) {
  Scenario* s = p->s;
  if (s->traffic_count >= SCENARIO_MAX_TRAFFIC) return scenario_fail(p, "too many traffic aircraft (at most 16)");
  ScenarioTraffic* t = &s->traffic[s->traffic_count];
  *t = ScenarioTraffic{};
  if (!traffic(p, t)) return false;
  ++s->traffic_count;
  return true;
}

struct Keyword {
  const char* keyword;
  bool (*parse)(ScenarioParser* p);
};
constexpr Keyword STATEMENTS[] = {
    {"name", statement_name},           {"clock", statement_clock},       {"weather", statement_weather},
    {"magvar", statement_magvar},       {"cruise", statement_cruise},     {"fuel", statement_fuel},
    {"flight-id", statement_flight_id}, {"gate", statement_gate},         {"departure", statement_departure},
    {"arrival", statement_arrival},     {"navaid", statement_navaid},     {"ils", statement_ils},
    {"marker", statement_marker},       {"waypoint", statement_waypoint}, {"tune", statement_tune},
    {"squawk", statement_squawk},       {"at", statement_at},             {"traffic", statement_traffic},
};

}  // namespace

bool scenario_statement(ScenarioParser* p) {
  const char* keyword = p->line.words[0];
  for (const Keyword& k : STATEMENTS)
    if (std::strcmp(keyword, k.keyword) == 0) return k.parse(p);
  return scenario_fail(p, "unknown statement '%.40s'", keyword);
}
