// Radio receivers (NAV, ADF, markers) computed from the scenario's navaids,
// then the navigation database's stations, and the frequencies the units
// tune, and the handling of every offset the units write.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "server/aircraft_geo.h"
#include "server/aircraft_model.h"
#include "server/navdata_stations.h"

namespace {

constexpr double VOR_FULL_SCALE_DEG = 10, LOC_FULL_SCALE_DEG = 2.5, GS_FULL_SCALE_DEG = 0.7;
constexpr double NEEDLE_FULL = 127;
constexpr double LOC_RANGE_NM = 25, LOC_SECTOR_DEG = 35, GS_RANGE_NM = 10;
constexpr double NDB_RANGE_NM = 100, VOR_MIN_RANGE_NM = 45, VOR_MAX_RANGE_NM = 160;
constexpr double MARKER_CONE_DEG = 35, MARKER_MAX_HEIGHT_FT = 6000;
constexpr double NAV_TOLERANCE_MHZ = 0.005, ADF_TOLERANCE_KHZ = 0.5;

double clampd(double v, double lo, double hi) { return v < lo ? lo : v > hi ? hi : v; }

void copy_ident(char* out, const char* ident) {
  size_t n = strnlen(ident, SCENARIO_MAX_IDENT - 1);
  std::memcpy(out, ident, n);
  out[n] = '\0';
}

double needle(double deviation_deg, double full_scale_deg) {
  return clampd(deviation_deg / full_scale_deg * NEEDLE_FULL, -NEEDLE_FULL, NEEDLE_FULL);
}

// Fills NAV receiver i from station `n` when the aircraft receives it; false
// (receiver untouched) when out of range or outside the localiser's sector.
bool receive_nav(Aircraft* a, int i, const ScenarioNavaid& n, double vor_range) {
  NavReceiver* r = &a->nav[i];
  double magvar = a->scenario.magvar_deg;
  double d = geo_distance_nm(a->lat, a->lon, n.lat, n.lon);
  double to = geo_course_deg(a->lat, a->lon, n.lat, n.lon);
  double course_true;
  if (n.kind == NAVAID_ILS) {
    if (d > LOC_RANGE_NM || std::fabs(geo_wrap180(to - n.course_true)) > LOC_SECTOR_DEG) return false;
    r->localiser = true;
    course_true = n.course_true;
    r->deviation = needle(geo_wrap180(to - course_true), LOC_FULL_SCALE_DEG);
    r->to_from = 1;
    r->dme = true;
    if (n.gs_angle > 0) {
      double gd = geo_distance_nm(a->lat, a->lon, n.gs_lat, n.gs_lon);
      if (gd < GS_RANGE_NM) {
        double angle = std::atan2(a->alt_ft - n.elevation_ft, gd * 6076.12) / GEO_DEG;
        r->glideslope = true;
        r->gs_deviation = needle(angle - n.gs_angle, GS_FULL_SCALE_DEG);
      }
    }
  } else {
    if (d > vor_range) return false;
    double obs_true = a->radios.course[i] + magvar;
    bool to_station = std::fabs(geo_wrap180(obs_true - to)) < 90;
    r->to_from = to_station ? 1 : 2;
    double from = geo_wrap360(to + 180);
    r->deviation = needle(to_station ? geo_wrap180(to - obs_true) : geo_wrap180(obs_true - from), VOR_FULL_SCALE_DEG);
    r->dme = n.kind == NAVAID_VOR_DME;
  }
  r->signal = true;
  r->distance_nm = d;
  r->radial_mag = geo_wrap360(to + 180 - magvar);
  r->relative_brg = geo_wrap180(to - a->heading_true);
  copy_ident(r->ident, n.ident);
  return true;
}

void tune_nav(Aircraft* a, int i) {
  NavReceiver* r = &a->nav[i];
  *r = NavReceiver{};
  bool powered = a->switches[SWITCH_BATTERY] && a->switches[SWITCH_AVIONICS];
  if (!powered || a->failed[i == 0 ? FAIL_NAV1 : FAIL_NAV2]) return;
  double height = std::max(a->alt_ft - aircraft_ground_elevation(a), 100.0);
  double vor_range = std::fmin(std::fmax(1.23 * std::sqrt(height) + 20, VOR_MIN_RANGE_NM), VOR_MAX_RANGE_NM);
  for (int k = 0; k < a->scenario.navaid_count; ++k) {
    const ScenarioNavaid& n = a->scenario.navaids[k];
    if (n.kind == NAVAID_NDB || std::fabs(n.frequency - a->radios.nav[i]) > NAV_TOLERANCE_MHZ) continue;
    if (receive_nav(a, i, n, vor_range)) return;
  }
  const ScenarioNavaid* station =
      a->stations ? station_database_find(a->stations, false, a->radios.nav[i], NAV_TOLERANCE_MHZ, a->lat, a->lon,
                                          vor_range)
                  : nullptr;
  if (station) receive_nav(a, i, *station, vor_range);
}

bool receive_adf(Aircraft* a, NavReceiver* r, const ScenarioNavaid& n) {
  double d = geo_distance_nm(a->lat, a->lon, n.lat, n.lon);
  if (d > NDB_RANGE_NM) return false;
  r->signal = true;
  r->distance_nm = d;
  r->relative_brg = geo_wrap360(geo_course_deg(a->lat, a->lon, n.lat, n.lon) - a->heading_true);
  copy_ident(r->ident, n.ident);
  return true;
}

void tune_adf(Aircraft* a, int i) {
  NavReceiver* r = &a->adf[i];
  *r = NavReceiver{};
  if (!a->switches[SWITCH_BATTERY] || !a->switches[SWITCH_AVIONICS]) return;
  for (int k = 0; k < a->scenario.navaid_count; ++k) {
    const ScenarioNavaid& n = a->scenario.navaids[k];
    if (n.kind != NAVAID_NDB || std::fabs(n.frequency - a->radios.adf_khz[i]) > ADF_TOLERANCE_KHZ) continue;
    if (receive_adf(a, r, n)) return;
  }
  const ScenarioNavaid* station =
      a->stations ? station_database_find(a->stations, true, a->radios.adf_khz[i], ADF_TOLERANCE_KHZ, a->lat, a->lon,
                                          NDB_RANGE_NM)
                  : nullptr;
  if (station) receive_adf(a, r, *station);
}

void markers(Aircraft* a) {
  a->marker[0] = a->marker[1] = a->marker[2] = false;
  if (!a->switches[SWITCH_BATTERY] || !a->switches[SWITCH_AVIONICS]) return;
  double height = a->alt_ft - aircraft_ground_elevation(a);
  if (height > MARKER_MAX_HEIGHT_FT || height < 0) return;
  double radius = std::max(height, 50.0) * std::tan(MARKER_CONE_DEG * GEO_DEG) / 6076.12;
  for (int k = 0; k < a->scenario.marker_count; ++k) {
    const ScenarioMarker& m = a->scenario.markers[k];
    if (geo_distance_nm(a->lat, a->lon, m.lat, m.lon) <= radius) a->marker[m.kind] = true;
  }
}

uint16_t word_at(const uint8_t* space, uint32_t offset) {
  return static_cast<uint16_t>(space[offset] | space[offset + 1] << 8);
}

uint32_t dword_at(const uint8_t* space, uint32_t offset) {
  return static_cast<uint32_t>(space[offset] | space[offset + 1] << 8 | space[offset + 2] << 16 |
                               static_cast<uint32_t>(space[offset + 3]) << 24);
}

// The offsets the units write, each re-read whole from the space so that a
// partial write of a word is taken as the word now stands.
struct WriteInput { uint32_t offset, size; void (*apply)(Aircraft*, const uint8_t*); };

const WriteInput INPUTS[] = {
  {0x0330, 2, [](Aircraft* a, const uint8_t* s) { a->radios.baro_hpa = word_at(s, 0x0330) / 16.0; }},
  {0x034C, 2, [](Aircraft* a, const uint8_t* s) { a->radios.adf_khz[0] = khz_from_bcd(word_at(s, 0x034C)) + (s[0x0356] % 10) / 10.0; }},
  {0x034E, 2, [](Aircraft* a, const uint8_t* s) { a->radios.com[0] = mhz_from_bcd(word_at(s, 0x034E)); }},
  {0x0350, 2, [](Aircraft* a, const uint8_t* s) { a->radios.nav[0] = mhz_from_bcd(word_at(s, 0x0350)); }},
  {0x0352, 2, [](Aircraft* a, const uint8_t* s) { a->radios.nav[1] = mhz_from_bcd(word_at(s, 0x0352)); }},
  {0x0354, 2, [](Aircraft* a, const uint8_t* s) {
     uint16_t w = word_at(s, 0x0354);
     bool octal = (w & 0x8888) == 0;   // every digit 0..7
     if (octal) a->radios.squawk = squawk_from_bcd(w);
   }},
  {0x0356, 2, [](Aircraft* a, const uint8_t* s) { a->radios.adf_khz[0] = khz_from_bcd(word_at(s, 0x034C)) + (s[0x0356] % 10) / 10.0; }},
  {0x0C4E, 2, [](Aircraft* a, const uint8_t* s) { a->radios.course[0] = word_at(s, 0x0C4E) % 361; }},
  {0x0C5E, 2, [](Aircraft* a, const uint8_t* s) { a->radios.course[1] = word_at(s, 0x0C5E) % 361; }},
  {0x132C, 4, [](Aircraft* a, const uint8_t* s) { a->radios.nav_gps = static_cast<int>(dword_at(s, 0x132C) & 0xFF); }},
  {0x3118, 2, [](Aircraft* a, const uint8_t* s) { a->radios.com[1] = mhz_from_bcd(word_at(s, 0x3118)); }},
  {0x311A, 2, [](Aircraft* a, const uint8_t* s) { a->radios.com_standby[0] = mhz_from_bcd(word_at(s, 0x311A)); }},
  {0x311C, 2, [](Aircraft* a, const uint8_t* s) { a->radios.com_standby[1] = mhz_from_bcd(word_at(s, 0x311C)); }},
  {0x311E, 2, [](Aircraft* a, const uint8_t* s) { a->radios.nav_standby[0] = mhz_from_bcd(word_at(s, 0x311E)); }},
  {0x3120, 2, [](Aircraft* a, const uint8_t* s) { a->radios.nav_standby[1] = mhz_from_bcd(word_at(s, 0x3120)); }},
  {0x7B91, 1, [](Aircraft* a, const uint8_t* s) { a->radios.xpdr_standby = s[0x7B91]; }},
  {0x7B93, 1, [](Aircraft* a, const uint8_t* s) { a->radios.ident = s[0x7B93]; }},
};

}  // namespace

void aircraft_radios_step(Aircraft* a) {
  tune_nav(a, 0);
  tune_nav(a, 1);
  tune_adf(a, 0);
  tune_adf(a, 1);
  markers(a);
}

void aircraft_on_write(Aircraft* a, uint32_t offset, uint32_t size, const uint8_t* space) {
  uint64_t end = static_cast<uint64_t>(offset) + size;
  for (const WriteInput& in : INPUTS)
    if (offset < in.offset + in.size && end > in.offset) in.apply(a, space);
}
