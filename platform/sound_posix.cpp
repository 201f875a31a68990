// One short-lived thread per sound, playing the WAV to its end.
#include "platform/sound.h"

#include <SDL.h>

#include <atomic>
#include <climits>
#include <mutex>
#include <string>

namespace {

std::atomic<int> g_playing{0};
std::mutex g_init_mutex;
bool g_audio_tried = false;
bool g_audio_ok = false;

constexpr int POLL_MS = 5;

bool audio_ready() {
  std::lock_guard<std::mutex> lock(g_init_mutex);
  if (!g_audio_tried) {
    g_audio_tried = true;
    g_audio_ok = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
  }
  return g_audio_ok;
}

int play_to_end(void* data) {
  std::string path = *static_cast<std::string*>(data);
  delete static_cast<std::string*>(data);
  SDL_AudioSpec format;
  Uint8* buffer = nullptr;
  Uint32 length = 0;
  if (SDL_LoadWAV(path.c_str(), &format, &buffer, &length)) {
    SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &format, nullptr, 0);
    if (device != 0) {
      if (SDL_QueueAudio(device, buffer, length) == 0) {
        SDL_PauseAudioDevice(device, 0);
        while (SDL_GetQueuedAudioSize(device) > 0) SDL_Delay(POLL_MS);
      }
      SDL_CloseAudioDevice(device);
    }
    SDL_FreeWAV(buffer);
  }
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
  if (!path || !audio_ready() || !reserve(max_playing)) return false;
  // An SDL thread, so that SDL's per-thread data is released when it ends.
  std::string* owned = new std::string(path);
  SDL_Thread* thread = SDL_CreateThread(play_to_end, "sound", owned);
  if (!thread) {
    delete owned;
    g_playing.fetch_sub(1);
    return false;
  }
  SDL_DetachThread(thread);
  return true;
}

void platform_wait_sounds() {
  while (g_playing.load() > 0) SDL_Delay(POLL_MS);
  std::lock_guard<std::mutex> lock(g_init_mutex);
  if (g_audio_ok) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  g_audio_tried = false;
  g_audio_ok = false;
}
