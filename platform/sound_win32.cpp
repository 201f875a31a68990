// One short-lived thread per sound that plays the WAV synchronously to its
// end. With no sound device PlaySound fails quietly and the thread ends.
#include <windows.h>
#include <mmsystem.h>

#include <atomic>
#include <climits>
#include <string>

#include "platform/sound.h"

namespace {

std::atomic<int> g_playing{0};
constexpr DWORD POLL_MS = 5;

DWORD WINAPI play_to_end(LPVOID data) {
  std::string* path = static_cast<std::string*>(data);
  PlaySoundA(path->c_str(), nullptr, SND_FILENAME | SND_SYNC | SND_NODEFAULT);
  delete path;
  g_playing.fetch_sub(1);
  return 0;
}

// Counts the sound in unless `max_playing` already play.
bool reserve(int max_playing) {
  int playing = g_playing.load();
  do {
    if (playing >= max_playing) return false;
  } while (!g_playing.compare_exchange_weak(playing, playing + 1));
  return true;
}

}  // namespace

bool platform_play_wav(const char* path) { return platform_play_wav_limited(path, INT_MAX); }

int platform_sounds_playing() { return g_playing.load(); }

bool platform_play_wav_limited(const char* path, int max_playing) {
  if (!path || !reserve(max_playing)) return false;
  std::string* owned = new std::string(path);
  HANDLE thread = CreateThread(nullptr, 0, play_to_end, owned, 0, nullptr);
  if (!thread) {
    delete owned;
    g_playing.fetch_sub(1);
    return false;
  }
  CloseHandle(thread);  // detached: it ends by itself
  return true;
}

void platform_wait_sounds() {
  while (g_playing.load() > 0) Sleep(POLL_MS);
}
