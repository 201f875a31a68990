#pragma once
// The navigation-data import: records gathered from X-Plane-format nav.dat,
// fix.dat and apt.dat and from OurAirports CSV files, then written as the
// display unit's three database files (navaids.txt, waypoints.txt,
// Airports.txt). Fields are chosen so that the unit's position-based reader
// takes every record as intended: no "|" inside a field, no empty last field,
// only numbers after an airport's name or a runway's ident (a field holding
// "A" or "R" there would start a record), no "ILS/" in a beacon's name.
#include <map>
#include <string>
#include <vector>

struct ImportNavaid {
  std::string ident, name;
  bool vor = false, dme = false;  // neither: a beacon
  double frequency = 0;           // MHz for a VOR, kHz for a beacon
  double latitude = 0, longitude = 0;
  int elevation_ft = 0;
};

struct ImportWaypoint {
  std::string ident, region;
  double latitude = 0, longitude = 0;
};

struct ImportRunway {
  std::string ident;  // "16L/34R"
  int width_ft = 0, length_ft = 0;
};

struct ImportAirport {
  std::string ident, name;
  double latitude = 0, longitude = 0;
  int elevation_ft = 0;
  std::vector<ImportRunway> runways;
};

// A latitude/longitude box; west > east crosses the date line.
struct ImportRegion {
  bool set = false;
  double south = -90, west = -180, north = 90, east = 180;
};
bool navdata_parse_region(const std::string& text, ImportRegion* region);
bool navdata_in_region(const ImportRegion& region, double latitude, double longitude);

struct ImportData {
  ImportRegion region;
  bool progress = false;
  bool has_navaids = false, has_waypoints = false, has_airports = false;  // which files to write
  std::vector<ImportNavaid> navaids;
  std::vector<ImportWaypoint> waypoints;
  std::vector<ImportAirport> airports;
  std::map<std::string, long> dropped;  // reason -> records
  std::vector<std::string> notes;       // told to the user with the summary
};

// Each adds to `data`; false (with `error`) when the file cannot be read.
bool navdata_read_xplane_nav(const std::string& path, ImportData* data, std::string* error);
bool navdata_read_xplane_fix(const std::string& path, ImportData* data, std::string* error);
bool navdata_read_xplane_apt(const std::string& path, ImportData* data, std::string* error);
// OurAirports: navaids.csv; airports.csv with (optionally) runways.csv. Without
// airports.csv the runways have no airport to go to (its positions are only
// there), so such an import yields navaids only.
bool navdata_read_ourairports_navaids(const std::string& path, ImportData* data, std::string* error);
bool navdata_read_ourairports_airports(const std::string& airports_path, const std::string& runways_path,
                                       ImportData* data, std::string* error);

// The three files' text (each "" when that list was not imported).
std::string navdata_navaid_text(const ImportData& data);
std::string navdata_waypoint_text(const ImportData& data);
std::string navdata_airport_text(const ImportData& data);
// Writes the imported files into `folder` (made when missing), each through
// a temporary file; false with `error` on the first that fails.
bool navdata_write(const ImportData& data, const std::string& folder, std::string* error);
// One line per written list and per reason of dropping.
std::string navdata_summary(const ImportData& data, const std::string& folder);

// Text as the database takes it: "|" and control characters become blanks,
// Latin-1 or UTF-8 accented letters their plain letters, other bytes above
// ASCII "?"; blanks at both ends trimmed.
std::string navdata_clean_text(const std::string& text);
// An ident the database holds whole (1..7 printable characters, no "|").
bool navdata_ident_ok(const std::string& ident);
// True for a record to keep: an ident the database holds, a position on the
// earth, inside the region; else counts why it is dropped.
bool navdata_admit(ImportData* data, const std::string& ident, double latitude, double longitude);
