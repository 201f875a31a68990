// X-Plane-format navigation data: nav.dat (navaids), fix.dat (waypoints) and
// apt.dat (airports and runways), versions 810 to 1100 and later. Rows are
// whitespace-separated; a header row "NNN Version ..." gives the version and
// row 99 ends the file.
#include <cmath>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "nav/nav_geodesy.h"
#include "nav/nav_text.h"
#include "tools/navdata_import.h"
#include "tools/navdata_lines.h"

namespace {

constexpr int ROW_END = 99;
constexpr int NAV_NDB = 2, NAV_VOR = 3, NAV_DME = 12, NAV_DME_STANDALONE = 13;
constexpr int APT_AIRPORT = 1, APT_SEAPLANE_BASE = 16, APT_HELIPORT = 17;
constexpr int APT_OLD_RUNWAY = 10, APT_TOWER = 14, APT_START = 15;
constexpr int APT_RUNWAY = 100, APT_WATER_RUNWAY = 101, APT_HELIPAD = 102, APT_METADATA = 1302;
constexpr int VERSION_WITH_REGIONS = 1100;  // nav.dat and fix.dat rows carry region codes
constexpr double DME_PAIR_NM = 1.0;        // a DME this close to a VOR of its ident is that VOR's
constexpr double FEET_PER_NM = 6076.12;
constexpr double FEET_PER_METRE = 3.28084;
constexpr double VOR_FREQUENCY_UNITS_PER_MHZ = 100.0;  // nav.dat gives VORs in 10 kHz

const char* const DROP_LOCALISER = "localiser, glideslope and marker rows (and their DMEs)";
const char* const DROP_DME = "DMEs without a VOR";
const char* const DROP_MALFORMED = "malformed rows";
const char* const DROP_OTHER_ROWS = "rows of other kinds";
const char* const DROP_NO_POSITION = "airports without a runway or other position";

std::vector<std::string_view> words(const std::string& line) {
  std::vector<std::string_view> out;
  std::string_view rest(line);
  while (true) {
    size_t start = rest.find_first_not_of(" \t");
    if (start == std::string_view::npos) break;
    size_t end = rest.find_first_of(" \t", start);
    out.push_back(rest.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) break;
    rest = rest.substr(end);
  }
  return out;
}

// The words from `first` on, as one text.
std::string rest_of(const std::vector<std::string_view>& w, size_t first) {
  std::string text;
  for (size_t i = first; i < w.size(); ++i) {
    if (!text.empty()) text += ' ';
    text.append(w[i].data(), w[i].size());
  }
  return text;
}

double num(std::string_view word) { return nav_parse_double(word); }

// The file's first rows: its origin ("I" or "A") and "NNN Version - ...",
// which gives the version.
bool header_row(const std::vector<std::string_view>& w, int* version) {
  if (w.size() == 1 && (w[0] == "I" || w[0] == "A")) return true;
  if (w.size() < 2 || w[1] != "Version") return false;
  *version = nav_parse_int(w[0]);
  return true;
}

void drop(ImportData* data, const char* reason) { data->dropped[reason]++; }

// Calls row(words, version) for every data row up to the end row; false
// (with `error`) when the file cannot be read.
template <typename Row>
bool read_rows(const std::string& path, ImportData* data, std::string* error, Row row) {
  NavdataLines lines;
  if (!navdata_lines_open(&lines, path, data->progress, error)) return false;
  int version = 0;
  std::string line;
  while (navdata_next_line(&lines, &line)) {
    std::vector<std::string_view> w = words(line);
    if (w.empty() || header_row(w, &version)) continue;
    if (w.size() == 1 && nav_parse_int(w[0]) == ROW_END) break;
    row(w, version);
  }
  navdata_lines_close(&lines);
  return true;
}

// Keeps a record that fits the database and lies in the region.

struct Dme {
  double latitude, longitude;
  bool paired;
  bool approach;  // part of a localiser or ILS
};

}  // namespace

