// The scripted flight: phase logic, guidance and the kinematic motion. The
// "pilot" sets targets (track, vertical speed or speed, thrust lever); the
// motion follows them with rate limits, and speed follows thrust and drag.
#include <algorithm>
#include <cmath>

#include "server/aircraft_constants.h"
#include "server/aircraft_geo.h"
#include "server/aircraft_model.h"

namespace {

double clampd(double v, double lo, double hi) { return v < lo ? lo : v > hi ? hi : v; }

double approach(double v, double target, double step) {
  if (v < target) return std::min(target, v + step);
  return std::max(target, v - step);
}

struct Air { double temp_k, sigma; };

Air air_at(const Aircraft* a, double alt_ft) {
  double t0 = a->scenario.sea_level_temp_c + 273.15;
  double t = std::max(t0 - 0.0019812 * alt_ft, 216.65);
  double delta = std::pow(std::max(1 - 6.8756e-6 * alt_ft, 0.05), 5.2559);
  return {t, delta * 288.15 / t};
}

double weight_lb(const Aircraft* a) {
  return AC_WEIGHT_EMPTY_LB + a->fuel_lb[0] + a->fuel_lb[1] + a->fuel_lb[2];
}

double thrust_lbf(const Aircraft* a, double sigma) {
  double total = 0;
  for (const Engine& e : a->engine) {
    if (!e.lit) continue;
    double f = std::pow(clampd((e.n1 - 20) / 76, 0, 1.2), 1.5) * AC_MAX_THRUST_LBF * std::pow(sigma, 0.7);
    total += e.lever < 0 ? -0.45 * f : f;
  }
  return total;
}

struct Leg { double dtk, xtk, distance; };

Leg route_leg(const Aircraft* a) {
  double flat, flon, tlat, tlon;
  const char* id;
  int to = std::max(1, a->active_leg);
  aircraft_route_point(a, to - 1, &flat, &flon, &id);
  aircraft_route_point(a, to, &tlat, &tlon, &id);
  Leg leg;
  leg.dtk = geo_course_deg(flat, flon, tlat, tlon);
  leg.xtk = geo_cross_track_nm(flat, flon, tlat, tlon, a->lat, a->lon);
  leg.distance = geo_distance_nm(a->lat, a->lon, tlat, tlon);
  return leg;
}

double remaining_nm(const Aircraft* a, const Leg& leg) {
  double total = leg.distance;
  int n = aircraft_route_count(a);
  for (int i = std::max(1, a->active_leg) + 1; i < n; ++i) {
    double la, lo, lb, lob;
    const char* id;
    aircraft_route_point(a, i - 1, &la, &lo, &id);
    aircraft_route_point(a, i, &lb, &lob, &id);
    total += geo_distance_nm(la, lo, lb, lob);
  }
  return total;
}

// Moves to the next leg when the current one is nearly flown, leading the
// turn by the distance the aircraft needs to turn.
void sequence(Aircraft* a, const Leg& leg) {
  int n = aircraft_route_count(a);
  if (a->active_leg >= n - 1) return;
  double lead = std::max(0.5, a->gs_kt / 3600.0 * 30);
  if (leg.distance < lead) ++a->active_leg;
}

// The route-following track with a cross-track intercept.
double lnav_track(const Leg& leg) { return geo_wrap360(leg.dtk - clampd(leg.xtk * 25, -30, 30)); }

// Following NAV1: course corrected by the needle, which is proportional to
// the angular deviation (full scale 10 degrees for a VOR, 2.5 for a localiser).
double nav_track(const Aircraft* a) {
  const NavReceiver& r = a->nav[0];
  double full_scale = r.localiser ? 2.5 : 10.0;
  double deviation_deg = r.deviation / 127.0 * full_scale;
  double xtk = r.distance_nm * std::sin(deviation_deg * GEO_DEG);
  double course_true = a->radios.course[0] + a->scenario.magvar_deg;
  return geo_wrap360(course_true + clampd(xtk * 25, -30, 30));
}

bool nav1_usable(const Aircraft* a, double route_dtk) {
  const NavReceiver& r = a->nav[0];
  if (!r.signal) return false;
  double course_true = a->radios.course[0] + a->scenario.magvar_deg;
  return std::fabs(geo_wrap180(course_true - route_dtk)) < 30;
}

// The localiser whose frequency NAV1 holds, or null.
const ScenarioNavaid* tuned_localiser(const Aircraft* a) {
  if (!a->nav[0].signal || !a->nav[0].localiser) return nullptr;
  for (int i = 0; i < a->scenario.navaid_count; ++i) {
    const ScenarioNavaid& n = a->scenario.navaids[i];
    if (n.kind == NAVAID_ILS && std::fabs(n.frequency - a->radios.nav[0]) < 0.005) return &n;
  }
  return nullptr;
}

// Height of the approach path above sea level at the aircraft: from the
// glideslope antenna when the scenario has one, else 50 ft over the threshold.
double path_altitude(const Aircraft* a, double* angle_out) {
  const ScenarioRunway& r = a->scenario.arrival;
  for (int i = 0; i < a->scenario.navaid_count; ++i) {
    const ScenarioNavaid& n = a->scenario.navaids[i];
    if (n.kind == NAVAID_ILS && n.gs_angle > 0 && std::fabs(geo_wrap180(n.course_true - r.heading_true)) < 10) {
      double d = geo_distance_nm(a->lat, a->lon, n.gs_lat, n.gs_lon) * 6076.12;
      *angle_out = n.gs_angle;
      return r.elevation_ft + std::tan(n.gs_angle * GEO_DEG) * d;
    }
  }
  double d = geo_distance_nm(a->lat, a->lon, r.lat, r.lon) * 6076.12;
  *angle_out = 3.0;
  return r.elevation_ft + 50 + std::tan(3.0 * GEO_DEG) * d;
}

double speed_target(const Aircraft* a) {
  double cruise = a->scenario.cruise_ias_kt;
  double limit = a->alt_ft < SPEED_LIMIT_ALT_FT + 200 ? SPEED_LIMIT_KT : cruise;
  return std::min(cruise, limit);
}

struct Command {
  double track;            // degrees true
  double vs;               // ft/min, when not on the ground
  double ias;              // speed target for the autothrottle or pitch
  bool speed_on_pitch;     // vertical speed chosen to hold the speed
  double vs_low, vs_high;
  double lever;            // fixed lever, or < -1.5 for the autothrottle
  bool brakes;
  bool following_nav;      // the track follows NAV1
  bool following_loc;      // the track follows the captured localiser
};

constexpr double AUTOTHROTTLE = -2;

void ground_phase(Aircraft* a, Command* c) {
  c->lever = 0;
  c->track = a->heading_true;
  c->ias = 0;
  c->brakes = true;
  switch (a->phase) {
    case PHASE_TAXI_OUT: {
      double d = geo_distance_nm(a->lat, a->lon, a->taxi_target_lat, a->taxi_target_lon);
      c->track = geo_course_deg(a->lat, a->lon, a->taxi_target_lat, a->taxi_target_lon);
      c->ias = d < 0.08 ? 5 : AC_TAXI_KT;
      c->lever = AUTOTHROTTLE;
      c->brakes = a->gs_kt > c->ias + 2;
      if (d < 0.015) aircraft_enter_phase(a, PHASE_LINED_UP);
      break;
    }
    case PHASE_LINED_UP:
      c->track = a->scenario.departure.heading_true;
      break;
    case PHASE_TAKEOFF:
      c->track = a->scenario.departure.heading_true;
      c->lever = TAKEOFF_LEVER;
      c->brakes = false;
      break;
    case PHASE_ROLLOUT:
    case PHASE_LANDING:
      c->track = a->scenario.arrival.heading_true;
      c->lever = a->gs_kt > 60 ? -0.7 : 0;
      break;
    case PHASE_TAXI_IN: {
      c->track = geo_wrap360(a->scenario.arrival.heading_true + 90);
      c->ias = AC_TAXI_KT;
      c->lever = AUTOTHROTTLE;
      c->brakes = a->gs_kt > AC_TAXI_KT + 2;
      if (a->time_s - a->phase_started_s[PHASE_TAXI_IN] > TAXI_IN_S) aircraft_enter_phase(a, PHASE_SHUTDOWN);
      break;
    }
    default:
      break;
  }
}

void air_phase(Aircraft* a, Command* c, const Leg& leg, double height) {
  double target_alt = a->scenario.cruise_alt_ft;
  c->track = lnav_track(leg);
  c->lever = AUTOTHROTTLE;
  c->ias = speed_target(a);
  c->speed_on_pitch = false;
  c->vs_low = -3000;
  c->vs_high = 4000;
  const ScenarioRunway& arr = a->scenario.arrival;
  double to_threshold = geo_distance_nm(a->lat, a->lon, arr.lat, arr.lon);
  switch (a->phase) {
    case PHASE_TAKEOFF:
      c->lever = TAKEOFF_LEVER;
      c->ias = AC_V2_KT + 15;
      c->speed_on_pitch = true;
      c->vs_low = 300;
      c->track = a->scenario.departure.heading_true;
      if (height > 400) aircraft_enter_phase(a, PHASE_CLIMB);
      break;
    case PHASE_CLIMB:
      c->lever = a->climb_lever;
      c->speed_on_pitch = true;
      c->vs_low = 300;
      c->vs = std::min(4000.0, 1.5 * (target_alt - a->alt_ft));
      if (std::fabs(target_alt - a->alt_ft) < 300) c->lever = AUTOTHROTTLE;
      if (std::fabs(target_alt - a->alt_ft) < 30) aircraft_enter_phase(a, PHASE_CRUISE);
      break;
    case PHASE_CRUISE: {
      c->vs = clampd(1.5 * (target_alt - a->alt_ft), -1000, 1000);
      double descent_nm = (a->alt_ft - arr.elevation_ft - APPROACH_HEIGHT_FT) / 1000.0 * 3.3 + 14;
      if (a->distance_to_go_nm < descent_nm) aircraft_enter_phase(a, PHASE_DESCENT);
      break;
    }
    case PHASE_DESCENT: {
      double floor_alt = arr.elevation_ft + APPROACH_HEIGHT_FT;
      c->vs = clampd(1.5 * (floor_alt - a->alt_ft), DESCENT_FPM, 0);
      if (to_threshold < 30) c->ias = 200;
      bool last_leg = a->active_leg >= aircraft_route_count(a) - 1;
      if (last_leg && to_threshold < 16) aircraft_enter_phase(a, PHASE_APPROACH);
      break;
    }
    case PHASE_APPROACH:
    case PHASE_LANDING: {
      double angle;
      double path = path_altitude(a, &angle);
      a->path_alt_ft = path;
      const ScenarioNavaid* loc = tuned_localiser(a);
      if (loc) {
        a->loc_captured = a->loc_captured || std::fabs(a->nav[0].deviation) < 120;
        if (a->loc_captured) {
          double deviation_deg = a->nav[0].deviation / 127.0 * 2.5;
          double xtk = a->nav[0].distance_nm * std::sin(deviation_deg * GEO_DEG);
          c->track = geo_wrap360(loc->course_true + clampd(xtk * 30, -30, 30));
        }
      } else {
        a->loc_captured = false;
        Leg final_leg = leg;
        c->track = lnav_track(final_leg);
      }
      double floor_alt = arr.elevation_ft + APPROACH_HEIGHT_FT;
      if (!a->gs_captured && a->alt_ft >= path - 30) a->gs_captured = true;
      double path_vs = -a->gs_kt * 101.27 * std::tan(angle * GEO_DEG);
      if (a->gs_captured) c->vs = clampd(path_vs + (path - a->alt_ft) * 1.0, -1500, 0);
      else c->vs = clampd(1.5 * (floor_alt - a->alt_ft), DESCENT_FPM, 500);
      c->ias = a->gs_captured ? AC_VREF_KT + 10 : 180;
      if (a->phase == PHASE_APPROACH && height < FLARE_HEIGHT_FT && a->gs_captured) aircraft_enter_phase(a, PHASE_LANDING);
      if (a->phase == PHASE_LANDING) {
        c->vs = -(height * 4 + 120);
        c->lever = 0;
      }
      break;
    }
    default:
      c->vs = 0;
      break;
  }
}

void configure(Aircraft* a, double height, double to_threshold, double dt) {
  switch (a->phase) {
    case PHASE_TAXI_OUT: case PHASE_LINED_UP: case PHASE_TAKEOFF:
      a->flap_command = 0.2;        // 8 degrees for take-off
      if (a->phase == PHASE_TAKEOFF && !a->on_ground && a->vs_fpm > 100 && height > 100) a->gear_command = 0;
      break;
    case PHASE_CLIMB:
      a->gear_command = 0;
      if (height > 1000) a->flap_command = 0;
      break;
    case PHASE_DESCENT:
      a->flap_command = to_threshold < 30 ? 0.2 : 0;
      break;
    case PHASE_APPROACH:
      a->flap_command = a->gs_captured ? 1.0 : 0.5;
      if (a->gs_captured || to_threshold < 9) a->gear_command = 1;
      break;
    case PHASE_TAXI_IN: case PHASE_SHUTDOWN:
      a->flap_command = 0;
      break;
    default:
      break;
  }
  a->flaps = approach(a->flaps, a->flap_command, dt / 12.0);
  a->gear = approach(a->gear, a->gear_command, dt / 7.0);
}

void autopilot_modes(Aircraft* a, const Command& c, bool following_nav, bool following_loc) {
  Autopilot& ap = a->ap;
  bool airborne_auto = !a->on_ground && a->phase >= PHASE_CLIMB && a->phase <= PHASE_APPROACH;
  ap.nav_hold = ap.master && airborne_auto && (a->radios.nav_gps != 0 || following_nav || following_loc);
  ap.hdg_hold = ap.master && airborne_auto && !ap.nav_hold;
  ap.app_hold = ap.master && a->phase == PHASE_APPROACH && following_loc;
  bool level = a->phase == PHASE_CRUISE || (a->phase == PHASE_DESCENT && std::fabs(a->vs_fpm) < 100) ||
               (a->phase == PHASE_APPROACH && !a->gs_captured);
  ap.alt_hold = ap.master && airborne_auto && level;
  ap.vs_target = ap.master && a->phase == PHASE_DESCENT && !level ? DESCENT_FPM : 0;
  if (a->phase == PHASE_DESCENT && !level && ap.master) ap.alt_hold = true;  // VS with altitude pre-select
  ap.ias_hold = ap.master && airborne_auto;
  ap.mach_hold = false;
  // The speed bug follows the speed flown in the air; on the ground it stays at the departure speed.
  if (!a->on_ground && c.ias > 0) ap.ias_target = c.ias;
  ap.mach_target = aircraft_mach(a) > 0 ? std::round(aircraft_mach(a) * 100) / 100 : 0;
  if (a->phase >= PHASE_TAKEOFF && a->phase <= PHASE_CRUISE) ap.selected_alt_ft = a->scenario.cruise_alt_ft;
  else if (a->phase >= PHASE_DESCENT && a->phase <= PHASE_LANDING)
    ap.selected_alt_ft = std::round((a->scenario.arrival.elevation_ft + APPROACH_HEIGHT_FT) / 100) * 100;
  double heading_cmd_true = a->heading_true + geo_wrap180(c.track - a->track_true);
  ap.heading_bug = geo_wrap360(std::round(heading_cmd_true - a->scenario.magvar_deg));
}

// What the pilot wants this step: the phase's targets on the ground or in
// the air, and in the air the NAV1 course where the autopilot follows it.
Command guidance(Aircraft* a, const Leg& leg, double height) {
  Command c{};
  c.lever = 0;
  if (a->on_ground) {
    ground_phase(a, &c);
    return c;
  }
  air_phase(a, &c, leg, height);
  c.following_loc = a->loc_captured && a->phase >= PHASE_APPROACH;
  // What the autopilot follows depends on the NAV/GPS switch: GPS flies the
  // route; NAV flies NAV1 when it is tuned to a station on the route's
  // course, else the heading bug the pilot keeps on the route.
  if (!c.following_loc && a->phase >= PHASE_CLIMB && a->radios.nav_gps == 0 && nav1_usable(a, leg.dtk)) {
    c.track = nav_track(a);
    c.following_nav = true;
  }
  return c;
}

// Thrust lever: fixed by the phase or set by the autothrottle on speed; the
// speed brakes when the speed runs away in a descent, and on the rollout.
void thrust_step(Aircraft* a, const Command& c, double dt) {
  double lever = c.lever;
  if (lever < -1.5) {
    double err = c.ias - a->ias_kt;
    a->at_trim = clampd(a->at_trim + 0.004 * err * dt, 0, 1);
    lever = clampd(a->at_trim + 0.03 * err, 0, 1);
  } else {
    a->at_trim = clampd(lever, 0, 1);
  }
  for (Engine& e : a->engine) e.lever = lever;
  double spoiler_cmd = 0;
  if (!a->on_ground && a->phase == PHASE_DESCENT) spoiler_cmd = clampd((a->ias_kt - c.ias - 5) / 15, 0, 0.5);
  if (a->on_ground && (a->phase == PHASE_ROLLOUT || a->phase == PHASE_LANDING)) spoiler_cmd = a->spoiler_arm ? 1 : 0;
  a->spoilers = approach(a->spoilers, spoiler_cmd, dt / 2.0);
  a->spoiler_arm = a->phase == PHASE_APPROACH || a->phase == PHASE_LANDING || a->phase == PHASE_ROLLOUT;
}

// What the longitudinal motion leaves for the vertical one.
struct Longitudinal {
  double v_fps;  // true airspeed after the step, feet per second
  double cl;     // lift coefficient of the step
};

// Longitudinal motion: speed follows thrust, drag, gravity and brakes.
Longitudinal longitudinal_step(Aircraft* a, const Command& c, const Air& air, double dt) {
  double weight = weight_lb(a);
  double v_fps = a->tas_kt * AC_FPS_PER_KT;
  double q = 0.5 * AC_RHO0_SLUG * air.sigma * v_fps * v_fps;
  double cl = a->on_ground ? 0.1 : weight / std::max(q * AC_WING_AREA_FT2, 1.0);
  cl = std::min(cl, 2.5);
  double cd = AC_CD0 + AC_CD_FLAPS * a->flaps + AC_CD_GEAR * a->gear + AC_CD_SPOILERS * a->spoilers +
              AC_INDUCED_K * cl * cl;
  double drag = q * AC_WING_AREA_FT2 * cd;
  double thrust = thrust_lbf(a, air.sigma);
  double friction = 0;
  if (a->on_ground) {
    bool braking = c.brakes || a->parking_brake || a->phase == PHASE_ROLLOUT || a->phase == PHASE_LANDING;
    friction = 0.02 * weight + (braking ? 0.3 * weight : 0);
    if (v_fps < 0.5 && std::fabs(thrust) < friction) friction = std::fabs(thrust) + drag;  // held still
  }
  double sin_gamma = a->on_ground || v_fps < 1 ? 0 : clampd(a->vs_fpm / 60.0 / v_fps, -0.5, 0.5);
  double accel = AC_G_FPS2 * ((thrust - drag - friction) / weight - sin_gamma);
  v_fps = std::max(0.0, v_fps + accel * dt);
  if (a->on_ground && v_fps == 0) accel = 0;
  a->accel_fps2 = accel;
  a->tas_kt = v_fps / AC_FPS_PER_KT;
  a->ias_kt = a->tas_kt * std::sqrt(air.sigma);
  return Longitudinal{v_fps, cl};
}

// Vertical motion: the rotation and lift-off on the ground; in the air the
// vertical speed follows its command (or the speed, when pitch holds it),
// and the touchdown.
void vertical_step(Aircraft* a, const Command& c, const Longitudinal& motion, double ground, double dt) {
  const double v_fps = motion.v_fps;
  if (a->on_ground) {
    a->vs_fpm = 0;
    double rotate = 0;
    if (a->phase == PHASE_TAKEOFF && a->ias_kt >= AC_VR_KT)
      rotate = std::min(10.0, a->pitch + 3 * dt);
    a->pitch_command = rotate;
    if (a->phase == PHASE_TAKEOFF && a->ias_kt >= AC_VR_KT + 6) {
      a->on_ground = false;
      a->vs_integral = 600;
    }
  } else {
    double vs_cmd = c.vs;
    if (c.speed_on_pitch) {
      double err = a->ias_kt - c.ias;
      a->vs_integral = clampd(a->vs_integral + 30 * err * dt, c.vs_low, c.vs_high);
      double by_speed = clampd(a->vs_integral + 280 * err, c.vs_low, c.vs_high);
      vs_cmd = a->phase == PHASE_CLIMB ? std::min(by_speed, c.vs) : by_speed;
      // Too much thrust for the climb rate limit: the pilot eases the levers.
      if (a->phase == PHASE_CLIMB) {
        if (by_speed >= c.vs_high - 1 && err > 3) a->climb_lever = std::max(0.55, a->climb_lever - 0.05 * dt);
        else if (err < -3) a->climb_lever = std::min(CLIMB_LEVER, a->climb_lever + 0.05 * dt);
      }
    }
    double max_vs = v_fps * 60 * 0.25;
    vs_cmd = clampd(vs_cmd, -max_vs, max_vs);
    a->vs_fpm = approach(a->vs_fpm, vs_cmd, AC_VS_RATE_FPM_PER_S * dt);
    a->alt_ft += a->vs_fpm / 60.0 * dt;
    if (a->alt_ft <= ground) {
      a->alt_ft = ground;
      a->on_ground = true;
      a->vs_fpm = 0;
      if (a->phase == PHASE_LANDING || a->phase == PHASE_APPROACH) aircraft_enter_phase(a, PHASE_ROLLOUT);
    }
    double gamma = v_fps > 1 ? std::asin(clampd(a->vs_fpm / 60.0 / v_fps, -0.5, 0.5)) / GEO_DEG : 0;
    double aoa = clampd(2 + 5.5 * motion.cl - 1.5 * a->flaps, -2, 14);
    a->fpa_deg = gamma;
    a->pitch_command = gamma + aoa;
    if (a->phase == PHASE_LANDING) a->pitch_command = std::max(a->pitch_command, 4.0);
  }
  if (a->on_ground) a->alt_ft = aircraft_ground_elevation(a);
  a->pitch += (a->pitch_command - a->pitch) * std::min(1.0, dt / AC_ATTITUDE_TAU_S);
}

// Lateral motion: bank follows the heading error, heading the bank; on the
// ground the nose wheel turns the heading at a taxi rate.
void lateral_step(Aircraft* a, const Command& c, double dt) {
  double heading_cmd = a->heading_true + geo_wrap180(c.track - a->track_true);
  double err = geo_wrap180(heading_cmd - a->heading_true);
  if (a->on_ground) {
    a->bank_command = 0;
    a->bank = approach(a->bank, 0, AC_ROLL_RATE_DPS * dt);
    double rate = a->phase == PHASE_TAKEOFF || a->phase == PHASE_ROLLOUT ? 2 : 12;
    if (a->phase == PHASE_PARKED || a->phase == PHASE_SHUTDOWN) rate = 0;
    a->heading_true = geo_wrap360(a->heading_true + clampd(err, -rate * dt, rate * dt));
  } else {
    a->bank_command = clampd(err * 2.5, -AC_MAX_BANK_DEG, AC_MAX_BANK_DEG);
    a->bank = approach(a->bank, a->bank_command, AC_ROLL_RATE_DPS * dt);
    double turn_dps = 1091.0 * std::tan(a->bank * GEO_DEG) / std::max(a->tas_kt, 60.0);
    a->heading_true = geo_wrap360(a->heading_true + turn_dps * dt);
  }
}

// Position: air vector plus wind gives the ground vector; the rollout ends
// in the taxi-in below 25 knots.
void position_step(Aircraft* a, double dt) {
  double wind_from, wind_kt;
  aircraft_wind_at(a, &wind_from, &wind_kt);
  if (a->on_ground) wind_kt = 0;   // the wheels hold the aircraft on the ground track
  double h = a->heading_true * GEO_DEG, w = (wind_from + 180) * GEO_DEG;
  double north = a->tas_kt * std::cos(h) + wind_kt * std::cos(w);
  double east = a->tas_kt * std::sin(h) + wind_kt * std::sin(w);
  a->gs_kt = std::sqrt(north * north + east * east);
  a->track_true = a->gs_kt > 1 ? geo_wrap360(std::atan2(east, north) / GEO_DEG) : a->heading_true;
  if (a->gs_kt > 0) geo_destination(a->lat, a->lon, a->track_true, a->gs_kt * dt / 3600.0, &a->lat, &a->lon);
  if (a->phase == PHASE_ROLLOUT && a->gs_kt < 25) aircraft_enter_phase(a, PHASE_TAXI_IN);
}

}  // namespace

