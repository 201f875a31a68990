// Unit conversions from FlightGear's properties to the model's quantities.
#include "server/flightgear_map.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "server/aircraft_constants.h"
#include "server/aircraft_geo.h"

namespace {

constexpr double HPA_PER_INHG = 33.8639;
constexpr double PSF_PER_INHG = 70.7262;
constexpr double METRES_PER_NM = 1852.0;
constexpr double NEEDLE_FULL = 127;
// FlightGear gives trims as -1..1 of their travel; the quantities are radians.
constexpr double TRIM_TRAVEL_RAD = 15.0 * 3.14159265358979323846 / 180.0;
constexpr double FUEL_RUNNING_PSI = 25;
constexpr uint16_t FLAG_NAV1 = 1 << 1, FLAG_NAV2 = 1 << 2, FLAG_ADF1 = 1 << 3, FLAG_NAV1_DME = 1 << 4,
                   FLAG_NAV2_DME = 1 << 5, FLAG_NAV1_LOC = 1 << 6, FLAG_NAV2_LOC = 1 << 12;
constexpr int AI_SLOTS = 4;
constexpr double PISTON_FULL_RPM = 2700;   // a light aircraft's propeller rpm shown as 100 %
constexpr double AVGAS_LB_PER_GAL = 6.0;
constexpr int ENGINE_STRIDE = F_RUNNING_1 - F_RUNNING_0;

// An engine the aircraft does not have reads all zeros, even its oil
// temperature, which a stopped engine has at the air's.
bool engine_missing(const double* f, int i) {
  for (int field = F_RUNNING_0; field < F_RUNNING_1; ++field)
    if (field != F_THROTTLE_0 && f[field + i * ENGINE_STRIDE] != 0) return false;
  return true;
}

bool is(const FgPacket& p, int f, const char* text) { return std::strcmp(p.text[f], text) == 0; }

void put_text(ModelValues* v, TextQuantity t, const char* s) { std::snprintf(v->text[t], TEXT_QUANTITY_SIZE, "%s", s); }

void air(const FgPacket& p, const FgDerived& d, ModelValues* v) {
  const double* f = p.value;
  double* q = v->q;
  bool on_ground = f[F_ON_GROUND] != 0;
  q[Q_PITCH] = f[F_PITCH];
  q[Q_BANK] = f[F_ROLL];
  q[Q_HEADING_TRUE] = geo_wrap360(f[F_HEADING]);
  q[Q_MAGVAR] = f[F_MAGVAR];
  q[Q_LATITUDE] = f[F_LATITUDE];
  q[Q_LONGITUDE] = f[F_LONGITUDE];
  q[Q_TRUE_ALTITUDE] = q[Q_GPS_ALTITUDE] = f[F_ALTITUDE];
  q[Q_GROUND_ELEVATION] = f[F_GROUND_ELEV];
  q[Q_RADIO_ALTITUDE] = on_ground ? 0 : std::fmax(f[F_ALTITUDE_AGL], 0.0);
  q[Q_INDICATED_ALTITUDE] = f[F_INDICATED_ALT];
  q[Q_IAS] = std::fmax(f[F_IAS], 0.0);
  q[Q_TAS] = std::fmax(f[F_TAS], 0.0);
  q[Q_GROUND_SPEED] = f[F_GROUND_SPEED];
  q[Q_VERTICAL_SPEED] = f[F_VERTICAL_SPEED] * 60;
  q[Q_MACH] = std::fmax(f[F_MACH], 0.0);
  q[Q_ACCELERATION] = q[Q_IAS] < 5 ? 0 : d.accel_fps2;
  q[Q_OUTSIDE_AIR_TEMP] = q[Q_STATIC_AIR_TEMP] = f[F_OAT];
  q[Q_WIND_DIRECTION] = geo_wrap360(f[F_WIND_FROM] - f[F_MAGVAR]);
  q[Q_WIND_SPEED] = std::round(f[F_WIND_SPEED]);
  q[Q_AIR_PRESSURE] = f[F_PRESSURE_INHG] * PSF_PER_INHG;
  q[Q_AIR_DENSITY] = f[F_DENSITY];
  q[Q_ON_GROUND] = on_ground;
  q[Q_OVERSPEED] = q[Q_IAS] > AC_VMO_KT;
  q[Q_STALL] = f[F_STALL_WARNING];
  int clock = static_cast<int>(f[F_UTC_DAY_SECONDS]) % 86400;
  q[Q_CLOCK_HOUR] = clock / 3600;
  q[Q_CLOCK_MINUTE] = clock / 60 % 60;
  q[Q_CLOCK_SECOND] = clock % 60;
}

void airframe(const FgPacket& p, ModelValues* v) {
  const double* f = p.value;
  double* q = v->q;
  q[Q_GEAR_CONTROL] = f[F_GEAR_DOWN];
  q[Q_PARKING_BRAKE] = f[F_PARKING_BRAKE];
  q[Q_FLAP_POSITION] = f[F_FLAP_POSITION];
  q[Q_FLAP_CONTROL] = f[F_FLAP_CONTROL];
  q[Q_SPOILER_LEFT] = q[Q_SPOILER_RIGHT] = f[F_SPOILER_POSITION];
  q[Q_SPOILER_CONTROL] = f[F_SPOILER_CONTROL];
  q[Q_ELEVATOR_TRIM] = f[F_ELEVATOR_TRIM] * TRIM_TRAVEL_RAD;
  q[Q_AILERON_TRIM] = f[F_AILERON_TRIM] * TRIM_TRAVEL_RAD;
  q[Q_RUDDER_TRIM] = f[F_RUDDER_TRIM] * TRIM_TRAVEL_RAD;
  q[Q_PITOT_HEAT] = f[F_PITOT_HEAT];
}

void engines(const FgPacket& p, ModelValues* v) {
  const double* f = p.value;
  double* q = v->q;
  // A single-engine aircraft shows its engine on both sides of the twin's gauges.
  bool single = engine_missing(f, 1) && !engine_missing(f, 0);
  int running = (f[F_RUNNING_0] != 0) + (single ? f[F_RUNNING_0] != 0 : f[F_RUNNING_1] != 0);
  double volts = std::fmax(f[F_BUS_VOLTS], 0.0);
  double density = f[F_FUEL_DENSITY] > 0 ? f[F_FUEL_DENSITY] : AVGAS_LB_PER_GAL;
  for (int i = 0; i < 2; ++i) {
    int from = single ? 0 : i;
    auto e = [&](int field) { return f[field + from * ENGINE_STRIDE]; };
    bool lit = e(F_RUNNING_0) != 0;
    // Piston engines have no spools: their rpm stands for both.
    double spool = e(F_RPM_0) / PISTON_FULL_RPM * 100;
    q[i ? Q_N1_RIGHT : Q_N1_LEFT] = e(F_N1_0) > 0 ? e(F_N1_0) : spool;
    q[i ? Q_N2_RIGHT : Q_N2_LEFT] = e(F_N2_0) > 0 ? e(F_N2_0) : spool;
    q[i ? Q_ITT_RIGHT : Q_ITT_LEFT] = (e(F_EGT_0) - 32) / 1.8;
    q[i ? Q_FUEL_FLOW_RIGHT : Q_FUEL_FLOW_LEFT] =
        e(F_FUEL_FLOW_0) > 0 ? e(F_FUEL_FLOW_0) : e(F_FUEL_FLOW_GPH_0) * density;
    q[i ? Q_OIL_TEMP_RIGHT : Q_OIL_TEMP_LEFT] = (e(F_OIL_TEMP_0) - 32) / 1.8;
    q[i ? Q_OIL_PRESS_RIGHT : Q_OIL_PRESS_LEFT] = e(F_OIL_PRESS_0);
    q[i ? Q_THRUST_RIGHT : Q_THRUST_LEFT] = e(F_THRUST_0);
    q[i ? Q_THROTTLE_RIGHT : Q_THROTTLE_LEFT] = e(F_THROTTLE_0) * 100;
    q[i ? Q_COMBUSTION_RIGHT : Q_COMBUSTION_LEFT] = lit;
    q[i ? Q_STARTER_RIGHT : Q_STARTER_LEFT] = e(F_CRANKING_0);
    // No fuel, hydraulic or generator properties common to every aircraft:
    // a running engine drives its pump and generator.
    q[i ? Q_FUEL_PRESS_RIGHT : Q_FUEL_PRESS_LEFT] = lit ? FUEL_RUNNING_PSI : 0;
    q[i ? Q_HYD_RIGHT : Q_HYD_LEFT] = lit ? HYD_ENGINE_PSI : 0;
    q[i ? Q_BUS_VOLTS_RIGHT : Q_BUS_VOLTS_LEFT] = volts;
    q[i ? Q_GEN_AMPS_RIGHT : Q_GEN_AMPS_LEFT] = lit ? std::fabs(f[F_BUS_AMPS]) / running : 0;
  }
  q[Q_EMER_BUS_VOLTS] = volts;
  q[Q_BATTERY] = f[F_BATTERY] != 0 || f[F_MASTER_BATTERY] != 0;
  q[Q_AVIONICS] = f[F_AVIONICS] != 0 || f[F_MASTER_AVIONICS] != 0;
  const int level[3] = {F_TANK_LEVEL_0, F_TANK_LEVEL_1, F_TANK_LEVEL_2};
  const int capacity[3] = {F_TANK_CAPACITY_0, F_TANK_CAPACITY_1, F_TANK_CAPACITY_2};
  const Quantity q_level[3] = {Q_TANK_LEVEL_LEFT, Q_TANK_LEVEL_RIGHT, Q_TANK_LEVEL_CENTRE};
  const Quantity q_capacity[3] = {Q_TANK_CAP_LEFT, Q_TANK_CAP_RIGHT, Q_TANK_CAP_CENTRE};
  for (int t = 0; t < 3; ++t) {
    double cap = f[capacity[t]];
    q[q_capacity[t]] = cap;
    q[q_level[t]] = cap > 0 ? std::fmin(f[level[t]] / cap, 1.0) * 100 : 0;
  }
  if (f[F_FUEL_DENSITY] > 0) q[Q_FUEL_WEIGHT] = f[F_FUEL_DENSITY];
}

void autopilot(const FgPacket& p, ModelValues* v) {
  const double* f = p.value;
  double* q = v->q;
  q[Q_HDG_HOLD] = is(p, F_AP_HEADING_LOCK, "dg-heading-hold") || is(p, F_AP_HEADING_LOCK, "true-heading-hold");
  q[Q_NAV_HOLD] = is(p, F_AP_HEADING_LOCK, "nav1-hold");
  q[Q_APP_HOLD] = is(p, F_AP_ALTITUDE_LOCK, "gs1-hold");
  q[Q_ALT_HOLD] = is(p, F_AP_ALTITUDE_LOCK, "altitude-hold") || is(p, F_AP_ALTITUDE_LOCK, "agl-hold");
  q[Q_IAS_HOLD] = is(p, F_AP_SPEED_LOCK, "speed-with-throttle") || is(p, F_AP_SPEED_LOCK, "speed-with-pitch-trim");
  q[Q_MACH_HOLD] = is(p, F_AP_SPEED_LOCK, "mach-with-throttle") || is(p, F_AP_SPEED_LOCK, "mach-with-pitch-trim");
  // The generic autopilot has no master switch: it flies while it holds a heading or an altitude.
  q[Q_AP_MASTER] = p.text[F_AP_HEADING_LOCK][0] || p.text[F_AP_ALTITUDE_LOCK][0];
  q[Q_AP_HEADING_BUG] = geo_wrap360(f[F_AP_HEADING_BUG]);
  q[Q_SELECTED_ALTITUDE] = f[F_AP_TARGET_ALT];
  q[Q_IAS_TARGET] = std::round(std::fmax(f[F_AP_TARGET_SPEED], 0.0));
  q[Q_MACH_TARGET] = std::fmax(f[F_AP_TARGET_MACH], 0.0);
  q[Q_VS_TARGET] = f[F_AP_TARGET_VS];
}

void receivers(const FgPacket& p, ModelValues* v) {
  const double* f = p.value;
  double* q = v->q;
  constexpr int STRIDE = F_NAV_ID_1 - F_NAV_ID_0;
  unsigned flags = 0;
  for (int i = 0; i < 2; ++i) {
    auto n = [&](int field) { return f[field + i * STRIDE]; };
    bool signal = n(F_NAV_IN_RANGE_0) != 0, loc = signal && n(F_NAV_LOC_0) != 0;
    bool dme = n(F_NAV_DME_IN_RANGE_0) != 0;
    double distance = n(F_NAV_DISTANCE_0) / METRES_PER_NM;
    if (signal) flags |= i ? FLAG_NAV2 : FLAG_NAV1;
    if (dme) flags |= i ? FLAG_NAV2_DME : FLAG_NAV1_DME;
    if (loc) flags |= i ? FLAG_NAV2_LOC : FLAG_NAV1_LOC;
    double deviation = signal ? n(F_NAV_CDI_0) * NEEDLE_FULL : 0;
    int to_from = !signal ? 0 : n(F_NAV_TO_0) != 0 ? 1 : n(F_NAV_FROM_0) != 0 ? 2 : 0;
    q[i ? Q_NAV2_DEVIATION : Q_NAV1_DEVIATION] = deviation;
    q[i ? Q_NAV2_RADIAL : Q_NAV1_RADIAL] = signal ? geo_wrap360(n(F_NAV_RADIAL_0)) : 0;
    q[i ? Q_NAV2_TO_FROM : Q_NAV1_TO_FROM] = to_from;
    q[i ? Q_NAV2_CODE : Q_NAV1_CODE] = signal ? 1 + (dme ? 2 : 0) + (loc ? 4 : 0) : 0;
    q[i ? Q_DME2 : Q_DME1] = dme ? distance : 0;
    put_text(v, i ? T_VOR2_IDENT : T_VOR1_IDENT, signal ? p.text[F_NAV_ID_0 + i * STRIDE] : "");
    char dme_text[TEXT_QUANTITY_SIZE];
    std::snprintf(dme_text, sizeof dme_text, "%4.1f", std::fmin(distance, 99.9));
    put_text(v, i ? T_DME2_TEXT : T_DME1_TEXT, dme ? dme_text : "");
  }
  bool nav1 = f[F_NAV_IN_RANGE_0] != 0;
  // FlightGear's glideslope needle points up when the aircraft is below the path.
  bool glideslope = nav1 && f[F_NAV_HAS_GS_0] != 0 && f[F_NAV_GS_IN_RANGE_0] != 0;
  double gs = glideslope ? -f[F_NAV_GS_0] * NEEDLE_FULL : 0;
  q[Q_GS_DEVIATION] = gs;
  q[Q_GS_ALIVE] = glideslope;
  q[Q_LOC_NEEDLE] = std::round(q[Q_NAV1_DEVIATION]);
  q[Q_GS_NEEDLE] = std::round(gs);
  q[Q_NAV1_RELATIVE] = nav1 ? std::round(geo_wrap180(f[F_NAV_BEARING_0] - f[F_HEADING])) : 0;
  bool adf = f[F_ADF_IN_RANGE] != 0;
  if (adf) flags |= FLAG_ADF1;
  q[Q_NAV_FLAGS] = flags;
  q[Q_ADF1_RELATIVE] = adf ? geo_wrap360(f[F_ADF_BEARING]) : 0;
  put_text(v, T_ADF_IDENT, adf ? p.text[F_ADF_ID] : "");
  q[Q_MARKER_INNER] = f[F_MARKER_INNER];
  q[Q_MARKER_MIDDLE] = f[F_MARKER_MIDDLE];
  q[Q_MARKER_OUTER] = f[F_MARKER_OUTER];
}

void gps(const FgPacket& p, ModelValues* v) {
  const double* f = p.value;
  double* q = v->q;
  // Without a route FlightGear's GPS reports a distance of -1 and a bearing of -9999.
  double distance = f[F_GPS_WP_DISTANCE];
  put_text(v, T_NEXT_WAYPOINT, "");
  for (Quantity k : {Q_GPS_DISTANCE, Q_GPS_ARRIVAL, Q_GPS_DESIRED_TRACK, Q_GPS_CROSS_TRACK, Q_GPS_BEARING_TRUE}) q[k] = 0;
  if (!p.text[F_GPS_WP_ID][0] || distance < 0) return;
  put_text(v, T_NEXT_WAYPOINT, p.text[F_GPS_WP_ID]);
  double clock = f[F_UTC_DAY_SECONDS];
  double gs = f[F_GROUND_SPEED];
  q[Q_GPS_DISTANCE] = distance;
  q[Q_GPS_ARRIVAL] = std::fmod(std::floor(gs > 30 ? clock + distance / gs * 3600 : clock), 86400.0);
  auto angle = [](double degrees) { return degrees >= -360 && degrees <= 720 ? geo_wrap360(degrees) : 0; };
  q[Q_GPS_DESIRED_TRACK] = angle(f[F_GPS_WP_COURSE]);
  q[Q_GPS_CROSS_TRACK] = f[F_GPS_WP_XTRACK];
  q[Q_GPS_BEARING_TRUE] = angle(f[F_GPS_WP_BEARING]);
}

// Valid AI aircraft packed from slot 0: the units stop at the first empty slot.
void traffic(const FgPacket& p, const FgDerived& d, ModelValues* v) {
  const double* f = p.value;
  constexpr int STRIDE = F_AI_VALID_1 - F_AI_VALID_0;
  for (int s = 0; s < TRAFFIC_SLOTS; ++s)
    for (int k = 0; k < TF_COUNT; ++k) v->q[traffic_quantity(s, static_cast<TrafficField>(k))] = 0;
  int slot = 0;
  for (int a = 0; a < AI_SLOTS; ++a) {
    auto ai = [&](int field) { return f[field + a * STRIDE]; };
    if (ai(F_AI_VALID_0) == 0) continue;
    v->q[traffic_quantity(slot, TF_INDICATOR)] = d.traffic_indicator;
    v->q[traffic_quantity(slot, TF_LAT)] = ai(F_AI_LAT_0);
    v->q[traffic_quantity(slot, TF_LON)] = ai(F_AI_LON_0);
    v->q[traffic_quantity(slot, TF_ALT)] = ai(F_AI_ALT_0);
    v->q[traffic_quantity(slot, TF_VS)] = ai(F_AI_VS_0) * 60;
    ++slot;
  }
}

}  // namespace

