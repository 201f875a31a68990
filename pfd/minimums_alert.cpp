#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "pfd/minimums.h"
#include "platform/sound.h"

namespace {
constexpr int ALERT_POLL_MS = 5;
std::atomic<bool> playing{false};
std::atomic<int> started{0};

void play_to_end(std::string path) {
  // The platform plays on a thread of its own; waiting for it here keeps the
  // "playing" flag true for exactly as long as the sound lasts.
  if (platform_play_wav(path.c_str())) platform_wait_sounds();
  playing = false;
}
}  // namespace

bool minimums_alert_play(const char* path) {
  bool expected = false;
  if (!playing.compare_exchange_strong(expected, true)) return false;
  try {
    // Detached: the thread only needs its own copy of the file name.
    std::thread(play_to_end, std::string(path)).detach();
  } catch (...) {
    playing = false;  // no thread to spare: the alert is skipped, the display goes on
    return false;
  }
  started++;
  return true;
}

bool minimums_alert_playing() { return playing; }
int minimums_alert_count() { return started; }

void minimums_alert_wait() {
  while (playing) std::this_thread::sleep_for(std::chrono::milliseconds(ALERT_POLL_MS));
}