bool navdata_read_xplane_nav(const std::string& path, ImportData* data, std::string* error) {
  std::vector<ImportNavaid> stations;
  std::unordered_multimap<std::string, Dme> dmes;
  const bool read = read_rows(path, data, error, [&](const std::vector<std::string_view>& w, int version) {
    const int code = nav_parse_int(w[0]);
    const size_t name_at = version >= VERSION_WITH_REGIONS ? 10 : 8;
    if (code >= 4 && code <= 9) return drop(data, DROP_LOCALISER);
    if (code != NAV_NDB && code != NAV_VOR && code != NAV_DME && code != NAV_DME_STANDALONE)
      return drop(data, DROP_OTHER_ROWS);
    if (w.size() < name_at) return drop(data, DROP_MALFORMED);
    const std::string ident(w[7]);
    if (code == NAV_DME || code == NAV_DME_STANDALONE) {
      const std::string name = rest_of(w, name_at);
      const bool approach = nav_contains(name, "ILS") || nav_contains(name, "LOC");
      dmes.emplace(ident, Dme{num(w[1]), num(w[2]), false, approach});
      return;
    }
    ImportNavaid n;
    n.ident = ident;
    n.name = rest_of(w, name_at);
    n.vor = code == NAV_VOR;
    n.latitude = num(w[1]);
    n.longitude = num(w[2]);
    n.elevation_ft = nav_parse_int(w[3]);
    n.frequency = n.vor ? num(w[4]) / VOR_FREQUENCY_UNITS_PER_MHZ : num(w[4]);
    stations.push_back(n);
  });
  if (!read) return false;
  data->has_navaids = true;

  for (ImportNavaid& n : stations) {
    if (n.vor) {
      auto [first, last] = dmes.equal_range(n.ident);
      for (auto it = first; it != last; ++it) {
        if (nav_distance(n.latitude, n.longitude, it->second.latitude, it->second.longitude) <= DME_PAIR_NM) {
          n.dme = true;
          it->second.paired = true;
        }
      }
    }
    if (navdata_admit(data, n.ident, n.latitude, n.longitude)) data->navaids.push_back(n);
  }
  for (const auto& entry : dmes)
    if (!entry.second.paired) drop(data, entry.second.approach ? DROP_LOCALISER : DROP_DME);
  return true;
}

bool navdata_read_xplane_fix(const std::string& path, ImportData* data, std::string* error) {
  const bool read = read_rows(path, data, error, [&](const std::vector<std::string_view>& w, int version) {
    if (w.size() < 3) return drop(data, DROP_MALFORMED);
    ImportWaypoint p;
    p.latitude = num(w[0]);
    p.longitude = num(w[1]);
    p.ident = std::string(w[2]);
    if (version >= VERSION_WITH_REGIONS && w.size() >= 5) p.region = std::string(w[4]);
    if (navdata_admit(data, p.ident, p.latitude, p.longitude)) data->waypoints.push_back(p);
  });
  data->has_waypoints = data->has_waypoints || read;
  return read;
}

