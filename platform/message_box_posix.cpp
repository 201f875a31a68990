// The system's message box through SDL, when there is a display to show it.
#include <SDL.h>

#include <cstdlib>

#include "platform/message_box.h"

bool platform_show_system_box(const char* caption, const char* text, MessageIcon icon) {
  const char* display = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  if (!(display && *display) && !(wayland && *wayland)) return false;
  Uint32 flags = icon == ICON_EXCLAMATION ? SDL_MESSAGEBOX_WARNING : SDL_MESSAGEBOX_INFORMATION;
  return SDL_ShowSimpleMessageBox(flags, caption, text, nullptr) == 0;
}
