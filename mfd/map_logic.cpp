#include "mfd/map_logic.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "nav/nav_geodesy.h"

namespace {
constexpr int64_t SECONDS_PER_DAY = 86400;
constexpr int32_t MINUTES_TO_GO_MAX = 1000;
constexpr double BUG_ARC_LIMIT = 65.0;
constexpr double RESOLUTION_NM = 2.0, RESOLUTION_FT = 750.0;
constexpr double ADVISORY_NM = 6.0, ADVISORY_FT = 1200.0;
constexpr double BAND_NEAR_FT = 2700.0, BAND_FAR_FT = 7000.0;
}  // namespace

int32_t map_range_nm(int32_t index) {
  if (index < 0) index = 0;
  if (index >= MAP_RANGE_COUNT) index = MAP_RANGE_COUNT - 1;
  return MAP_RANGES_NM[index];
}

void map_heading_text(double heading, char (&out)[MAP_TEXT_CAPACITY]) {
  int32_t h = nav_round(heading);
  if (h >= 360) h -= 360;
  if (h < 0) h += 360;
  std::snprintf(out, sizeof out, "%03d", static_cast<int>(h));
}

double map_bug_offset(double bug, double heading) {
  double d = std::fmod(bug - heading, 360.0);
  if (d > 180.0) d -= 360.0;
  if (d < -180.0) d += 360.0;
  return d;
}

MapBugPlace map_bug_place(double bug, double heading) {
  const double d = map_bug_offset(bug, heading);
  if (d > BUG_ARC_LIMIT) return MAP_BUG_RIGHT_ARROW;
  if (d < -BUG_ARC_LIMIT) return MAP_BUG_LEFT_ARROW;
  return MAP_BUG_ON_ARC;
}

int32_t map_minutes_to_go(int64_t arrival_s, int hours, int minutes, int seconds) {
  int64_t to_go = arrival_s - (int64_t{hours} * 3600 + int64_t{minutes} * 60 + seconds);
  to_go %= SECONDS_PER_DAY;
  if (to_go < -SECONDS_PER_DAY / 2) to_go += SECONDS_PER_DAY;
  const int64_t whole = to_go / 60;
  if (whole < 0) return 0;
  return whole > MINUTES_TO_GO_MAX ? MINUTES_TO_GO_MAX : static_cast<int32_t>(whole);
}

int32_t traffic_range(int32_t cell) {
  if (cell < TRAFFIC_RANGE_MIN) return TRAFFIC_RANGE_MIN;
  return cell > TRAFFIC_RANGE_MAX ? TRAFFIC_RANGE_MAX : cell;
}

int32_t traffic_band(uint8_t mode_byte, int32_t current) {
  const bool bit2 = mode_byte & 0x04, bit3 = mode_byte & 0x08;
  if (bit3 && bit2) return TRAFFIC_BAND_ABOVE;
  if (bit3) return TRAFFIC_BAND_BELOW;
  if (bit2) return TRAFFIC_BAND_NORMAL;
  return current;
}

int32_t traffic_class(double distance_nm, double altitude_difference_ft) {
  const double d = std::fabs(altitude_difference_ft);
  if (distance_nm < RESOLUTION_NM && d < RESOLUTION_FT) return TRAFFIC_RESOLUTION;
  if (distance_nm < ADVISORY_NM && d < ADVISORY_FT) return TRAFFIC_ADVISORY;
  return TRAFFIC_OTHER;
}

bool traffic_visible(int32_t band, double a) {
  switch (band) {
    case TRAFFIC_BAND_ABOVE: return a >= -BAND_FAR_FT && a <= BAND_NEAR_FT;
    case TRAFFIC_BAND_BELOW: return a >= -BAND_NEAR_FT && a <= BAND_FAR_FT;
    default: return a >= -BAND_NEAR_FT && a <= BAND_NEAR_FT;
  }
}

void traffic_tag_text(double traffic_altitude_ft, int32_t own_altitude_ft, char (&out)[MAP_TEXT_CAPACITY]) {
  // Whole feet first, then hundreds by integer division (toward zero).
  const int64_t whole = std::isfinite(traffic_altitude_ft) && std::fabs(traffic_altitude_ft) < 1e9 ? static_cast<int64_t>(traffic_altitude_ft) : 0;
  const int64_t n = (whole - own_altitude_ft) / 100;
  const double shown = static_cast<double>(std::llabs(n));
  if (n < 0 && n > -10) std::snprintf(out, sizeof out, "-0%1.0f", shown);
  else if (n <= -10) std::snprintf(out, sizeof out, "-%1.0f", shown);
  else if (n > 0 && n < 10) std::snprintf(out, sizeof out, "0%1.0f", shown);
  else std::snprintf(out, sizeof out, "%1.0f", shown);
}
