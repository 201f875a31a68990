#pragma once
// Control of the running model from cockpit_ctl: failures, scenario loading,
// pause, time scale and a readable state, through the mailbox of
// aircraft_control_mailbox.h.
#include <cstdint>
#include <string>

#include "server/aircraft_control_mailbox.h"
#include "server/aircraft_model.h"
#include "server/offset_space.h"

// A scenario load asked for through the mailbox. The file is read outside the
// space's lock, so that a slow file never holds up the batches of every client.
struct PendingLoad {
  bool waiting;
  uint32_t sequence;    // of the request, for the reply
  std::string path;
};

struct ModelControl {
  Aircraft* aircraft;   // owned by the caller
  bool hold;            // serve the space still: no model writes
  bool paused;
  double time_scale;
  PendingLoad pending;
  const StationDatabase* stations = nullptr;  // navigation database stations, given to every scenario loaded
  // Another source of the flight (FlightGear) states itself in place of the model.
  std::string (*source_text)(const void* context) = nullptr;
  const void* source_context = nullptr;
  // Set while a recording is served instead of the model: scenarios and
  // failures are refused, pause and time-scale steer the replay, and the
  // state tells its position.
  std::string (*replay_state)(void* context) = nullptr;
  void* replay_context = nullptr;
};

// True when a write of [offset, offset + size) touches the request number.
bool control_is_request(uint32_t offset, uint32_t size);
// Executes the request now in the space and writes the reply; a scenario load
// is only queued, and answered by control_serve_pending. Under the lock.
void control_handle(ModelControl* control, uint8_t* space);
// Executes one command line other than a scenario load; `ok` false when
// refused. The reply is readable text.
std::string control_execute(ModelControl* control, const std::string& command, bool* ok);
// Runs a queued scenario load: reads the file without the lock, then installs
// the scenario and answers under it. False when nothing was queued. A refusal
// is answered without any of the file's contents (the requester may not be
// allowed to read the file); the full reason goes to `log_line` for the
// server's own output. Not under the lock.
bool control_serve_pending(ModelControl* control, OffsetSpace* space, std::string* log_line);
// Advances the model by `wall_seconds` times the time scale unless held or
// paused, and publishes. Under the lock.
void control_step(ModelControl* control, double wall_seconds, uint8_t* space);
// Loads the default scenario or a file into the aircraft; on failure the
// aircraft is unchanged and `error` holds "file:line: problem".
bool control_load_scenario(ModelControl* control, const char* path, uint8_t* space, std::string* error);
