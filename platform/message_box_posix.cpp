// Message boxes through SDL, or stderr when nobody could click them.
#include "platform/message_box.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>

namespace {
bool g_headless = false;
}

void platform_set_headless(bool headless) { g_headless = headless; }
bool platform_is_headless() { return g_headless; }

void platform_message_box(const char* caption, const char* text, MessageIcon icon) {
  const char* display = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  bool can_show = !g_headless && ((display && *display) || (wayland && *wayland));
  if (can_show) {
    Uint32 flags = icon == ICON_EXCLAMATION ? SDL_MESSAGEBOX_WARNING : SDL_MESSAGEBOX_INFORMATION;
    if (SDL_ShowSimpleMessageBox(flags, caption, text, nullptr) == 0) return;
  }
  std::fprintf(stderr, "%s: %s\n", caption, text);
  std::fflush(stderr);
}
