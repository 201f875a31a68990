#include "nav/nav_map_range.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "nav/nav_geodesy.h"

namespace {

constexpr double NM_PER_DEGREE_OF_LATITUDE = 60.0;
// A great-circle distance never undercuts the latitude difference; the
// margin covers the float coordinates and the rounded mile constant.
constexpr double BAND_MARGIN_DEG = 0.01;
constexpr double NM_PER_RADIAN_OF_ARC = 3437.7467703360626;
constexpr double DEG_TO_RAD = 0.017453292519943295;
constexpr double PI = 3.141592653589793;

bool passes(const NavRecord& r, NavMapFilter filter) {
  if (filter == NAV_FILTER_DRAWABLE_AIRPORT) return r.runway_ok != 0 && r.on_plan == 0;
  return true;
}

bool nearer(const NavRecord& a, const NavRecord& b) { return a.distance < b.distance; }

// Measures one record; when it lies within range and passes, offers it to
// the bounded selection (a max-heap of the nearest while filling).
void visit(NavRecord& r, const NavMapOrigin& o, NavMapFilter filter, NavMapSelection* out) {
  const double d = nav_distance(o.latitude, o.longitude, r.latitude, r.longitude);
  r.distance = static_cast<float>(d);
  if (!(r.distance <= o.range_nm)) return;
  ++out->in_range;
  if (!passes(r, filter)) return;
  NavRecord* heap = out->nearest;
  if (out->count < NAV_MAP_NEAREST) {
    heap[out->count++] = r;
    std::push_heap(heap, heap + out->count, nearer);
  } else if (r.distance < heap[0].distance) {
    std::pop_heap(heap, heap + out->count, nearer);
    heap[out->count - 1] = r;
    std::push_heap(heap, heap + out->count, nearer);
  }
}

// Widest longitude difference a point of the latitude band low..high may
// have and still lie within range: from the haversine,
// hav(d) >= cos(lat1) cos(lat2) hav(dlon) >= cos^2(lat_max) hav(dlon).
// 180 when the band reaches a pole or the range half the globe.
double longitude_band_deg(double range_nm, double low, double high) {
  const double arc = range_nm / NM_PER_RADIAN_OF_ARC;
  const double lat_max = std::max(std::fabs(low), std::fabs(high)) * DEG_TO_RAD;
  const double cos_lat = std::cos(lat_max);
  if (arc >= PI || lat_max >= PI / 2 || cos_lat <= 0.0) return 180.0;
  const double s = std::sin(arc / 2) / cos_lat;
  if (s >= 1.0) return 180.0;
  return 2.0 * std::asin(s) / DEG_TO_RAD + BAND_MARGIN_DEG;
}

bool within_longitude_band(double lon, double origin_lon, double band) {
  if (band >= 180.0) return true;
  double d = std::fabs(lon - origin_lon);
  if (d > 180.0) d = 360.0 - d;
  return d <= band;
}

void start(const NavMapOrigin&, NavMapSelection* out) {
  out->count = 0;
  out->in_range = 0;
}

// Courses only for the records kept: the map draws no other, and the
// course costs more than the distance.
void finish(const NavMapOrigin& o, NavMapSelection* out) {
  std::sort_heap(out->nearest, out->nearest + out->count, nearer);
  for (int i = 0; i < out->count; ++i) {
    NavRecord& r = out->nearest[i];
    const double course =
        r.distance >= NAV_MAP_NEAR_NM ? nav_map_course(o.latitude, o.longitude, r.latitude, r.longitude, r.distance) : 0.0;
    r.display_course = static_cast<float>(course + o.variation);
  }
}

}  // namespace

void nav_latitude_index_update(NavLatitudeIndex* index, const std::vector<NavRecord>& list) {
  if (index->base == list.data() && index->size == list.size() && index->order.size() == list.size()) return;
  index->base = list.data();
  index->size = list.size();
  index->order.resize(list.size());
  std::iota(index->order.begin(), index->order.end(), 0u);
  std::sort(index->order.begin(), index->order.end(),
            [&](uint32_t a, uint32_t b) { return list[a].latitude < list[b].latitude; });
  index->latitude.resize(list.size());
  for (size_t i = 0; i < list.size(); ++i) index->latitude[i] = list[index->order[i]].latitude;
}

void nav_map_select(std::vector<NavRecord>& list, NavLatitudeIndex* index, const NavMapOrigin& origin,
                    NavMapFilter filter, NavMapSelection* out) {
  start(origin, out);
  nav_latitude_index_update(index, list);
  const double band = origin.range_nm / NM_PER_DEGREE_OF_LATITUDE + BAND_MARGIN_DEG;
  const float low = static_cast<float>(origin.latitude - band);
  const float high = static_cast<float>(origin.latitude + band);
  auto first = std::lower_bound(index->latitude.begin(), index->latitude.end(), low);
  auto last = std::upper_bound(first, index->latitude.end(), high);
  // Visited in list order, so that ties in distance resolve as in a scan.
  std::vector<uint32_t>& band_records = index->scratch;
  band_records.assign(index->order.begin() + (first - index->latitude.begin()),
                      index->order.begin() + (last - index->latitude.begin()));
  std::sort(band_records.begin(), band_records.end());
  const double lon_band = longitude_band_deg(origin.range_nm, low, high);
  for (uint32_t i : band_records) {
    if (!within_longitude_band(list[i].longitude, origin.longitude, lon_band)) continue;
    visit(list[i], origin, filter, out);
  }
  finish(origin, out);
}

void nav_map_select_scan(std::vector<NavRecord>& list, const NavMapOrigin& origin, NavMapFilter filter,
                         NavMapSelection* out) {
  start(origin, out);
  for (NavRecord& r : list) visit(r, origin, filter, out);
  finish(origin, out);
}
