#include "nav/nav_database_files.h"

#include <string>

#include "nav/nav_database.h"
#include "nav/nav_error_log.h"
#include "platform/files.h"

namespace {

// Windows-style folders ("data\") read the same.
std::string in_folder(const char* folder, const char* name) {
  std::string path(folder ? folder : "");
  for (char& c : path)
    if (c == '\\') c = '/';
  if (!path.empty() && path.back() != '/') path += '/';
  return path + name;
}

bool read_database_file(const char* folder, const char* name, std::string* text) {
  std::string path;
  return find_file_any_case(in_folder(folder, name), &path) &&
         read_file_bounded(path.c_str(), NAV_DATABASE_FILE_LIMIT, text);
}

template <typename Parse>
bool load(const char* folder, const char* name, const char* error_line, std::vector<NavRecord>* list,
          const char* error_log, Parse parse) {
  std::string text;
  if (!read_database_file(folder, name, &text)) {
    list->clear();
    nav_log_error(error_log, error_line);
    return false;
  }
  parse(text, list);
  return true;
}

}  // namespace

bool nav_load_navaids(const char* folder, std::vector<NavRecord>* list, const char* error_log) {
  return load(folder, NAV_NAVAID_FILE, NAV_NAVAID_FILE_ERROR, list, error_log, nav_parse_navaids);
}

bool nav_load_waypoints(const char* folder, std::vector<NavRecord>* list, const char* error_log) {
  return load(folder, NAV_WAYPOINT_FILE, NAV_WAYPOINT_FILE_ERROR, list, error_log, nav_parse_waypoints);
}

bool nav_load_airports(const char* folder, int32_t min_runway_ft, std::vector<NavRecord>* list,
                       const char* error_log) {
  return load(folder, NAV_AIRPORT_FILE, NAV_AIRPORT_FILE_ERROR, list, error_log,
              [min_runway_ft](std::string_view text, std::vector<NavRecord>* out) {
                nav_parse_airports(text, min_runway_ft, out);
              });
}

void nav_database_load(NavDatabase* db, const char* folder, int32_t min_runway_ft, const char* error_log) {
  nav_load_navaids(folder, &db->navaids, error_log);
  nav_load_waypoints(folder, &db->waypoints, error_log);
  nav_load_airports(folder, min_runway_ft, &db->airports, error_log);
}
