#include "mfd/mfd_convert.h"

#include <cmath>
#include <cstring>

namespace {

constexpr double FULL_CIRCLE = 360.0;
constexpr int32_t INT32_LO = -2147483647 - 1;
constexpr int32_t INT32_HI = 2147483647;

int32_t limit_or_default(int32_t value, int32_t fallback) { return value > 0 ? value : fallback; }

void convert_fuel(const MfdRaw& raw, const MfdLimits& limits, MfdValues* out) {
  // Pounds per gallon in double: as integers 1715 / 256 would give 6, not 6.7.
  out->fuel_weight_per_gallon = raw.fuel_weight / MFD_FUEL_WEIGHT_SCALE;
  const double per_gallon = out->fuel_weight_per_gallon;
  out->left_tank_capacity_lb = mfd_whole(raw.left_tank_capacity * per_gallon, INT32_LO, INT32_HI);
  out->right_tank_capacity_lb = mfd_whole(raw.right_tank_capacity * per_gallon, INT32_LO, INT32_HI);
  out->fuselage_tank_capacity_lb = mfd_whole(raw.fuselage_tank_capacity * per_gallon, INT32_LO, INT32_HI);
  // As a percentage first, as the gauges always took it.
  out->left_tank_fraction = raw.left_tank_level / MFD_TANK_LEVEL_FULL * 100.0 / 100.0;
  out->right_tank_fraction = raw.right_tank_level / MFD_TANK_LEVEL_FULL * 100.0 / 100.0;
  out->fuselage_tank_fraction = raw.fuselage_tank_level / MFD_TANK_LEVEL_FULL * 100.0 / 100.0;
  out->left_tank_lb = out->left_tank_capacity_lb * out->left_tank_fraction;
  out->right_tank_lb = out->right_tank_capacity_lb * out->right_tank_fraction;
  out->fuselage_tank_lb = out->fuselage_tank_capacity_lb * out->fuselage_tank_fraction;
  out->total_fuel_lb =
      mfd_whole(out->left_tank_lb + out->right_tank_lb + out->fuselage_tank_lb, INT32_LO, INT32_HI);
  if (out->initial_fuel_lb == 0) out->initial_fuel_lb = limit_or_default(limits.max_fuel, MFD_DEFAULT_MAX_FUEL);
  out->fuel_used_lb = mfd_whole(double(out->initial_fuel_lb) - out->total_fuel_lb, INT32_LO, INT32_HI);
}

void convert_engines(const MfdRaw& raw, MfdValues* out) {
  out->left_oil_temperature = raw.left_oil_temperature * MFD_OIL_TEMPERATURE_SCALE;
  out->right_oil_temperature = raw.right_oil_temperature * MFD_OIL_TEMPERATURE_SCALE;
  out->left_oil_pressure = raw.left_oil_pressure / MFD_PSF_PER_PSI;
  out->right_oil_pressure = raw.right_oil_pressure / MFD_PSF_PER_PSI;
  out->left_n1 = raw.left_n1 * MFD_ENGINE_PERCENT_SCALE;
  out->right_n1 = raw.right_n1 * MFD_ENGINE_PERCENT_SCALE;
  out->left_n2 = raw.left_n2 * MFD_ENGINE_PERCENT_SCALE;
  out->right_n2 = raw.right_n2 * MFD_ENGINE_PERCENT_SCALE;
  out->left_itt = (raw.left_itt - MFD_RANKINE_ZERO_CELSIUS) * 5.0 / 9.0;
  out->right_itt = (raw.right_itt - MFD_RANKINE_ZERO_CELSIUS) * 5.0 / 9.0;
  out->left_thrust_lever = raw.left_thrust_lever * MFD_THRUST_LEVER_SCALE;
  out->right_thrust_lever = raw.right_thrust_lever * MFD_THRUST_LEVER_SCALE;
  out->left_engine_shut_down = raw.left_engine_combustion == 0.0;
  out->right_engine_shut_down = raw.right_engine_combustion == 0.0;
}

void convert_surfaces(const MfdRaw& raw, const MfdLimits& limits, MfdValues* out) {
  out->left_hydraulic_pressure = raw.left_hydraulic_pressure / MFD_HYDRAULIC_SCALE;
  out->right_hydraulic_pressure = raw.right_hydraulic_pressure / MFD_HYDRAULIC_SCALE;
  const int32_t max_spoilers = limit_or_default(limits.max_spoilers, MFD_DEFAULT_MAX_SPOILERS);
  out->left_spoiler_angle = mfd_surface_angle(raw.left_spoiler_position, max_spoilers);
  out->right_spoiler_angle = mfd_surface_angle(raw.right_spoiler_position, max_spoilers);
  out->flap_angle = mfd_surface_angle(raw.flap_position, limit_or_default(limits.max_flaps, MFD_DEFAULT_MAX_FLAPS));
  out->pitch_trim = MFD_PITCH_TRIM_FACTOR * raw.elevator_trim * MFD_DEGREES_PER_RADIAN;
  out->aileron_trim = raw.aileron_trim * MFD_DEGREES_PER_RADIAN;
  out->rudder_trim = raw.rudder_trim * MFD_DEGREES_PER_RADIAN;
}

void convert_air_and_navigation(const MfdRaw& raw, MfdValues* out) {
  out->indicated_altitude = raw.indicated_altitude;
  out->ground_speed = raw.ground_speed * MFD_GROUND_SPEED_SCALE;
  out->indicated_airspeed = raw.indicated_airspeed / MFD_AIRSPEED_SCALE;
  out->true_airspeed = mfd_whole(raw.true_airspeed / MFD_AIRSPEED_SCALE, INT32_LO, INT32_HI);
  out->air_temperature = (raw.air_temperature - 32.0) * MFD_FAHRENHEIT_TO_CELSIUS;
  out->outside_air_temperature = raw.outside_air_temperature / MFD_OAT_SCALE;
  out->magnetic_variation = raw.magnetic_variation * MFD_ANGLE16_SCALE;
  out->true_heading = raw.heading * MFD_HEADING_SCALE;
  out->magnetic_heading = mfd_magnetic_heading(out->true_heading, out->magnetic_variation);
  out->heading_bug = static_cast<int32_t>(std::lround(raw.autopilot_heading_setting * MFD_ANGLE16_SCALE));
  out->wind_direction = raw.wind_value_a * MFD_ANGLE16_SCALE;
  out->wind_speed = raw.wind_value_b;
  out->latitude = static_cast<double>(raw.latitude) * MFD_LATITUDE_SCALE;
  out->longitude = static_cast<double>(raw.longitude) * MFD_LONGITUDE_SCALE;
  out->gps_distance_nm = raw.gps_distance * MFD_NM_PER_METRE;
  out->on_ground = raw.on_ground != 0;
  out->radio_flag_bit1 = (raw.radio_flags & MFD_RADIO_FLAG_BIT1) ? 1 : 0;
  out->radio_flag_bit4 = (raw.radio_flags & MFD_RADIO_FLAG_BIT4) ? 1 : 0;
  out->sync = (raw.sync_flags & MFD_SYNC_FLAG) != 0;
  mfd_copy_sim_text(raw.navigation_ident, out->navigation_ident);
  mfd_copy_sim_text(raw.gps_next_waypoint, out->gps_next_waypoint);
}

}  // namespace

