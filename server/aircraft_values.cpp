// The quantities the model publishes, in engineering units, from its state.
// Sensor failures act here: the published value freezes or drops out while
// the model itself keeps flying.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "server/aircraft_constants.h"
#include "server/aircraft_geo.h"
#include "server/aircraft_model.h"

namespace {

constexpr double GPS_FULL_DAY_S = 86400;
constexpr uint16_t FLAG_NAV1 = 1 << 1, FLAG_NAV2 = 1 << 2, FLAG_ADF1 = 1 << 3, FLAG_NAV1_DME = 1 << 4,
                   FLAG_NAV2_DME = 1 << 5, FLAG_NAV1_LOC = 1 << 6, FLAG_ADF2 = 1 << 11, FLAG_NAV2_LOC = 1 << 12;
constexpr uint16_t SYNC_BIT = 1 << 4;

void text(ModelValues* v, TextQuantity t, const char* s) {
  std::snprintf(v->text[t], TEXT_QUANTITY_SIZE, "%s", s);
}

double mag(const Aircraft* a, double true_deg) { return geo_wrap360(true_deg - a->scenario.magvar_deg); }

void gps(Aircraft* a, ModelValues* v) {
  double* q = v->q;
  int n = aircraft_route_count(a);
  int to = a->active_leg < 1 ? 1 : a->active_leg >= n ? n - 1 : a->active_leg;
  double flat, flon, tlat, tlon;
  const char* from_id;
  const char* to_id;
  aircraft_route_point(a, to - 1, &flat, &flon, &from_id);
  aircraft_route_point(a, to, &tlat, &tlon, &to_id);
  if (a->failed[FAIL_GPS] || !a->switches[SWITCH_AVIONICS]) {
    text(v, T_NEXT_WAYPOINT, "");
    return;
  }
  double distance = geo_distance_nm(a->lat, a->lon, tlat, tlon);
  q[Q_GPS_DISTANCE] = distance;
  double clock = a->scenario.start_clock_s + a->time_s;
  double eta = a->gs_kt > 30 ? clock + distance / a->gs_kt * 3600 : clock;
  q[Q_GPS_ARRIVAL] = std::fmod(std::floor(eta), GPS_FULL_DAY_S);
  q[Q_GPS_DESIRED_TRACK] = mag(a, geo_course_deg(flat, flon, tlat, tlon));
  q[Q_GPS_CROSS_TRACK] = geo_cross_track_nm(flat, flon, tlat, tlon, a->lat, a->lon);
  q[Q_GPS_BEARING_TRUE] = geo_course_deg(a->lat, a->lon, tlat, tlon);
  text(v, T_NEXT_WAYPOINT, to_id);
}

void radios(Aircraft* a, ModelValues* v) {
  double* q = v->q;
  const Radios& r = a->radios;
  publish_radio_settings(r, v);

  const NavReceiver& n1 = a->nav[0];
  const NavReceiver& n2 = a->nav[1];
  unsigned flags = 0;
  if (n1.signal) flags |= FLAG_NAV1;
  if (n2.signal) flags |= FLAG_NAV2;
  if (a->adf[0].signal) flags |= FLAG_ADF1;
  if (a->adf[1].signal) flags |= FLAG_ADF2;
  if (n1.dme) flags |= FLAG_NAV1_DME;
  if (n2.dme) flags |= FLAG_NAV2_DME;
  if (n1.localiser) flags |= FLAG_NAV1_LOC;
  if (n2.localiser) flags |= FLAG_NAV2_LOC;
  q[Q_NAV_FLAGS] = flags;
  q[Q_NAV1_RADIAL] = n1.signal ? n1.radial_mag : 0;
  q[Q_NAV2_RADIAL] = n2.signal ? n2.radial_mag : 0;
  q[Q_NAV1_RELATIVE] = n1.signal ? std::round(n1.relative_brg) : 0;
  q[Q_NAV1_DEVIATION] = n1.deviation;
  q[Q_NAV2_DEVIATION] = n2.deviation;
  q[Q_LOC_NEEDLE] = std::round(n1.deviation);
  q[Q_GS_NEEDLE] = std::round(n1.gs_deviation);
  q[Q_GS_DEVIATION] = n1.gs_deviation;
  q[Q_GS_ALIVE] = n1.glideslope ? 1 : 0;
  q[Q_NAV1_TO_FROM] = n1.to_from;
  q[Q_NAV2_TO_FROM] = n2.to_from;
  q[Q_NAV1_CODE] = n1.signal ? 1 + (n1.dme ? 2 : 0) + (n1.localiser ? 4 : 0) : 0;
  q[Q_NAV2_CODE] = n2.signal ? 1 + (n2.dme ? 2 : 0) + (n2.localiser ? 4 : 0) : 0;
  q[Q_DME1] = n1.dme ? n1.distance_nm : 0;
  q[Q_DME2] = n2.dme ? n2.distance_nm : 0;
  q[Q_ADF1_RELATIVE] = a->adf[0].signal ? a->adf[0].relative_brg : 0;
  q[Q_ADF2_RELATIVE] = a->adf[1].signal ? a->adf[1].relative_brg : 0;
  q[Q_MARKER_INNER] = a->marker[MARKER_INNER];
  q[Q_MARKER_MIDDLE] = a->marker[MARKER_MIDDLE];
  q[Q_MARKER_OUTER] = a->marker[MARKER_OUTER];
  text(v, T_VOR1_IDENT, n1.signal ? n1.ident : "");
  text(v, T_VOR2_IDENT, n2.signal ? n2.ident : "");
  text(v, T_ADF_IDENT, a->adf[0].signal ? a->adf[0].ident : "");
  char dme[TEXT_QUANTITY_SIZE];
  std::snprintf(dme, sizeof dme, "%4.1f", n1.dme ? std::fmin(n1.distance_nm, 99.9) : 0.0);
  text(v, T_DME1_TEXT, n1.dme ? dme : "");
  std::snprintf(dme, sizeof dme, "%4.1f", n2.dme ? std::fmin(n2.distance_nm, 99.9) : 0.0);
  text(v, T_DME2_TEXT, n2.dme ? dme : "");
}

void engines(Aircraft* a, ModelValues* v) {
  double* q = v->q;
  for (int i = 0; i < 2; ++i) {
    const Engine& e = a->engine[i];
    q[i ? Q_N1_RIGHT : Q_N1_LEFT] = e.n1;
    q[i ? Q_N2_RIGHT : Q_N2_LEFT] = e.n2;
    q[i ? Q_ITT_RIGHT : Q_ITT_LEFT] = e.itt_c;
    q[i ? Q_FUEL_FLOW_RIGHT : Q_FUEL_FLOW_LEFT] = e.fuel_flow_pph;
    q[i ? Q_OIL_TEMP_RIGHT : Q_OIL_TEMP_LEFT] = e.oil_temp_c;
    q[i ? Q_OIL_PRESS_RIGHT : Q_OIL_PRESS_LEFT] = e.oil_psi;
    q[i ? Q_FUEL_PRESS_RIGHT : Q_FUEL_PRESS_LEFT] = e.fuel_psi;
    q[i ? Q_COMBUSTION_RIGHT : Q_COMBUSTION_LEFT] = e.lit ? 1 : 0;
    q[i ? Q_STARTER_RIGHT : Q_STARTER_LEFT] = e.starter ? 1 : 0;
    q[i ? Q_THROTTLE_RIGHT : Q_THROTTLE_LEFT] = e.lever * 100;
    q[i ? Q_THRUST_RIGHT : Q_THRUST_LEFT] =
        e.lit ? std::pow(std::fmax((e.n1 - 20) / 76, 0), 1.5) * AC_MAX_THRUST_LBF : 0;
    bool generator = e.n2 > 50 && !a->failed[FAIL_ELECTRICAL] &&
                     !a->failed[i ? FAIL_RIGHT_GENERATOR : FAIL_LEFT_GENERATOR];
    double volts = !a->switches[SWITCH_BATTERY] ? 0 : generator ? BUS_GENERATOR_V
                 : (e.n2 > 50 ? 0 : BUS_BATTERY_V);   // a failed generator sheds its bus
    q[i ? Q_BUS_VOLTS_RIGHT : Q_BUS_VOLTS_LEFT] = volts;
    q[i ? Q_GEN_AMPS_RIGHT : Q_GEN_AMPS_LEFT] = generator && a->switches[SWITCH_BATTERY] ? 60 + e.n1 * 0.3 : 0;
    q[i ? Q_HYD_RIGHT : Q_HYD_LEFT] = a->hyd_psi[i];
  }
  q[Q_EMER_BUS_VOLTS] = a->switches[SWITCH_BATTERY] ? BUS_BATTERY_V + (q[Q_BUS_VOLTS_LEFT] > 25 ? 4 : 0) : 0;
  q[Q_FIRE_FLAGS] = a->failed[FAIL_ENGINE_FIRE] ? 1 : 0;
  q[Q_TANK_CAP_LEFT] = TANK_WING_GAL;
  q[Q_TANK_CAP_RIGHT] = TANK_WING_GAL;
  q[Q_TANK_CAP_CENTRE] = TANK_CENTRE_GAL;
  q[Q_TANK_LEVEL_LEFT] = a->fuel_lb[0] / (TANK_WING_GAL * FUEL_LB_PER_GAL) * 100;
  q[Q_TANK_LEVEL_RIGHT] = a->fuel_lb[1] / (TANK_WING_GAL * FUEL_LB_PER_GAL) * 100;
  q[Q_TANK_LEVEL_CENTRE] = a->fuel_lb[2] / (TANK_CENTRE_GAL * FUEL_LB_PER_GAL) * 100;
  q[Q_FUEL_WEIGHT] = FUEL_LB_PER_GAL;
}

void air_data(Aircraft* a, ModelValues* v) {
  double* q = v->q;
  double ground = aircraft_ground_elevation(a);
  double oat = aircraft_temperature_c(a, a->alt_ft);
  bool adc = !a->failed[FAIL_AIR_DATA];
  if (adc) { a->frozen_ias = a->ias_kt; a->frozen_alt = aircraft_indicated_altitude(a); }
  q[Q_IAS] = adc ? a->ias_kt : 0;
  q[Q_TAS] = adc ? a->tas_kt : 0;
  q[Q_MACH] = adc ? aircraft_mach(a) : 0;
  q[Q_VERTICAL_SPEED] = adc ? a->vs_fpm : 0;
  q[Q_INDICATED_ALTITUDE] = a->frozen_alt;
  q[Q_GROUND_SPEED] = a->gs_kt;
  q[Q_OUTSIDE_AIR_TEMP] = oat;
  q[Q_STATIC_AIR_TEMP] = oat;
  double t_k = oat + 273.15;
  double delta = std::pow(std::fmax(1 - 6.8756e-6 * a->alt_ft, 0.05), 5.2559);
  q[Q_AIR_PRESSURE] = 2116.22 * delta;
  q[Q_AIR_DENSITY] = 0.0023769 * delta * 288.15 / t_k;
  double wind_from, wind_kt;
  aircraft_wind_at(a, &wind_from, &wind_kt);
  q[Q_WIND_DIRECTION] = mag(a, wind_from);
  q[Q_WIND_SPEED] = std::round(wind_kt);
  q[Q_GROUND_ELEVATION] = ground;
  q[Q_GPS_ALTITUDE] = a->alt_ft;
  q[Q_TRUE_ALTITUDE] = a->alt_ft;
  q[Q_RADIO_ALTITUDE] = a->on_ground ? 0 : std::fmax(a->alt_ft - ground, 0.0);
  q[Q_ACCELERATION] = a->ias_kt < 5 ? 0 : a->accel_fps2;
  q[Q_OVERSPEED] = a->ias_kt > AC_VMO_KT ? 1 : 0;
  q[Q_STALL] = !a->on_ground && a->ias_kt < 95 ? 1 : 0;
}

}  // namespace

