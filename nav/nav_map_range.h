#pragma once
// The map's in-range selection: the records of one database list within the
// selected range of the aircraft, nearest first, at most NAV_MAP_NEAREST of
// them. A latitude index built once per list narrows each scan to the band
// of latitudes the range can reach; the band is wider than the range, so the
// set found is exactly that of a scan of the whole list.
//
// Reads: the list's coordinates and flags. Writes: the distance of every
// record it measures, and the bounded selection with the display courses
// of the records kept.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "nav/nav_record.h"

constexpr int NAV_MAP_NEAREST = 20;
constexpr float NAV_MAP_NEAR_NM = 1e-5f;  // closer than this: course 0 plus variation

// Record indices of a list sorted by latitude; rebuilt when the list's size
// changes (the lists change only at load).
struct NavLatitudeIndex {
  const NavRecord* base;   // the list the index was built for
  size_t size;
  std::vector<uint32_t> order;
  std::vector<float> latitude;  // latitude of order[i], ascending
  std::vector<double> sin_latitude, cos_latitude;  // of each record, in list order
};

// Which records may join the selection (applied before the nearest cut).
enum NavMapFilter { NAV_FILTER_ALL, NAV_FILTER_DRAWABLE_AIRPORT };

struct NavMapCandidate {
  float distance;
  uint32_t index;  // in the list; breaks ties, so the order of visits does not matter
};

struct NavMapSelection {
  int count;
  NavRecord nearest[NAV_MAP_NEAREST];  // copies, ascending distance
  int in_range;                        // records within range before the filter and the cut
  NavMapCandidate heap[NAV_MAP_NEAREST];  // working set of the selection
};

struct NavMapOrigin {
  double latitude, longitude;  // aircraft, degrees
  double variation;            // magnetic variation, degrees
  double range_nm;
};

void nav_latitude_index_update(NavLatitudeIndex* index, const std::vector<NavRecord>& list);

// The selection through the index (the map's refresh).
void nav_map_select(std::vector<NavRecord>& list, NavLatitudeIndex* index, const NavMapOrigin& origin,
                    NavMapFilter filter, NavMapSelection* out);
// The same selection from a scan of the whole list (the reference).
void nav_map_select_scan(std::vector<NavRecord>& list, const NavMapOrigin& origin, NavMapFilter filter,
                         NavMapSelection* out);