int32_t mfd_whole(double value, int32_t lo, int32_t hi) {
  if (!std::isfinite(value)) return 0;
  if (value <= lo) return lo;
  if (value >= hi) return hi;
  return static_cast<int32_t>(value);
}

int32_t mfd_surface_angle(int32_t position, int32_t full_angle) {
  // In double: as integers the division would floor before the ceiling.
  return mfd_whole(std::ceil(double(position) * full_angle / MFD_SURFACE_FULL_SCALE), INT32_LO, INT32_HI);
}

double mfd_magnetic_heading(double true_heading, double variation) {
  double h = true_heading - variation;
  if (h < 0.0) h += FULL_CIRCLE;
  // Westerly variation takes H past 360; the readouts must never show "365".
  if (h >= FULL_CIRCLE) h -= FULL_CIRCLE;
  return h;
}

void mfd_copy_sim_text(const char (&field)[MFD_SIM_TEXT_FIELD], char (&out)[MFD_SIM_TEXT_FIELD + 1]) {
  // A full-length field carries no terminator of its own.
  std::memcpy(out, field, MFD_SIM_TEXT_FIELD);
  out[MFD_SIM_TEXT_FIELD] = '\0';
}

void mfd_convert_values(const MfdRaw& raw, const MfdLimits& limits, MfdValues* out) {
  convert_fuel(raw, limits, out);
  convert_engines(raw, out);
  convert_surfaces(raw, limits, out);
  convert_air_and_navigation(raw, out);
}

void mfd_fuel_figures_disconnected(const MfdLimits& limits, MfdValues* out) {
  out->initial_fuel_lb = limit_or_default(limits.max_fuel, MFD_DEFAULT_MAX_FUEL);
  out->fuel_used_lb = 0;
  out->total_fuel_lb = 0;
}