namespace {

// One airport being read from apt.dat, with the points that place it.
struct AirportRows {
  bool open = false;
  ImportAirport airport;
  bool has_datum_lat = false, has_datum_lon = false;
  double datum_lat = 0, datum_lon = 0;
  double runway_sum[2] = {0, 0};
  int runway_points = 0;
  double other_sum[2] = {0, 0};
  int other_points = 0;
};

void add_point(double* sum, int* count, double latitude, double longitude) {
  sum[0] += latitude;
  sum[1] += longitude;
  ++*count;
}

void finish_airport(AirportRows* rows, ImportData* data) {
  if (!rows->open) return;
  rows->open = false;
  ImportAirport& a = rows->airport;
  if (rows->has_datum_lat && rows->has_datum_lon) {
    a.latitude = rows->datum_lat;
    a.longitude = rows->datum_lon;
  } else if (rows->runway_points > 0) {
    a.latitude = rows->runway_sum[0] / rows->runway_points;
    a.longitude = rows->runway_sum[1] / rows->runway_points;
  } else if (rows->other_points > 0) {
    a.latitude = rows->other_sum[0] / rows->other_points;
    a.longitude = rows->other_sum[1] / rows->other_points;
  } else {
    drop(data, DROP_NO_POSITION);
    return;
  }
  if (navdata_admit(data, a.ident, a.latitude, a.longitude)) data->airports.push_back(std::move(a));
}

void runway_row(const std::vector<std::string_view>& w, AirportRows* rows, ImportData* data) {
  if (w.size() < 20) {
    drop(data, DROP_MALFORMED);
    return;
  }
  const double lat1 = num(w[9]), lon1 = num(w[10]), lat2 = num(w[18]), lon2 = num(w[19]);
  ImportRunway r;
  r.ident = std::string(w[8]) + "/" + std::string(w[17]);
  r.width_ft = nav_round(num(w[1]) * FEET_PER_METRE);
  r.length_ft = nav_round(nav_distance(lat1, lon1, lat2, lon2) * FEET_PER_NM);
  rows->airport.runways.push_back(r);
  add_point(rows->runway_sum, &rows->runway_points, lat1, lon1);
  add_point(rows->runway_sum, &rows->runway_points, lat2, lon2);
}

// The 810 layout's runway row: centre, number ("xxx" for a taxiway), length and width in feet.
void old_runway_row(const std::vector<std::string_view>& w, AirportRows* rows, ImportData* data) {
  if (w.size() < 9) {
    drop(data, DROP_MALFORMED);
    return;
  }
  if (w[3] == "xxx") return;
  ImportRunway r;
  r.ident = std::string(w[3]);
  r.length_ft = nav_parse_int(w[5]);
  r.width_ft = nav_parse_int(w[8]);
  rows->airport.runways.push_back(r);
  add_point(rows->runway_sum, &rows->runway_points, num(w[1]), num(w[2]));
}

}  // namespace

bool navdata_read_xplane_apt(const std::string& path, ImportData* data, std::string* error) {
  AirportRows rows;
  const bool read = read_rows(path, data, error, [&](const std::vector<std::string_view>& w, int) {
    const int code = nav_parse_int(w[0]);
    if (code == APT_AIRPORT || code == APT_SEAPLANE_BASE || code == APT_HELIPORT) {
      finish_airport(&rows, data);
      if (w.size() < 5) return drop(data, DROP_MALFORMED);
      rows = AirportRows();
      rows.open = true;
      rows.airport.ident = std::string(w[4]);
      rows.airport.name = rest_of(w, 5);
      rows.airport.elevation_ft = nav_parse_int(w[1]);
      return;
    }
    if (!rows.open) return;
    if (code == APT_RUNWAY) {
      runway_row(w, &rows, data);
    } else if (code == APT_OLD_RUNWAY) {
      old_runway_row(w, &rows, data);
    } else if (code == APT_WATER_RUNWAY && w.size() >= 9) {
      add_point(rows.other_sum, &rows.other_points, num(w[4]), num(w[5]));
      add_point(rows.other_sum, &rows.other_points, num(w[7]), num(w[8]));
    } else if (code == APT_HELIPAD && w.size() >= 4) {
      add_point(rows.other_sum, &rows.other_points, num(w[2]), num(w[3]));
    } else if ((code == APT_TOWER || code == APT_START) && w.size() >= 3) {
      add_point(rows.other_sum, &rows.other_points, num(w[1]), num(w[2]));
    } else if (code == APT_METADATA && w.size() >= 3) {
      if (w[1] == "datum_lat") rows.has_datum_lat = true, rows.datum_lat = num(w[2]);
      if (w[1] == "datum_lon") rows.has_datum_lon = true, rows.datum_lon = num(w[2]);
    }
  });
  finish_airport(&rows, data);
  data->has_airports = data->has_airports || read;
  return read;
}
