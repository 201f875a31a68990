// Message boxes, or stderr when nobody could click them.
#include "platform/message_box.h"

#include <cstdio>

namespace {
bool g_headless = false;
}

void platform_set_headless(bool headless) { g_headless = headless; }
bool platform_is_headless() { return g_headless; }

void platform_message_box(const char* caption, const char* text, MessageIcon icon) {
  if (!g_headless && platform_show_system_box(caption, text, icon)) return;
  std::fprintf(stderr, "%s: %s\n", caption, text);
  std::fflush(stderr);
}
