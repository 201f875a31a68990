// Start, step, timeline and failures of the stand-in aircraft.
#include "server/aircraft_model.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "server/aircraft_constants.h"
#include "server/aircraft_geo.h"

namespace {

constexpr int PRESS_HOLD_STEPS = 30;   // how long a timeline button press stays down (0.3 s at 100 Hz)
constexpr double MAX_STEP_S = 0.25;    // longer steps are cut so that the motion stays smooth

void set_switch(Aircraft* a, int id, bool on) {
  a->switches[id] = on;
  switch (id) {
    case SWITCH_AUTOPILOT: a->ap.master = on; break;
    case SWITCH_YAW_DAMPER: a->ap.yaw_damper = on; break;
    case SWITCH_FLIGHT_DIRECTOR: a->ap.flight_director = on; break;
    case SWITCH_PARKING_BRAKE: a->parking_brake = on; break;
    case SWITCH_BATTERY:
      if (!on) a->switches[SWITCH_AVIONICS] = false;
      break;
    default: break;
  }
}

void set_radio(Aircraft* a, int id, double v) {
  Radios& r = a->radios;
  switch (id) {
    case RADIO_COM1: r.com[0] = v; break;
    case RADIO_COM1_STANDBY: r.com_standby[0] = v; break;
    case RADIO_COM2: r.com[1] = v; break;
    case RADIO_COM2_STANDBY: r.com_standby[1] = v; break;
    case RADIO_NAV1: r.nav[0] = v; break;
    case RADIO_NAV1_STANDBY: r.nav_standby[0] = v; break;
    case RADIO_NAV2: r.nav[1] = v; break;
    case RADIO_NAV2_STANDBY: r.nav_standby[1] = v; break;
    case RADIO_ADF1: r.adf_khz[0] = v; break;
    case RADIO_ADF2: r.adf_khz[1] = v; break;
    default: break;
  }
}

void press(Aircraft* a, uint16_t cell, uint8_t bit, uint8_t* space) {
  space[cell] = static_cast<uint8_t>(space[cell] | 1u << bit);
  for (PendingPress& p : a->presses) {
    if (p.steps_left <= 0) {
      p = {cell, bit, PRESS_HOLD_STEPS};
      return;
    }
  }
}

void release_presses(Aircraft* a, uint8_t* space) {
  for (PendingPress& p : a->presses) {
    if (p.steps_left > 0 && --p.steps_left == 0)
      space[p.cell] = static_cast<uint8_t>(space[p.cell] & ~(1u << p.bit));
  }
}

void run_event(Aircraft* a, const ScenarioEvent& e, uint8_t* space) {
  switch (e.kind) {
    case EVENT_SWITCH: set_switch(a, e.index, e.value != 0); break;
    case EVENT_ENGINE: {
      Engine& g = a->engine[e.index];
      if (e.value != 0) {
        if (a->switches[SWITCH_BATTERY]) { g.starter = true; g.fuel_on = true; }
      } else {
        g.fuel_on = false;
        g.starter = false;
      }
      break;
    }
    case EVENT_PHASE: aircraft_enter_phase(a, static_cast<FlightPhase>(e.index)); break;
    case EVENT_FAIL: a->failed[e.index] = e.value != 0; break;
    case EVENT_CELL: space[e.index] = static_cast<uint8_t>(e.value); break;
    case EVENT_CELL_STEP: space[e.index] = static_cast<uint8_t>((space[e.index] + static_cast<int>(e.value) + 256) & 0xFF); break;
    case EVENT_PRESS: press(a, e.index, static_cast<uint8_t>(e.value), space); break;
    case EVENT_TUNE: set_radio(a, e.index, e.value); break;
    case EVENT_SQUAWK: a->radios.squawk = static_cast<int>(e.value); break;
    case EVENT_COURSE: a->radios.course[e.index] = static_cast<int>(std::lround(e.value)); break;
    case EVENT_HEADING_BUG: a->ap.heading_bug = e.value; break;
    case EVENT_BARO: a->radios.baro_hpa = e.value; break;
    case EVENT_NAV_SOURCE: a->radios.nav_gps = static_cast<int>(e.value); break;
  }
}

void step_once(Aircraft* a, double dt, uint8_t* space) {
  a->time_s += dt;
  aircraft_run_timeline(a, space);
  aircraft_radios_step(a);
  aircraft_fly(a, dt);
  aircraft_engines_step(a, dt);
  OwnShip own{a->lat, a->lon, a->alt_ft, a->track_true};
  traffic_step(&a->traffic, &a->scenario, a->phase_started_s, a->time_s, dt, own);
}

double nearest_traffic_nm(const Aircraft* a) {
  double nearest = 999.9;
  for (const Intruder& in : a->traffic.intruder)
    if (in.active) nearest = std::fmin(nearest, geo_distance_nm(a->lat, a->lon, in.lat, in.lon));
  return nearest;
}

}  // namespace

