#include <atomic>
#include <mutex>
#include <string>
#include <thread>

#include "pfd/minimums.h"
#include "platform/sound.h"

namespace {
std::atomic<bool> playing{false};
std::atomic<int> started{0};
std::mutex thread_mutex;
std::thread player;

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
  std::lock_guard<std::mutex> lock(thread_mutex);
  if (player.joinable()) player.join();  // the previous alert has ended already
  started++;
  try {
    player = std::thread(play_to_end, std::string(path));
  } catch (...) {
    playing = false;  // no thread to spare: the alert is skipped, the display goes on
    return false;
  }
  return true;
}

bool minimums_alert_playing() { return playing; }
int minimums_alert_count() { return started; }

void minimums_alert_wait() {
  std::lock_guard<std::mutex> lock(thread_mutex);
  if (player.joinable()) player.join();
}
