#pragma once
// The navigation record shared by the navaid, waypoint and airport lists, and
// the database that holds the three lists for the life of the program.
#include <cstdint>
#include <vector>

// Identifiers up to 7 characters: five-letter fixes and the longer airport
// codes fit whole. Names are cut at 22 characters.
constexpr int NAV_IDENT_CAPACITY = 8;
constexpr int NAV_NAME_CAPACITY = 23;

constexpr int32_t NAV_CATEGORY_AIRPORT = 0;  // waypoints keep 0 as well
constexpr int32_t NAV_CATEGORY_NAVAID = 1;

constexpr int32_t NAV_TYPE_NDB = 1;
constexpr int32_t NAV_TYPE_VOR = 2;
constexpr int32_t NAV_TYPE_VOR_DME = 3;

// The minimum runway length the configuration file starts with, in feet.
constexpr int32_t NAV_DEFAULT_MIN_RUNWAY_FT = 5000;

struct NavRecord {
  char ident[NAV_IDENT_CAPACITY];
  char name[NAV_NAME_CAPACITY];  // navaids only
  float latitude, longitude;     // degrees, north and east positive
  float distance;                // NM from the aircraft (the map fills it)
  float display_course;          // symbol angle on the map (the map fills it)
  uint8_t runway_ok;             // airports: a runway at least the minimum length
  uint8_t on_plan;               // airports: a leg of the active plan
  int32_t category;              // NAV_CATEGORY_*
  int32_t navaid_type;           // navaids: NAV_TYPE_*
  // Navaids: the file's third field as written (MHz for a VOR, kHz for a
  // beacon). The display unit has no use for it; the stand-in simulator's
  // receivers tune by it.
  float frequency;
};

struct NavDatabase {
  std::vector<NavRecord> navaids, waypoints, airports;
};
