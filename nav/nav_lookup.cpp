#include "nav/nav_lookup.h"

#include <cstring>

#include "nav/nav_geodesy.h"

namespace {

// The lists a leg of `type` is looked up in, in order; returns how many.
int lists_for(const NavDatabase* db, char type, const std::vector<NavRecord>* lists[3]) {
  switch (type) {
    case 'A': lists[0] = &db->airports; return 1;
    case 'V': lists[0] = &db->navaids; return 1;
    case 'I': lists[0] = &db->waypoints; return 1;
    default:
      lists[0] = &db->navaids;
      lists[1] = &db->waypoints;
      lists[2] = &db->airports;
      return 3;
  }
}

}  // namespace

bool nav_find_position(const NavDatabase* db, const char* ident, char type, bool use_near, double near_lat,
                       double near_lon, float* latitude, float* longitude) {
  const NavRecord* best = nullptr;
  double best_distance = 0.0;
  const std::vector<NavRecord>* lists[3];
  int count = lists_for(db, type, lists);
  for (int i = 0; i < count && !(best && !use_near); ++i) {
    for (const NavRecord& r : *lists[i]) {
      if (std::strcmp(r.ident, ident) != 0) continue;
      double d = use_near ? nav_distance(near_lat, near_lon, r.latitude, r.longitude) : 0.0;
      if (!best || d < best_distance) {
        best = &r;
        best_distance = d;
      }
      if (!use_near) break;
    }
  }
  if (!best) return false;
  *latitude = best->latitude;
  *longitude = best->longitude;
  return true;
}