void fg_apply_packet(const FgPacket& p, const FgDerived& d, ModelValues* v) {
  air(p, d, v);
  airframe(p, v);
  engines(p, v);
  autopilot(p, v);
  receivers(p, v);
  gps(p, v);
  traffic(p, d, v);
  if (p.text[F_CALLSIGN][0]) put_text(v, T_FLIGHT_ID, p.text[F_CALLSIGN]);
  Radios radios{};
  fg_radios_from_packet(p, &radios);
  publish_radio_settings(radios, v);
}

void fg_radios_from_packet(const FgPacket& p, Radios* r) {
  const double* f = p.value;
  r->com[0] = f[F_COM1]; r->com_standby[0] = f[F_COM1_STANDBY];
  r->com[1] = f[F_COM2]; r->com_standby[1] = f[F_COM2_STANDBY];
  r->nav[0] = f[F_NAV1]; r->nav_standby[0] = f[F_NAV1_STANDBY];
  r->nav[1] = f[F_NAV2]; r->nav_standby[1] = f[F_NAV2_STANDBY];
  r->adf_khz[0] = f[F_ADF_FREQ];
  r->squawk = static_cast<int>(f[F_SQUAWK]);
  r->xpdr_standby = f[F_XPDR_KNOB] <= 1 ? 1 : 0;   // off or standby
  r->ident = f[F_XPDR_IDENT] != 0;
  r->course[0] = static_cast<int>(std::lround(geo_wrap360(f[F_NAV_COURSE_0]))) % 360;
  r->course[1] = static_cast<int>(std::lround(geo_wrap360(f[F_NAV_COURSE_1]))) % 360;
  r->nav_gps = f[F_NAV_GPS] != 0;
  r->baro_hpa = f[F_BARO_INHG] * HPA_PER_INHG;
}

FgSettings fg_settings_from_radios(const Radios& r) {
  FgSettings s{};
  s.baro_inhg = r.baro_hpa / HPA_PER_INHG;
  for (int i = 0; i < 2; ++i) {
    s.com[i] = r.com[i];
    s.com_standby[i] = r.com_standby[i];
    s.nav[i] = r.nav[i];
    s.nav_standby[i] = r.nav_standby[i];
    s.course[i] = r.course[i];
  }
  s.adf_khz = r.adf_khz[0];
  s.squawk = r.squawk;
  s.nav_gps = r.nav_gps != 0;
  return s;
}
