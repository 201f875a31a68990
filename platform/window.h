#pragma once
// The unit's one window and its OpenGL context. Only this layer knows the
// windowing library; the framework sees plain numbers and events.
#include <cstdint>

struct PlatformWindowParams {
  const char* title;
  int client_width, client_height;
  int x, y;               // client-area top-left in screen pixels
  bool frameless;
  int max_client_size;    // 0 = no cap; display units cap at 3000 x 3000
};

// Creates the window with a double-buffered compatibility GL context (16-bit
// depth, 1 stencil bit, 8 bits per colour) and makes the context current. On failure returns
// false and names the step that failed in *error (one of the messages the
// units show: "Window Creation Error.", "Can't Create A GL Rendering Context."
// ...). Whatever was made before the failure is released again.
bool platform_window_create(const PlatformWindowParams& params, const char** error);
bool platform_window_exists();
// Shows the window, raises it and gives it the input focus.
void platform_window_show();
void platform_window_set_title(const char* title);
void platform_window_client_size(int* width, int* height);
void platform_window_position(int* x, int* y);
// Frameless on/off; the window keeps its place on the screen.
void platform_window_set_frameless(bool frameless);
void platform_window_swap();
// Releases the GL context (the caller deletes its GL objects first), then the
// window. Messages of failed steps go to platform_message_box("SHUTDOWN ERROR").
void platform_window_destroy();

enum PlatformEventType {
  EVENT_NONE,
  EVENT_QUIT,          // window closed
  EVENT_ACTIVATE,      // value = 1 active, 0 minimised
  EVENT_KEY_DOWN,      // value = Windows virtual-key code (1..255)
  EVENT_KEY_UP,
  EVENT_RESIZE,        // a, b = client width, height
  EVENT_MOVED,         // a, b = client-area left, top
  EVENT_LEFT_CLICK,    // a, b = client pixels from the top left
  EVENT_RIGHT_CLICK,   // a, b = client pixels from the top left
};

struct PlatformEvent {
  PlatformEventType type;
  int value;
  int a, b;
};

// Takes one waiting event without blocking. False when none waits.
bool platform_poll_event(PlatformEvent* event);
// Queues a key-down or key-up of a virtual-key code as if typed (test hook).
void platform_inject_key(int virtual_key, bool down);
