// The simulator's XML plan, read token by token, line by line:
//   <ATCWaypoint id="OLM">
//     <ATCWaypointType>VOR</ATCWaypointType>
//     <WorldPosition>N46° 58' 17.90",W122° 54' 6.60",+000200.00</WorldPosition>
//     <ICAO><ICAOIdent>OLM</ICAOIdent></ICAO>
//   </ATCWaypoint>
// A leg is complete at the end of its element. Newer simulators may give the
// ident only in ICAOIdent and may leave out the position.
#include <string>

#include "nav/nav_lookup.h"
#include "nav/nav_plan.h"
#include "nav/nav_text.h"
#include "nav/nav_tokens.h"

namespace {

// 0xB0 is the degree sign in the single-byte code page and the second byte of
// its UTF-8 form, 0xC2 the first byte of that form.
constexpr std::string_view SEPARATORS = "< >=+,?\xB0\xC2'";
constexpr std::string_view VALUE_SEPARATORS = "< >=+,?\xB0\xC2'\"";
constexpr int POSITION_TOKENS = 6;
constexpr double MINUTES_PER_DEGREE = 60.0, SECONDS_PER_DEGREE = 3600.0;

struct Element {
  bool open = false;
  bool placed = false;
  char type = NAV_LEG_TYPE_NONE;
  std::string ident;
  double latitude = 0.0, longitude = 0.0;
};

char type_of(std::string_view text) {
  if (nav_contains(text, "Airport")) return 'A';
  if (nav_contains(text, "VOR")) return 'V';
  if (nav_contains(text, "Intersection")) return 'I';
  return NAV_LEG_TYPE_NONE;
}

bool starts_with_number(std::string_view token) {
  return !token.empty() && ((token[0] >= '0' && token[0] <= '9') || token[0] == '-' || token[0] == '.');
}

// Hemisphere letters in front of degrees, minutes and seconds; a third-party
// writer gives signed decimal degrees instead. False when tokens are missing.
bool position(NavTokenizer* tokenizer, double* latitude, double* longitude) {
  std::string_view t[POSITION_TOKENS];
  const int n = nav_take_tokens(tokenizer, VALUE_SEPARATORS, t, POSITION_TOKENS);
  if (n >= 2 && starts_with_number(t[0])) {
    *latitude = nav_parse_double(t[0]);
    *longitude = nav_parse_double(t[1]);
    return true;
  }
  if (n < POSITION_TOKENS || t[0].empty() || t[3].empty()) return false;
  // The letter goes, and with it only the letter: "W122" reads 122.
  double lat = nav_parse_double(t[0].substr(1)) + nav_parse_double(t[1]) / MINUTES_PER_DEGREE +
               nav_parse_double(t[2]) / SECONDS_PER_DEGREE;
  double lon = nav_parse_int(t[3].substr(1)) + nav_parse_int(t[4]) / MINUTES_PER_DEGREE +
               nav_parse_double(t[5]) / SECONDS_PER_DEGREE;
  *latitude = t[0][0] == 'S' ? -lat : lat;
  *longitude = t[3][0] == 'W' ? -lon : lon;
  return true;
}

void finish(Element* e, const NavDatabase* db, ActivePlan* plan, NavPlanIssues* issues) {
  if (!e->open) return;
  e->open = false;
  if (!e->placed && db && !e->ident.empty()) {
    const bool after_leg = plan->leg_count > 0 && plan->leg_count <= NAV_PLAN_MAX_LEGS;
    const NavPlanLeg* previous = after_leg ? &plan->legs[plan->leg_count - 1] : nullptr;
    float lat = 0.0f, lon = 0.0f;
    if (nav_find_position(db, e->ident.c_str(), e->type, previous != nullptr, previous ? previous->latitude : 0.0,
                          previous ? previous->longitude : 0.0, &lat, &lon)) {
      e->placed = true;
      e->latitude = lat;
      e->longitude = lon;
    }
  }
  if (e->placed) {
    nav_plan_add_leg(plan, issues, e->ident, e->type, e->latitude, e->longitude);
  } else {
    issues->unplaced.push_back(e->ident);
  }
}

}  // namespace

void nav_plan_parse_xml(std::string_view text, const NavDatabase* db, ActivePlan* plan, NavPlanIssues* issues) {
  Element e;
  NavLineCursor lines{text};
  std::string_view line;
  while (nav_next_line(&lines, &line)) {
    NavTokenizer tokenizer{line};
    std::string_view token;
    while (nav_next_token(&tokenizer, SEPARATORS, &token)) {
      std::string_view value[2];
      if (token == "ATCWaypoint") {
        finish(&e, db, plan, issues);
        e = Element();
        e.open = true;
        // id="IDENT": the attribute name, then the ident.
        if (nav_take_tokens(&tokenizer, VALUE_SEPARATORS, value, 2) == 2) e.ident = value[1];
      } else if (token == "ATCWaypointType") {
        if (nav_take_tokens(&tokenizer, VALUE_SEPARATORS, value, 1) == 1 && e.open) e.type = type_of(value[0]);
      } else if (token == "WorldPosition") {
        double lat = 0.0, lon = 0.0;
        if (position(&tokenizer, &lat, &lon) && e.open) {
          e.placed = true;
          e.latitude = lat;
          e.longitude = lon;
        }
      } else if (token == "ICAOIdent") {
        if (nav_take_tokens(&tokenizer, VALUE_SEPARATORS, value, 1) == 1 && e.open && e.ident.empty())
          e.ident = value[0];
      } else if (token == "/ATCWaypoint") {
        finish(&e, db, plan, issues);
      }
    }
  }
  finish(&e, db, plan, issues);
}
