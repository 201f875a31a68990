#pragma once
// Serving a flight recording again: the space follows the file's changes at
// the file's times divided by the time scale, and keeps the last state when
// the file ends. The file is checked whole before anything is served, then
// read as the replay goes, outside the space's lock.
#include <cstdint>
#include <string>
#include <vector>

#include "server/aircraft_control.h"
#include "server/offset_space.h"
#include "server/recording_reader.h"

struct Replay {
  RecordingReader reader;
  RecordingSummary summary;
  uint64_t clock_us = 0;                 // recording time reached
  uint64_t applied_us = 0;               // time of the last entry in the space
  bool pending = false;                  // reader.body holds an entry not yet due
  std::vector<std::vector<uint8_t>> due; // read, waiting for the lock
  bool ended = false;
  bool damaged = false;                  // ended at damage that came after the check
};

// Checks the file and gets ready to serve it; false with a message.
bool replay_open(Replay* replay, const char* path, std::string* error);
// One step of `wall_seconds`: advances by that times the control's time scale
// unless paused, and puts the entries now due into the space under its lock.
// True with a line for the server's output when the replay has just ended.
bool replay_step(Replay* replay, ModelControl* control, OffsetSpace* space, double wall_seconds, std::string* line);
// Position and length, for the control's state. Under the lock.
std::string replay_state_text(void* replay);
void replay_close(Replay* replay);