void aircraft_enter_phase(Aircraft* a, FlightPhase phase) {
  if (a->phase == phase && a->phase_started_s[phase] >= 0) return;
  a->phase = phase;
  a->phase_started_s[phase] = a->time_s;
  switch (phase) {
    case PHASE_TAXI_OUT:
      a->parking_brake = false;
      a->switches[SWITCH_PARKING_BRAKE] = false;
      a->taxi_target_lat = a->scenario.departure.lat;
      a->taxi_target_lon = a->scenario.departure.lon;
      break;
    case PHASE_TAKEOFF:
      a->parking_brake = false;
      a->climb_lever = CLIMB_LEVER;
      a->active_leg = 1;
      break;
    case PHASE_APPROACH:
      a->loc_captured = a->gs_captured = false;
      break;
    case PHASE_SHUTDOWN:
    case PHASE_PARKED:
      a->parking_brake = true;
      a->switches[SWITCH_PARKING_BRAKE] = true;
      break;
    default:
      break;
  }
}

void aircraft_init(Aircraft* a, const Scenario* s) {
  std::memset(static_cast<void*>(a), 0, sizeof *a);
  a->scenario = *s;
  for (double& t : a->phase_started_s) t = -1;
  const ScenarioRunway& d = s->departure;
  if (s->has_gate) {
    a->lat = s->gate_lat; a->lon = s->gate_lon; a->heading_true = s->gate_heading;
  } else {
    geo_destination(d.lat, d.lon, geo_wrap360(d.heading_true + 180), 0.3, &a->lat, &a->lon);
    a->heading_true = d.heading_true;
  }
  a->track_true = a->heading_true;
  a->on_ground = true;
  a->alt_ft = aircraft_ground_elevation(a);
  a->gear = a->gear_command = 1;
  for (int i = 0; i < 3; ++i) a->fuel_lb[i] = s->fuel_lb[i];
  a->elevator_trim_rad = 0.04;   // within the take-off band
  double oat = aircraft_temperature_c(a, a->alt_ft);
  for (Engine& e : a->engine) { e.itt_c = oat; e.oil_temp_c = oat; }
  Radios& r = a->radios;
  for (int i = 0; i < RADIO_COUNT; ++i) set_radio(a, i, s->radios[i]);
  r.squawk = s->squawk;
  r.xpdr_standby = 1;
  r.baro_hpa = s->qnh_hpa;
  r.course[0] = r.course[1] = static_cast<int>(std::lround(geo_wrap360(d.heading_true - s->magvar_deg)));
  a->climb_lever = CLIMB_LEVER;
  a->ap.ias_target = AC_V2_KT + 15;           // the crew's departure settings
  a->ap.selected_alt_ft = s->cruise_alt_ft;
  traffic_init(&a->traffic);
  aircraft_enter_phase(a, PHASE_PARKED);
  aircraft_radios_step(a);
  aircraft_compute_values(a);
}

