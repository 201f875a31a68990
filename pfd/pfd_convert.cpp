#include "pfd/pfd_convert.h"

#include <cmath>
#include <cstring>

#include "simlink/cells.h"

int32_t nudged_int(double value) {
  double nudged = value >= 0 ? value + 0.1 : value - 0.1;
  if (!(nudged > -2147483648.0 && nudged < 2147483648.0)) return 0;  // NaN or out of range
  return static_cast<int32_t>(nudged);
}

double normalise_angle(double degrees) {
  const double pi = 3.14159, two_pi = 6.28318;
  double r = degrees / 57.295827908797776;
  if (r > 5 * pi) r -= 3 * two_pi;
  else if (r > 3 * pi) r -= 2 * two_pi;
  else if (r > pi) r -= two_pi;
  else if (r < -5 * pi) r += 3 * two_pi;
  else if (r < -3 * pi) r += 2 * two_pi;
  else if (r < -pi) r += two_pi;
  return r * 57.295827908797776;
}

double angle16(double raw) { return raw * 360.0 / 65536.0; }

void copy_sim_text(const char (&field)[SIM_TEXT_FIELD], char (&out)[SIM_TEXT_FIELD + 1]) {
  std::memcpy(out, field, SIM_TEXT_FIELD);
  out[SIM_TEXT_FIELD] = '\0';
}

static double clamp(double v, double lo, double hi) { return v < lo ? lo : (v > hi ? hi : v); }

void convert_main_batch(const PfdRaw& raw, const AircraftConfig& config, PfdDerived* v) {
  v->pitch = -(raw.pitch * PITCH_BANK_SCALE);
  v->bank = -(raw.bank * PITCH_BANK_SCALE);
  v->fd_pitch = -raw.fd_pitch;
  v->fd_bank = raw.fd_bank;
  if (std::fabs(v->fd_bank) > FD_BANK_LIMIT || raw.heading_hold == 0) v->fd_bank = 0;
  if (!std::isfinite(v->fd_pitch)) v->fd_pitch = 0;
  if (!std::isfinite(v->fd_bank)) v->fd_bank = 0;

  v->magnetic_variation = angle16(raw.magnetic_variation);
  v->heading = raw.heading * HEADING_SCALE - v->magnetic_variation;
  if (v->heading < 0) v->heading += 360.0;
  if (v->heading >= 360.0) v->heading -= 360.0;  // east variation would leave 360..370

  v->ias = static_cast<float>(clamp(raw.ias / 128.0, IAS_MIN, IAS_MAX));
  v->ground_speed = static_cast<int32_t>(raw.ground_speed * GROUND_SPEED_SCALE);
  v->mach = raw.mach / MACH_SCALE;
  v->mach_target = nudged_int(raw.mach_target / 65536.0 * 100.0) / 100.0;
  // Real arithmetic (integer division would give 0); a hostile MAX_FLAPS or
  // flap value is kept inside the integer range.
  v->flap_angle = static_cast<int32_t>(clamp(std::ceil(static_cast<double>(config.max_flaps) / 16383.0 * raw.flaps),
                                             -1e6, 1e6));

  v->indicated_altitude = raw.indicated_altitude;
  v->selected_altitude = static_cast<float>(raw.selected_altitude * SELECTED_ALTITUDE_FEET_PER_METRE / 65536.0);
  v->ground_elevation = raw.ground_elevation * GROUND_ELEVATION_SCALE;
  v->on_ground = raw.on_ground != 0;
  v->radio_altitude = v->on_ground ? 0.0f
      : static_cast<float>(raw.radio_altitude / 65536.0 * RADIO_ALTITUDE_FEET_PER_METRE - RADIO_ALTITUDE_OFFSET);
  v->gps_altitude = std::isfinite(raw.gps_altitude) ? raw.gps_altitude * GPS_ALTITUDE_FEET_PER_METRE : 0;
  v->height_above_ground = v->gps_altitude - v->ground_elevation;
  v->vertical_speed = raw.vertical_speed * VERTICAL_SPEED_SCALE;
  v->vertical_speed_target = raw.altitude_hold ? raw.vertical_speed_target : 0;
  v->baro_inches = static_cast<int32_t>(raw.baro / BARO_INCHES_DIVISOR) / 100.0f;
  v->baro_hpa = raw.baro / 16;

  v->nav1_radial = angle16(raw.nav1_radial);
  v->nav2_radial = angle16(raw.nav2_radial);
  v->adf1_bearing = angle16(raw.adf1_bearing);
  v->adf2_bearing = angle16(raw.adf2_bearing);
  v->heading_bug = nudged_int(angle16(raw.heading_bug));
  v->wind_direction = angle16(raw.wind_direction);
  if (v->wind_direction > 360.0) v->wind_direction -= 360.0;

  v->gps_distance = std::isfinite(raw.gps_distance) ? raw.gps_distance * GPS_DISTANCE_SCALE : 0;
  v->gps_desired_track = std::isfinite(raw.gps_bearing) ? raw.gps_bearing * GPS_TRACK_SCALE : 0;
  v->gps_cross_track = std::isfinite(raw.gps_cross_track)
      ? clamp(raw.gps_cross_track * GPS_CROSS_TRACK_SCALE, -GPS_CROSS_TRACK_LIMIT, GPS_CROSS_TRACK_LIMIT) : 0;
  v->latitude = raw.latitude * 90.0 / LATITUDE_DIVISOR;
  v->longitude = raw.longitude * 360.0 / LONGITUDE_DIVISOR;
  v->acceleration = (raw.ias / 128.0 < ACCELERATION_MIN_RAW_IAS || !std::isfinite(raw.acceleration))
      ? 0 : raw.acceleration;

  copy_sim_text(raw.vor1_ident, v->vor1_ident);
  copy_sim_text(raw.vor2_ident, v->vor2_ident);
  copy_sim_text(raw.adf_ident, v->adf_ident);
  copy_sim_text(raw.gps_waypoint, v->gps_waypoint);

  v->nav1_signal = raw.nav_flags & NAV_FLAG_NAV1_SIGNAL;
  v->nav2_signal = raw.nav_flags & NAV_FLAG_NAV2_SIGNAL;
  v->adf1_signal = raw.nav_flags & NAV_FLAG_ADF1_SIGNAL;
  v->adf2_signal = raw.nav_flags & NAV_FLAG_ADF2_SIGNAL;
  v->nav1_dme = raw.nav_flags & NAV_FLAG_NAV1_DME;
  v->nav2_dme = raw.nav_flags & NAV_FLAG_NAV2_DME;
  v->nav1_localiser = raw.nav_flags & NAV_FLAG_NAV1_LOCALISER;
  v->nav2_localiser = raw.nav_flags & NAV_FLAG_NAV2_LOCALISER;

  v->baro_hpa_shown = raw.efis_mode & EFIS_MODE_BARO_HPA;
  v->arc_compass = raw.efis_mode & EFIS_MODE_ARC;
  v->course_source = (raw.efis_mode & EFIS_MODE_FMS) ? COURSE_SOURCE_FMS
                   : (raw.efis_mode & EFIS_MODE_NAV1) ? COURSE_SOURCE_NAV1 : COURSE_SOURCE_NAV2;
}

void convert_speed_data(const PfdRaw& raw, PfdDerived* v) {
  v->tas = raw.tas / 128;
  v->oat_rankine = (raw.outside_temperature / 256.0 + 273.15) * 1.8;
}

void convert_raw(const PfdRaw& raw, const AircraftConfig& config, PfdDerived* v) {
  convert_main_batch(raw, config, v);
  convert_speed_data(raw, v);
}
