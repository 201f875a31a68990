#include "server/traffic.h"

#include "server/aircraft_geo.h"
#include "server/offset_table.h"

void traffic_init(Traffic* t) { *t = Traffic{}; t->indicator = 1; }

static bool due(const ScenarioTraffic& s, const double* phase_started_s, double time_s) {
  if (s.anchor < 0) return time_s >= s.time_s;
  double start = phase_started_s[s.anchor];
  return start >= 0 && time_s >= start + s.time_s;
}

void traffic_step(Traffic* t, const Scenario* scenario, const double* phase_started_s,
                  double time_s, double dt, const OwnShip& own) {
  for (int i = 0; i < scenario->traffic_count && i < TRAFFIC_MAX; ++i) {
    Intruder* in = &t->intruder[i];
    const ScenarioTraffic& s = scenario->traffic[i];
    if (!in->active && !in->done && due(s, phase_started_s, time_s)) {
      in->active = true;
      in->speed_kt = s.speed_kt;
      in->vs_fpm = s.vs_fpm;
      in->expires_s = time_s + s.lifetime_s;
      if (s.relative) {
        geo_destination(own.lat, own.lon, geo_wrap360(own.track + s.bearing), s.distance_nm, &in->lat, &in->lon);
        in->alt_ft = own.alt_ft + s.altitude_ft;
        in->track = geo_wrap360(own.track + s.track);
      } else {
        in->lat = s.lat;
        in->lon = s.lon;
        in->alt_ft = s.altitude_ft;
        in->track = geo_wrap360(s.track);
      }
    }
    if (!in->active) continue;
    if (time_s >= in->expires_s) {
      in->active = false;
      in->done = true;
      continue;
    }
    geo_destination(in->lat, in->lon, in->track, in->speed_kt * dt / 3600.0, &in->lat, &in->lon);
    in->alt_ft += in->vs_fpm * dt / 60.0;
    if (in->alt_ft < 0) { in->alt_ft = 0; in->vs_fpm = 0; }
  }
  t->since_refresh_s += dt;
  if (t->since_refresh_s >= TRAFFIC_REFRESH_S) {
    t->since_refresh_s = 0;
    t->indicator = t->indicator % 255 + 1;
  }
}

void traffic_publish(const Traffic* t, double* q) {
  int slot = 0;
  for (int i = 0; i < TRAFFIC_MAX; ++i) {
    const Intruder& in = t->intruder[i];
    if (!in.active) continue;
    q[traffic_quantity(slot, TF_INDICATOR)] = t->indicator;
    q[traffic_quantity(slot, TF_LAT)] = in.lat;
    q[traffic_quantity(slot, TF_LON)] = in.lon;
    q[traffic_quantity(slot, TF_ALT)] = in.alt_ft;
    q[traffic_quantity(slot, TF_VS)] = in.vs_fpm;
    ++slot;
  }
  for (; slot < TRAFFIC_SLOTS; ++slot)
    for (int f = 0; f < TF_COUNT; ++f) q[traffic_quantity(slot, static_cast<TrafficField>(f))] = 0;
}

int traffic_active_count(const Traffic* t) {
  int n = 0;
  for (const Intruder& in : t->intruder) n += in.active ? 1 : 0;
  return n;
}