void publish_radio_settings(const Radios& r, ModelValues* v) {
  double* q = v->q;
  q[Q_COM1] = r.com[0]; q[Q_COM2] = r.com[1];
  q[Q_COM1_STANDBY] = r.com_standby[0]; q[Q_COM2_STANDBY] = r.com_standby[1];
  q[Q_NAV1_FREQ] = r.nav[0]; q[Q_NAV2_FREQ] = r.nav[1];
  q[Q_NAV1_STANDBY] = r.nav_standby[0]; q[Q_NAV2_STANDBY] = r.nav_standby[1];
  q[Q_ADF1_FREQ] = r.adf_khz[0];
  q[Q_SQUAWK] = r.squawk;
  q[Q_XPDR_STANDBY] = r.xpdr_standby;
  q[Q_XPDR_IDENT] = r.ident;
  q[Q_NAV1_COURSE] = r.course[0];
  q[Q_NAV2_COURSE] = r.course[1];
  q[Q_NAV_GPS_SWITCH] = r.nav_gps;
  q[Q_BARO_SETTING] = r.baro_hpa;
}

void aircraft_compute_values(Aircraft* a) {
  ModelValues* v = &a->values;
  double* q = v->q;
  for (int i = 0; i < Q_TRAFFIC_FIRST; ++i) q[i] = 0;
  for (int t = 0; t < T_COUNT; ++t) v->text[t][0] = '\0';

  bool ahrs_attitude = !a->failed[FAIL_ATTITUDE], ahrs_heading = !a->failed[FAIL_HEADING];
  if (ahrs_attitude) { a->frozen_pitch = a->pitch; a->frozen_bank = a->bank; }
  if (ahrs_heading) a->frozen_heading = a->heading_true;
  q[Q_PITCH] = a->frozen_pitch;
  q[Q_BANK] = a->frozen_bank;
  q[Q_HEADING_TRUE] = a->frozen_heading;
  q[Q_MAGVAR] = a->scenario.magvar_deg;
  q[Q_LATITUDE] = a->lat;
  q[Q_LONGITUDE] = a->lon;
  q[Q_ON_GROUND] = a->on_ground ? 1 : 0;
  q[Q_BATTERY] = a->switches[SWITCH_BATTERY] ? 1 : 0;
  q[Q_AVIONICS] = a->switches[SWITCH_AVIONICS] ? 1 : 0;
  q[Q_PITOT_HEAT] = a->switches[SWITCH_PITOT_HEAT] ? 1 : 0;
  q[Q_DOOR_FLAGS] = a->switches[SWITCH_DOOR] ? 1 : 0;
  q[Q_SYNC_FLAGS] = a->switches[SWITCH_ENGINE_SYNC] ? SYNC_BIT : 0;
  q[Q_PARKING_BRAKE] = a->parking_brake ? 1 : 0;
  q[Q_GEAR_CONTROL] = a->gear_command;
  q[Q_FLAP_POSITION] = a->flaps;
  q[Q_FLAP_CONTROL] = a->flap_command;
  q[Q_SPOILER_LEFT] = a->spoilers;
  q[Q_SPOILER_RIGHT] = a->spoilers;
  q[Q_SPOILER_CONTROL] = a->spoilers;
  q[Q_SPOILER_ARM] = a->spoiler_arm ? 1 : 0;
  q[Q_ELEVATOR_TRIM] = a->elevator_trim_rad;
  q[Q_AILERON_TRIM] = a->aileron_trim_rad;
  q[Q_RUDDER_TRIM] = a->rudder_trim_rad;

  const Autopilot& ap = a->ap;
  q[Q_AP_MASTER] = ap.master; q[Q_YAW_DAMPER] = ap.yaw_damper; q[Q_FD_ACTIVE] = ap.flight_director;
  q[Q_HDG_HOLD] = ap.hdg_hold; q[Q_NAV_HOLD] = ap.nav_hold; q[Q_APP_HOLD] = ap.app_hold;
  q[Q_ALT_HOLD] = ap.alt_hold; q[Q_IAS_HOLD] = ap.ias_hold; q[Q_MACH_HOLD] = ap.mach_hold;
  q[Q_AP_HEADING_BUG] = ap.heading_bug;
  q[Q_SELECTED_ALTITUDE] = ap.selected_alt_ft;
  q[Q_IAS_TARGET] = std::round(ap.ias_target);
  q[Q_MACH_TARGET] = ap.mach_target;
  q[Q_VS_TARGET] = ap.vs_target;
  q[Q_FD_PITCH] = ap.flight_director ? a->pitch_command : 0;
  q[Q_FD_BANK] = ap.flight_director ? a->bank_command : 0;

  double clock = std::fmod(a->scenario.start_clock_s + a->time_s, 86400.0);
  int seconds = static_cast<int>(clock);
  q[Q_CLOCK_HOUR] = seconds / 3600;
  q[Q_CLOCK_MINUTE] = seconds / 60 % 60;
  q[Q_CLOCK_SECOND] = seconds % 60;

  air_data(a, v);
  engines(a, v);
  radios(a, v);
  gps(a, v);
  text(v, T_FLIGHT_ID, a->scenario.flight_id);
  traffic_publish(&a->traffic, q);
}
