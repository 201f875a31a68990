// Names used in scenario files and by cockpit_ctl.
#include <cstring>

#include "server/scenario.h"

static const char* const PHASE_NAMES[PHASE_COUNT] = {
  "parked", "taxi-out", "lined-up", "takeoff", "climb", "cruise", "descent",
  "approach", "landing", "rollout", "taxi-in", "shutdown"};

static const char* const SWITCH_NAMES[SWITCH_COUNT] = {
  "battery", "avionics", "pitot-heat", "yaw-damper", "flight-director",
  "autopilot", "parking-brake", "beacon", "engine-sync", "door"};

static const char* const FAILURE_NAMES[FAIL_COUNT] = {
  "attitude", "heading", "air-data", "left-engine", "right-engine",
  "hydraulics", "electrical", "left-generator", "right-generator",
  "engine-fire", "gps", "nav1", "nav2"};

const char* phase_name(FlightPhase phase) {
  return phase < PHASE_COUNT ? PHASE_NAMES[phase] : "unknown";
}

bool phase_from_name(const char* name, FlightPhase* phase) {
  for (int i = 0; i < PHASE_COUNT; ++i) {
    if (std::strcmp(name, PHASE_NAMES[i]) == 0) {
      *phase = static_cast<FlightPhase>(i);
      return true;
    }
  }
  return false;
}

const char* switch_name(int id) {
  return id >= 0 && id < SWITCH_COUNT ? SWITCH_NAMES[id] : "unknown";
}

const char* failure_name(int id) {
  return id >= 0 && id < FAIL_COUNT ? FAILURE_NAMES[id] : "unknown";
}

bool failure_from_name(const char* name, int* id) {
  for (int i = 0; i < FAIL_COUNT; ++i) {
    if (std::strcmp(name, FAILURE_NAMES[i]) == 0) {
      *id = i;
      return true;
    }
  }
  return false;
}
