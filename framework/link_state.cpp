#include "framework/link_state.h"

#include "simlink/simlink.h"

namespace {
constexpr uint32_t ANY_SIMULATOR_VERSION = 0;
}

void link_try_open(UnitCommon* common) {
  if (common->connected && simlink_is_open()) return;
  uint32_t result = 0;
  common->connected = simlink_open(ANY_SIMULATOR_VERSION, &result);
}

void link_note_process(UnitCommon* common, bool ok, uint32_t result) {
  if (ok) return;
  if (simlink_error_lost_server(result)) {
    simlink_close();
    common->connected = false;
  }
}

void link_close(UnitCommon* common) {
  simlink_close();
  common->connected = false;
}
