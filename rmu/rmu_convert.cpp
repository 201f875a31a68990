#include "rmu/rmu_convert.h"

#include <cmath>
#include <cstring>

#include "rmu/rmu_frequency.h"

namespace {

constexpr double PERCENT_PER_UNIT = 100.0 / 16384.0;
constexpr double RANKINE_ZERO_C = 491.67;
constexpr double SQUARE_INCHES_PER_FOOT = 144.0;
constexpr int OIL_TEMPERATURE_FULL_SCALE = 140;
constexpr int OIL_TEMPERATURE_UNITS = 16384;
constexpr double TANK_LEVEL_UNITS = 65535.0 * 127.0;
constexpr double POUNDS_PER_GALLON = 6.699219;
constexpr int HYDRAULIC_UNITS_PER_PSI = 4;
constexpr double CONTROL_FULL = 16383.0;
constexpr double FLAP_MAX_DEGREES = 40.0;
constexpr double SPOILER_MAX_DEGREES = 60.0;
constexpr double CELSIUS_PER_FAHRENHEIT = 0.5555555555555556;
constexpr double FAHRENHEIT_ZERO_C = 32.0;
constexpr double FEET_PER_METRE = 3.28;
constexpr double HEADING_UNITS = 4294967296.0;   // 2^32 per turn
constexpr double VARIATION_UNITS = 65536.0;      // 2^16 per turn
constexpr double DME_TENTHS = 10.0;
constexpr uint16_t FLAG_VOR_POINTER = 1u << 1;
constexpr uint16_t FLAG_ADF_POINTER = 1u << 3;
constexpr uint16_t FLAG_GLIDESLOPE = 1u << 6;

// Truncated toward zero; a value beyond the int range (or NaN) reads 0, as
// no real reading comes near it.
int32_t truncated(double value) {
  return std::fabs(value) < 2147483647.0 ? static_cast<int32_t>(value) : 0;
}

int32_t tank_pounds(int32_t level, int32_t capacity) {
  int32_t percent = truncated(level / TANK_LEVEL_UNITS * 100.0);
  return truncated(percent / 100.0 * capacity * POUNDS_PER_GALLON);
}

// A simulator text field of `size` bytes, always terminated.
void copy_text(char* to, const char* from, size_t size) {
  std::memcpy(to, from, size);
  to[size] = '\0';
}

}  // namespace

void rmu_convert_values(const RmuRaw& r, RmuValues* v) {
  for (int e = 0; e < 2; ++e) {
    v->n1[e] = static_cast<float>(r.n1[e] * PERCENT_PER_UNIT);
    v->n2[e] = static_cast<float>(r.n2[e] * PERCENT_PER_UNIT);
    v->itt[e] = (r.itt[e] - RANKINE_ZERO_C) * 5.0 / 9.0;
    v->oil_pressure[e] = r.oil_pressure[e] / SQUARE_INCHES_PER_FOOT;
    v->oil_temperature[e] = r.oil_temperature[e] * OIL_TEMPERATURE_FULL_SCALE / OIL_TEMPERATURE_UNITS;
    v->fuel_flow[e] = r.fuel_flow[e];
  }
  v->left_fuel = tank_pounds(r.left_tank_level, r.left_tank_capacity);
  v->right_fuel = tank_pounds(r.right_tank_level, r.right_tank_capacity);
  v->hydraulic = r.hydraulic / HYDRAULIC_UNITS_PER_PSI;
  v->flap_angle = static_cast<int32_t>(std::ceil(r.flaps * FLAP_MAX_DEGREES / CONTROL_FULL));
  v->spoiler_angle = static_cast<int32_t>(std::ceil(r.spoilers * SPOILER_MAX_DEGREES / CONTROL_FULL));
  v->elevator_trim = r.elevator_trim;
  v->aileron_trim = r.aileron_trim;
  v->rudder_trim = r.rudder_trim;
  v->sat = truncated((r.air_temperature - FAHRENHEIT_ZERO_C) * CELSIUS_PER_FAHRENHEIT);
  copy_text(v->flight_id, r.flight_id, sizeof r.flight_id);
  v->atc_altitude = r.atc_altitude * FEET_PER_METRE;
  v->true_heading = r.heading * 360.0 / HEADING_UNITS;
  v->magnetic_variation = r.magnetic_variation * 360.0 / VARIATION_UNITS;
  // Easterly or westerly variation: the heading stays in 0 up to below 360.
  double magnetic = v->true_heading - v->magnetic_variation;
  if (magnetic < 0.0) magnetic += 360.0;
  if (magnetic >= 360.0) magnetic -= 360.0;
  v->magnetic_heading = magnetic;
  v->nav1_course = r.nav1_course;
  v->vor_bearing = r.vor_bearing;
  v->bearing_0c60 = r.bearing_0c60;
  v->dme = r.dme / DME_TENTHS;
  copy_text(v->identity, r.identity, sizeof r.identity);
  v->marker_inner = r.marker_inner != 0;
  v->marker_middle = r.marker_middle != 0;
  v->marker_outer = r.marker_outer != 0;
  v->vor_pointer = (r.nav_flags & FLAG_VOR_POINTER) != 0;
  v->adf_pointer = (r.nav_flags & FLAG_ADF_POINTER) != 0;
  v->glideslope_scale = (r.nav_flags & FLAG_GLIDESLOPE) != 0;
}

void rmu_convert_radios(const RmuRaw& r, bool simulator_master, RmuRadios* radios, RmuTransponder* t) {
  if (radios->adf_start_pending) {
    rmu_adf_tuning_of(rmu_adf_frequency(r.adf_main_seen, r.adf_extension_seen), &radios->adf_hundreds,
                      &radios->adf_units);
    radios->adf_start_pending = false;
  }
  if (!simulator_master) {
    // The unit is the master: the simulator's standby flag still shows.
    if (r.transponder_standby != t->mode) t->mode = r.transponder_standby;
    return;
  }
  radios->com_active = rmu_word_frequency(r.com_active);
  radios->com_standby = rmu_word_frequency(r.com_standby);
  radios->nav_active = rmu_word_frequency(r.nav_active);
  radios->nav_standby = rmu_word_frequency(r.nav_standby);
  radios->adf_frequency = rmu_adf_frequency(r.adf_main, r.adf_extension);
  t->code = static_cast<uint16_t>(rmu_bcd_value(r.transponder));
}