int aircraft_route_count(const Aircraft* a) { return a->scenario.route_count + 2; }

void aircraft_route_point(const Aircraft* a, int i, double* lat, double* lon, const char** ident) {
  const Scenario& s = a->scenario;
  if (i <= 0) {
    *lat = s.departure.lat; *lon = s.departure.lon; *ident = s.departure.airport;
  } else if (i <= s.route_count) {
    *lat = s.route[i - 1].lat; *lon = s.route[i - 1].lon; *ident = s.route[i - 1].ident;
  } else {
    *lat = s.arrival.lat; *lon = s.arrival.lon; *ident = s.arrival.airport;
  }
}

void aircraft_wind_at(const Aircraft* a, double* from_true, double* speed_kt) {
  double height = a->alt_ft - aircraft_ground_elevation(a);
  double factor = clampd(0.5 + height / 4000.0, 0.5, 1.0);   // weaker near the ground
  *from_true = a->scenario.wind_dir_true;
  *speed_kt = a->scenario.wind_speed_kt * factor;
}

double aircraft_ground_elevation(const Aircraft* a) {
  const ScenarioRunway& d = a->scenario.departure;
  const ScenarioRunway& r = a->scenario.arrival;
  double dd = geo_distance_nm(a->lat, a->lon, d.lat, d.lon);
  double dr = geo_distance_nm(a->lat, a->lon, r.lat, r.lon);
  if (dd + dr < 1e-6) return d.elevation_ft;
  if (dd < 3) return d.elevation_ft;
  if (dr < 3) return r.elevation_ft;
  return d.elevation_ft + (r.elevation_ft - d.elevation_ft) * (dd - 3) / std::max(dd + dr - 6, 1e-6);
}

