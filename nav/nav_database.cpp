#include "nav/nav_database.h"

#include "nav/nav_field_stream.h"
#include "nav/nav_text.h"

namespace {

constexpr int NAVAID_FIELDS = 10;
constexpr int WAYPOINT_FIELDS = 4;
constexpr int AIRPORT_FIELDS_AFTER_MARKER = 4;
constexpr int RUNWAY_FIELDS_AFTER_MARKER = 3;

float degrees(std::string_view field) { return nav_float_or_zero(nav_parse_double(field) / NAV_COORDINATE_SCALE); }

// Reads `count` fields; false at end of text (a record cut short there is dropped).
bool read_fields(NavFieldStream* stream, std::string_view* fields, int count) {
  for (int i = 0; i < count; ++i)
    if (!nav_next_field(stream, &fields[i])) return false;
  return true;
}

NavRecord blank_record() { return NavRecord{}; }

}  // namespace

void nav_parse_navaids(std::string_view text, std::vector<NavRecord>* out) {
  out->clear();
  NavFieldStream stream;
  nav_field_stream_open(&stream, text);
  std::string_view f[NAVAID_FIELDS];
  while (read_fields(&stream, f, NAVAID_FIELDS)) {
    const bool vor = nav_parse_int(f[3]) != 0, dme = nav_parse_int(f[4]) != 0;
    int32_t type;
    if (vor) {
      type = dme ? NAV_TYPE_VOR_DME : NAV_TYPE_VOR;
    } else if (dme) {
      continue;  // a DME alone is no station of the map
    } else if (nav_contains(f[1], "ILS/")) {
      continue;
    } else {
      type = NAV_TYPE_NDB;
    }
    NavRecord r = blank_record();
    nav_copy_bounded(r.ident, sizeof r.ident, f[0]);
    nav_copy_bounded(r.name, sizeof r.name, f[1]);
    r.frequency = nav_float_or_zero(nav_parse_double(f[2]));
    r.latitude = degrees(f[6]);
    r.longitude = degrees(f[7]);
    r.category = NAV_CATEGORY_NAVAID;
    r.navaid_type = type;
    out->push_back(r);
  }
}

void nav_parse_waypoints(std::string_view text, std::vector<NavRecord>* out) {
  out->clear();
  NavFieldStream stream;
  nav_field_stream_open(&stream, text);
  std::string_view f[WAYPOINT_FIELDS];
  while (read_fields(&stream, f, WAYPOINT_FIELDS)) {
    NavRecord r = blank_record();
    nav_copy_bounded(r.ident, sizeof r.ident, f[0]);
    r.latitude = degrees(f[1]);
    r.longitude = degrees(f[2]);
    out->push_back(r);
  }
}

void nav_parse_airports(std::string_view text, int32_t min_runway_ft, std::vector<NavRecord>* out) {
  out->clear();
  NavFieldStream stream;
  nav_field_stream_open(&stream, text);
  std::string_view field;
  while (nav_next_field(&stream, &field)) {
    if (nav_contains(field, "A")) {
      std::string_view f[AIRPORT_FIELDS_AFTER_MARKER];
      if (!read_fields(&stream, f, AIRPORT_FIELDS_AFTER_MARKER)) break;
      NavRecord r = blank_record();
      nav_copy_bounded(r.ident, sizeof r.ident, f[0]);
      r.latitude = degrees(f[2]);
      r.longitude = degrees(f[3]);
      r.category = NAV_CATEGORY_AIRPORT;
      out->push_back(r);
    } else if (nav_contains(field, "R")) {
      std::string_view f[RUNWAY_FIELDS_AFTER_MARKER];
      if (!read_fields(&stream, f, RUNWAY_FIELDS_AFTER_MARKER)) break;
      // A runway before the first airport belongs to none and is passed over.
      if (!out->empty() && nav_parse_int(f[2]) >= min_runway_ft) out->back().runway_ok = 1;
    }
  }
}
