#pragma once
// Recording the offset space as it changes, whatever fills it (format in
// recording_format.h). The space is sampled under its lock, which only
// compares it with the last sample; the file is written outside the lock.
// The file is written as "FILE.part" and given its name when the recording
// ends well; a crash leaves the part file, which replays up to its last
// whole entry.
#include <cstdint>
#include <cstdio>
#include <string>

#include "server/offset_space.h"

struct Recorder {
  FILE* file = nullptr;
  std::string path;
  std::string part_path;
  uint8_t previous[OFFSET_SPACE_SIZE];   // the space as the file has it so far
  std::string entry;                     // built by the last sample, not yet written
  uint64_t start_us = 0;
  uint64_t last_entry_us = 0;            // time of the last entry built
  uint64_t last_flush_us = 0;
  uint64_t bytes = 0;                    // handed to the file so far
  uint64_t entries = 0;
  bool failed = false;                   // writing failed: the recording has stopped
};

// Starts a recording at `now_us` (a steady clock); false with a message when
// the file cannot be created.
bool recorder_open(Recorder* recorder, const char* path, uint64_t now_us, std::string* error);
// Under the space's lock: builds an entry of what changed since the last
// sample (nothing when nothing did).
void recorder_sample(Recorder* recorder, const uint8_t* space, uint64_t now_us);
// Outside the lock: writes the entry built, flushing a few times a second.
// When writing fails the recording stops: false, once, with the reason.
bool recorder_write(Recorder* recorder, uint64_t now_us, std::string* message);
// One sample of `space` (taking its lock) and its write; as recorder_write.
bool recorder_step(Recorder* recorder, OffsetSpace* space, uint64_t now_us, std::string* message);
// Ends the recording: a last time mark, flush, close, and the file gets its
// name. False with a message when that fails or the recording had failed.
bool recorder_finish(Recorder* recorder, uint64_t now_us, std::string* message);