double aircraft_temperature_c(const Aircraft* a, double alt_ft) { return air_at(a, alt_ft).temp_k - 273.15; }

double aircraft_mach(const Aircraft* a) {
  return a->tas_kt / (38.967854 * std::sqrt(air_at(a, a->alt_ft).temp_k));
}

double aircraft_indicated_altitude(const Aircraft* a) {
  return a->alt_ft + (a->radios.baro_hpa - a->scenario.qnh_hpa) * FEET_PER_HPA;
}

void aircraft_fly(Aircraft* a, double dt) {
  double ground = aircraft_ground_elevation(a);
  double height = a->alt_ft - ground;
  Air air = air_at(a, a->alt_ft);
  Leg leg = route_leg(a);
  if (a->phase >= PHASE_TAKEOFF && a->phase <= PHASE_APPROACH) sequence(a, leg);
  leg = route_leg(a);
  a->distance_to_go_nm = remaining_nm(a, leg);
  const ScenarioRunway& arr = a->scenario.arrival;
  double to_threshold = geo_distance_nm(a->lat, a->lon, arr.lat, arr.lon);

  Command c = guidance(a, leg, height);
  configure(a, height, to_threshold, dt);
  autopilot_modes(a, c, c.following_nav, c.following_loc);
  thrust_step(a, c, dt);
  Longitudinal motion = longitudinal_step(a, c, air, dt);
  vertical_step(a, c, motion, ground, dt);
  lateral_step(a, c, dt);
  position_step(a, dt);
}