void aircraft_run_timeline(Aircraft* a, uint8_t* space) {
  const Scenario& s = a->scenario;
  for (int i = 0; i < s.event_count; ++i) {
    if (a->event_done[i]) continue;
    const ScenarioEvent& e = s.events[i];
    double base = e.anchor < 0 ? 0 : a->phase_started_s[e.anchor];
    if (base < 0 || a->time_s < base + e.time_s) continue;
    a->event_done[i] = true;
    run_event(a, e, space);
  }
}

void aircraft_step(Aircraft* a, double dt, uint8_t* space) {
  if (!(dt > 0)) dt = 0;
  release_presses(a, space);
  while (dt > 0) {
    double part = dt > MAX_STEP_S ? MAX_STEP_S : dt;
    step_once(a, part, space);
    dt -= part;
  }
  aircraft_publish(a, space);
}

void aircraft_publish(Aircraft* a, uint8_t* space) {
  aircraft_compute_values(a);
  offset_table_write(a->values, space);
}

bool aircraft_set_failure(Aircraft* a, const char* name, bool failed) {
  int id;
  if (!failure_from_name(name, &id)) return false;
  a->failed[id] = failed;
  return true;
}

std::string aircraft_state_text(const Aircraft* a) {
  char buf[1400];
  int clock = static_cast<int>(std::fmod(a->scenario.start_clock_s + a->time_s, 86400.0));
  double total_fuel = a->fuel_lb[0] + a->fuel_lb[1] + a->fuel_lb[2];
  double lat, lon;
  const char* next;
  aircraft_route_point(a, a->active_leg < 1 ? 1 : a->active_leg, &lat, &lon, &next);
  std::snprintf(buf, sizeof buf,
                "scenario %s\n"
                "time %.1f s (clock %02d:%02d:%02d)\n"
                "phase %s\n"
                "position %.5f %.5f altitude %.0f ft (indicated %.0f) on-ground %d\n"
                "heading %.1f true track %.1f pitch %.1f bank %.1f\n"
                "ias %.1f kt tas %.1f gs %.1f vs %.0f ft/min\n"
                "n1 %.1f %.1f n2 %.1f %.1f fuel %.0f lb (%.0f %.0f %.0f)\n"
                "flaps %.0f deg gear %.2f spoilers %.2f parking-brake %d\n"
                "next %s distance-to-go %.1f nm nav-gps %d\n"
                "nav1 %.2f %s nav2 %.2f %s adf %.1f %s squawk %04d baro %.2f hPa\n"
                "traffic %d nearest %.1f nm\n"
                "power battery %d avionics %d\n",
                a->scenario.name, a->time_s, clock / 3600, clock / 60 % 60, clock % 60, phase_name(a->phase),
                a->lat, a->lon, a->alt_ft, aircraft_indicated_altitude(a), a->on_ground ? 1 : 0,
                a->heading_true, a->track_true, a->pitch, a->bank, a->ias_kt, a->tas_kt, a->gs_kt, a->vs_fpm,
                a->engine[0].n1, a->engine[1].n1, a->engine[0].n2, a->engine[1].n2, total_fuel, a->fuel_lb[0],
                a->fuel_lb[1], a->fuel_lb[2], a->flaps * AC_FLAP_MAX_DEG, a->gear, a->spoilers,
                a->parking_brake ? 1 : 0, next, a->distance_to_go_nm, a->radios.nav_gps, a->radios.nav[0],
                a->nav[0].signal ? a->nav[0].ident : "-", a->radios.nav[1], a->nav[1].signal ? a->nav[1].ident : "-",
                a->radios.adf_khz[0], a->adf[0].signal ? a->adf[0].ident : "-", a->radios.squawk, a->radios.baro_hpa,
                traffic_active_count(&a->traffic), nearest_traffic_nm(a),
                a->switches[SWITCH_BATTERY] ? 1 : 0, a->switches[SWITCH_AVIONICS] ? 1 : 0);
  std::string text = buf;
  text += "failures";
  bool any = false;
  for (int i = 0; i < FAIL_COUNT; ++i)
    if (a->failed[i]) { text += " "; text += failure_name(i); any = true; }
  if (!any) text += " none";
  text += "\n";
  return text;
}
