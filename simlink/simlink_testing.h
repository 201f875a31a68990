#pragma once
// Test-only controls of the link client. The defaults are the real timing;
// tests shorten it so that time-outs and lost servers are checked in seconds.
#include <cstdint>

struct SimlinkTiming {
  uint32_t send_timeout_ms;     // one attempt's wait for the reply
  uint32_t send_attempts;       // attempts per process call
  uint32_t retry_pause_ms;      // sleep after a failed attempt
  uint32_t handshake_rounds;    // version rounds at open
  uint32_t handshake_pause_ms;  // sleep after each round
};
SimlinkTiming simlink_default_timing();
void simlink_set_timing(const SimlinkTiming& timing);
// The open counter as it is now: the next open uses it in its mapping name.
uint32_t simlink_open_counter();
// The mapping name an open with `counter` uses in this process.
void simlink_mapping_name(uint32_t counter, char* name, uint32_t name_size);
