#pragma once
// Other aircraft around the own aircraft, published in the simulator's
// traffic table. Each intruder flies a straight line at constant speed and
// vertical speed; slots are kept packed from slot 0 because readers stop at
// the first empty slot.
#include "server/scenario.h"

constexpr int TRAFFIC_MAX = SCENARIO_MAX_TRAFFIC;
constexpr double TRAFFIC_REFRESH_S = 1.0;   // a slot's data change once a second

struct Intruder {
  bool active, done;
  double lat, lon, alt_ft, track, speed_kt, vs_fpm;
  double expires_s;
};

struct Traffic {
  Intruder intruder[TRAFFIC_MAX];
  double since_refresh_s;
  unsigned indicator;        // 1..255, changes at every refresh
};

struct OwnShip { double lat, lon, alt_ft, track; };

void traffic_init(Traffic* traffic);
// Spawns the scenario's intruders whose time has come and moves the others.
void traffic_step(Traffic* traffic, const Scenario* scenario, const double* phase_started_s,
                  double time_s, double dt, const OwnShip& own);
// Fills the traffic quantities (indicator, lat, lon, alt, vs per slot).
void traffic_publish(const Traffic* traffic, double* quantities);
int traffic_active_count(const Traffic* traffic);
