// One short-lived thread per sound, playing the WAV to its end.
#include "platform/sound.h"

#include <SDL.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

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

void play_to_end(std::string path) {
  SDL_AudioSpec spec;
  Uint8* buffer = nullptr;
  Uint32 length = 0;
  if (SDL_LoadWAV(path.c_str(), &spec, &buffer, &length)) {
    SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &spec, nullptr, 0);
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
}

}  // namespace

bool platform_play_wav(const char* path) {
  if (!path || !audio_ready()) return false;
  g_playing.fetch_add(1);
  try {
    std::thread(play_to_end, std::string(path)).detach();
  } catch (...) {
    g_playing.fetch_sub(1);
    return false;
  }
  return true;
}

void platform_wait_sounds() {
  while (g_playing.load() > 0) SDL_Delay(POLL_MS);
}
