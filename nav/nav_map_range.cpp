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
// Far above the rounding of the cosine (1e-15) and of float coordinates
// (about 1e-7 degrees, 1e-9 in the cosine); 1e-6 is about 5 NM at 1 NM.
constexpr double COSINE_MARGIN = 1e-6;

bool passes(const NavRecord& r, NavMapFilter filter) {
  if (filter == NAV_FILTER_DRAWABLE_AIRPORT) return r.runway_ok != 0 && r.on_plan == 0;
  return true;
}

bool nearer(const NavMapCandidate& a, const NavMapCandidate& b) {
  return a.distance < b.distance || (a.distance == b.distance && a.index < b.index);
}

// Measures one record; when it lies within range and passes, offers it to
// the bounded selection (a max-heap of the nearest while filling).
void visit(NavRecord& r, uint32_t index, const NavMapOrigin& o, NavMapFilter filter, NavMapSelection* out) {
  const double d = nav_distance(o.latitude, o.longitude, r.latitude, r.longitude);
  r.distance = static_cast<float>(d);
  if (!(r.distance <= o.range_nm)) return;
  ++out->in_range;
  if (!passes(r, filter)) return;
  NavMapCandidate* heap = out->heap;
  const NavMapCandidate c{r.distance, index};
  if (out->count < NAV_MAP_NEAREST) {
    heap[out->count++] = c;
    std::push_heap(heap, heap + out->count, nearer);
  } else if (nearer(c, heap[0])) {
    std::pop_heap(heap, heap + out->count, nearer);
    heap[out->count - 1] = c;
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
void finish(const std::vector<NavRecord>& list, const NavMapOrigin& o, NavMapSelection* out) {
  std::sort_heap(out->heap, out->heap + out->count, nearer);
  for (int i = 0; i < out->count; ++i) {
    NavRecord& r = out->nearest[i];
    r = list[out->heap[i].index];
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
  index->sin_latitude.resize(list.size());
  index->cos_latitude.resize(list.size());
  for (size_t i = 0; i < list.size(); ++i) {
    index->sin_latitude[i] = std::sin(list[i].latitude * DEG_TO_RAD);
    index->cos_latitude[i] = std::cos(list[i].latitude * DEG_TO_RAD);
  }
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
  const auto band_begin = index->order.begin() + (first - index->latitude.begin());
  const auto band_end = index->order.begin() + (last - index->latitude.begin());
  const double lon_band = longitude_band_deg(origin.range_nm, low, high);
  // The cosine of the central angle with one trigonometric call per record
  // turns away the records plainly beyond range; the margin leaves every
  // record near the ring to the exact distance, as the scan measures it.
  const double sin0 = std::sin(origin.latitude * DEG_TO_RAD), cos0 = std::cos(origin.latitude * DEG_TO_RAD);
  const double arc = origin.range_nm / NM_PER_RADIAN_OF_ARC;
  const double cos_limit = arc < PI ? std::cos(arc) - COSINE_MARGIN : -2.0;
  for (auto it = band_begin; it != band_end; ++it) {
    const uint32_t i = *it;
    const NavRecord& r = list[i];
    if (!within_longitude_band(r.longitude, origin.longitude, lon_band)) continue;
    const double cos_arc = sin0 * index->sin_latitude[i] +
                           cos0 * index->cos_latitude[i] * std::cos((r.longitude - origin.longitude) * DEG_TO_RAD);
    if (cos_arc < cos_limit) continue;
    visit(list[i], i, origin, filter, out);
  }
  finish(list, origin, out);
}

void nav_map_select_scan(std::vector<NavRecord>& list, const NavMapOrigin& origin, NavMapFilter filter,
                         NavMapSelection* out) {
  start(origin, out);
  for (size_t i = 0; i < list.size(); ++i) visit(list[i], static_cast<uint32_t>(i), origin, filter, out);
  finish(list, origin, out);
}
