#pragma once
// Loading the three database files of a data folder ("data" beside the
// unit): "navaids.txt", "waypoints.txt" and "Airports.txt", each found with a
// case-insensitive fallback. A file that cannot be read leaves its list empty
// and appends its line to the error log; the program runs on without it.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "nav/nav_record.h"

constexpr const char* NAV_DATA_FOLDER = "data";
constexpr const char* NAV_NAVAID_FILE = "navaids.txt";
constexpr const char* NAV_WAYPOINT_FILE = "waypoints.txt";
constexpr const char* NAV_AIRPORT_FILE = "Airports.txt";
// A whole-world file is about 10 MB; anything far larger is not a database.
constexpr size_t NAV_DATABASE_FILE_LIMIT = 256u << 20;

// The navaid file shares the waypoint file's message.
constexpr const char* NAV_NAVAID_FILE_ERROR = "ERROR - Could not open waypoint database, none found?\n";
constexpr const char* NAV_WAYPOINT_FILE_ERROR = "ERROR - Could not open waypoint database, none found?\n";
constexpr const char* NAV_AIRPORT_FILE_ERROR = "ERROR - Could not open airport database, none found?\n";

bool nav_load_navaids(const char* folder, std::vector<NavRecord>* list, const char* error_log);
bool nav_load_waypoints(const char* folder, std::vector<NavRecord>* list, const char* error_log);
bool nav_load_airports(const char* folder, int32_t min_runway_ft, std::vector<NavRecord>* list,
                       const char* error_log);
// All three, in that order.
void nav_database_load(NavDatabase* db, const char* folder, int32_t min_runway_ft, const char* error_log);
