#pragma once
// Control of the running model from cockpit_ctl: failures, scenario loading,
// pause, time scale and a readable state, through the mailbox of
// aircraft_control_mailbox.h.
#include <cstdint>
#include <string>

#include "server/aircraft_control_mailbox.h"
#include "server/aircraft_model.h"

struct ModelControl {
  Aircraft* aircraft;   // owned by the caller
  bool hold;            // serve the space still: no model writes
  bool paused;
  double time_scale;
  const StationDatabase* stations = nullptr;  // navigation database stations, given to every scenario loaded
};

// True when a write of [offset, offset + size) touches the request number.
bool control_is_request(uint32_t offset, uint32_t size);
// Executes the request now in the space and writes the reply. Under the lock.
void control_handle(ModelControl* control, uint8_t* space);
// Executes one command line; `ok` false when refused. The reply is readable text.
std::string control_execute(ModelControl* control, const std::string& command, uint8_t* space, bool* ok);
// Advances the model by `wall_seconds` times the time scale unless held or
// paused, and publishes. Under the lock.
void control_step(ModelControl* control, double wall_seconds, uint8_t* space);
// Loads the default scenario or a file into the aircraft; on failure the
// aircraft is unchanged and `error` holds "file:line: problem".
bool control_load_scenario(ModelControl* control, const char* path, uint8_t* space, std::string* error);
