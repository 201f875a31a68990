#pragma once
// The three database readers: navaids, waypoints and airports, each from the
// whole text of its file. Records are read field by field from the running
// field stream, by position; coordinates are millionths of a degree.
//
// Navaid line (10 fields): ident | name | frequency | VOR flag | DME flag |
//   (skipped) | latitude | longitude | (skipped) | (skipped)
//   VOR only: VOR type; VOR and DME: VOR-DME type; neither: a beacon, unless
//   the name holds "ILS/" (dropped); DME only: dropped.
// Waypoint line (4 fields): ident | latitude | longitude | (skipped)
// Airport file: a field holding "A" starts an airport (ident | name skipped |
//   latitude | longitude); else a field holding "R" starts a runway (three
//   fields, the third its length in feet), which marks the airport before it
//   runway-ok when long enough; any other field is passed over.
#include <cstdint>
#include <string_view>
#include <vector>

#include "nav/nav_record.h"

constexpr double NAV_COORDINATE_SCALE = 1e6;  // file units per degree

// Each replaces the list's contents with the records of `text`.
void nav_parse_navaids(std::string_view text, std::vector<NavRecord>* out);
void nav_parse_waypoints(std::string_view text, std::vector<NavRecord>* out);
void nav_parse_airports(std::string_view text, int32_t min_runway_ft, std::vector<NavRecord>* out);
