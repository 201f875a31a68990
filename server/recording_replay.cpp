#include "server/recording_replay.h"

#include <cmath>
#include <cstdio>
#include <mutex>

#include "server/printable_text.h"

namespace {

// Entries put into the space in one step at most; a faster replay catches up
// over the next steps.
constexpr size_t MAX_DUE = 4096;

std::string seconds_text(uint64_t us) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f s", static_cast<double>(us) / 1e6);
  return text;
}

}  // namespace

bool replay_open(Replay* r, const char* path, std::string* error) {
  if (!recording_scan(path, &r->summary, error)) return false;
  if (!recording_reader_open(&r->reader, path, error)) return false;
  r->clock_us = r->applied_us = 0;
  r->pending = false;
  r->ended = r->damaged = false;
  r->due.clear();
  return true;
}

bool replay_step(Replay* r, ModelControl* control, OffsetSpace* space, double wall_seconds, std::string* line) {
  double scale = 0;
  {
    std::lock_guard<std::mutex> hold(space->lock);
    scale = control->paused ? 0 : control->time_scale;
  }
  if (r->ended) return false;
  r->clock_us += static_cast<uint64_t>(std::llround(wall_seconds * scale * 1e6));
  RecordingRead read = RECORDING_READ_ENTRY;
  std::string problem;
  uint64_t due_until_us = r->applied_us;
  while (r->due.size() < MAX_DUE) {
    if (!r->pending) {
      read = recording_reader_next(&r->reader, &problem);
      if (read != RECORDING_READ_ENTRY) break;
      r->pending = true;
    }
    if (r->reader.time_us > r->clock_us) break;
    r->due.push_back(std::move(r->reader.body));
    due_until_us = r->reader.time_us;
    r->reader.body.clear();
    r->pending = false;
  }
  {
    std::lock_guard<std::mutex> hold(space->lock);
    for (const std::vector<uint8_t>& body : r->due) recording_body_apply(body.data(), body.size(), space->bytes);
    r->applied_us = due_until_us;
    if (read != RECORDING_READ_ENTRY) r->ended = true;
    r->damaged = read == RECORDING_READ_BAD;
  }
  r->due.clear();
  if (read == RECORDING_READ_ENTRY) return false;
  const std::string file = printable_text(r->reader.path);
  *line = read == RECORDING_READ_BAD
              ? "replay stopped: " + problem + "; its last state stays served"
              : "replay of " + file + " ended at " + seconds_text(r->applied_us) + "; its last state stays served";
  return true;
}

std::string replay_state_text(void* context) {
  const Replay* r = static_cast<const Replay*>(context);
  return std::string(r->ended ? "replay ended at " : "replay at ") + seconds_text(r->applied_us) + " of " +
         seconds_text(r->summary.length_us) + " (" + printable_text(r->reader.path) + ")\n";
}

void replay_close(Replay* r) { recording_reader_close(&r->reader); }
