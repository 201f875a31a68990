#include "server/navdata_stations.h"

#include <algorithm>
#include <cstring>
#include <fstream>

#include "nav/nav_database.h"
#include "nav/nav_database_files.h"
#include "server/aircraft_geo.h"

bool station_database_load(const char* folder, StationDatabase* db, std::string* error) {
  const std::string path = std::string(folder) + "/" + NAV_NAVAID_FILE;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    *error = "no " + std::string(NAV_NAVAID_FILE) + " in " + folder;
    return false;
  }
  std::string text;
  char chunk[64 * 1024];
  while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
    text.append(chunk, static_cast<size_t>(in.gcount()));
    if (text.size() > NAV_DATABASE_FILE_LIMIT) {
      *error = path + " is too large for a navigation database";
      return false;
    }
  }
  station_database_from_text(text, db);
  return true;
}

void station_database_from_text(const std::string& text, StationDatabase* db) {
  std::vector<NavRecord> navaids;
  nav_parse_navaids(text, &navaids);
  db->stations.clear();
  for (const NavRecord& r : navaids) {
    ScenarioNavaid n{};
    std::strncpy(n.ident, r.ident, sizeof n.ident - 1);
    n.kind = r.navaid_type == NAV_TYPE_NDB ? NAVAID_NDB : r.navaid_type == NAV_TYPE_VOR ? NAVAID_VOR : NAVAID_VOR_DME;
    n.frequency = r.frequency;
    n.lat = r.latitude;
    n.lon = r.longitude;
    db->stations.push_back(n);
  }
  std::sort(db->stations.begin(), db->stations.end(),
            [](const ScenarioNavaid& a, const ScenarioNavaid& b) { return a.frequency < b.frequency; });
}

const ScenarioNavaid* station_database_find(const StationDatabase* db, bool beacon, double frequency,
                                            double tolerance, double lat, double lon, double range_nm) {
  auto it = std::lower_bound(db->stations.begin(), db->stations.end(), frequency - tolerance,
                             [](const ScenarioNavaid& n, double f) { return n.frequency < f; });
  const ScenarioNavaid* best = nullptr;
  double best_nm = range_nm;
  for (; it != db->stations.end() && it->frequency <= frequency + tolerance; ++it) {
    if ((it->kind == NAVAID_NDB) != beacon) continue;
    const double d = geo_distance_nm(lat, lon, it->lat, it->lon);
    if (d <= best_nm) {
      best = &*it;
      best_nm = d;
    }
  }
  return best;
}
