// SDL2 window with a compatibility OpenGL context.
#include "platform/window.h"

#include <SDL.h>

#include "platform/keymap.h"
#include "platform/renderer_memory.h"
#include "platform/message_box.h"

namespace {

SDL_Window* g_window = nullptr;
SDL_GLContext g_context = nullptr;
bool g_video_started = false;

constexpr int DEPTH_BITS = 16;
// One stencil bit: the radio unit masks its navigation page's compass arc.
constexpr int STENCIL_BITS = 1;
constexpr int COLOUR_CHANNEL_BITS = 8;

bool start_video() {
  if (g_video_started) return true;
  // The screen saver and monitor power-off must not start while a unit runs.
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "0");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) return false;
  g_video_started = true;
  SDL_DisableScreenSaver();
  return true;
}

void release(bool report) {
  if (g_context) {
    if (SDL_GL_MakeCurrent(g_window, nullptr) != 0 && report)
      platform_message_box("SHUTDOWN ERROR", "Release Of DC And RC Failed.", ICON_INFORMATION);
    SDL_GL_DeleteContext(g_context);
    g_context = nullptr;
  }
  if (g_window) {
    SDL_DestroyWindow(g_window);
    g_window = nullptr;
  }
}

}  // namespace

bool platform_window_create(const PlatformWindowParams& params, const char** error) {
  *error = nullptr;
  platform_keep_renderer_memory();
  if (!start_video()) {
    *error = "Failed To Register The Window Class.";
    return false;
  }
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, DEPTH_BITS);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, STENCIL_BITS);
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, COLOUR_CHANNEL_BITS);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, COLOUR_CHANNEL_BITS);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, COLOUR_CHANNEL_BITS);

  Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE | SDL_WINDOW_HIDDEN;
  if (params.frameless) flags |= SDL_WINDOW_BORDERLESS;
  g_window = SDL_CreateWindow(params.title, params.x, params.y, params.client_width, params.client_height, flags);
  if (!g_window) {
    *error = "Window Creation Error.";
    return false;
  }
  if (params.max_client_size > 0)
    SDL_SetWindowMaximumSize(g_window, params.max_client_size, params.max_client_size);
  g_context = SDL_GL_CreateContext(g_window);
  if (!g_context) {
    release(false);
    *error = "Can't Create A GL Rendering Context.";
    return false;
  }
  if (SDL_GL_MakeCurrent(g_window, g_context) != 0) {
    release(false);
    *error = "Can't Activate The GL Rendering Context.";
    return false;
  }
  // Swapping waits for nothing: the loop's own 1 ms sleep sets the pace.
  SDL_GL_SetSwapInterval(0);
  return true;
}

bool platform_window_exists() { return g_window != nullptr; }

void platform_window_show() {
  if (!g_window) return;
  SDL_ShowWindow(g_window);
  SDL_RaiseWindow(g_window);
}

void platform_window_set_title(const char* title) {
  if (g_window) SDL_SetWindowTitle(g_window, title);
}

void platform_window_client_size(int* width, int* height) {
  *width = 0;
  *height = 0;
  if (g_window) SDL_GL_GetDrawableSize(g_window, width, height);
}

void platform_window_position(int* x, int* y) {
  if (g_window) SDL_GetWindowPosition(g_window, x, y);
}

void platform_window_set_frameless(bool frameless) {
  if (!g_window) return;
  int x = 0, y = 0;
  SDL_GetWindowPosition(g_window, &x, &y);
  SDL_SetWindowBordered(g_window, frameless ? SDL_FALSE : SDL_TRUE);
  SDL_SetWindowPosition(g_window, x, y);
  SDL_ShowWindow(g_window);
}

void platform_window_swap() {
  if (g_window) SDL_GL_SwapWindow(g_window);
}

void platform_window_destroy() {
  release(true);
  if (g_video_started) {
    SDL_EnableScreenSaver();
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
    g_video_started = false;
  }
}

bool platform_poll_event(PlatformEvent* event) {
  SDL_Event e;
  while (SDL_PollEvent(&e)) {
    *event = PlatformEvent{EVENT_NONE, 0, 0, 0};
    switch (e.type) {
      case SDL_QUIT:
        event->type = EVENT_QUIT;
        return true;
      case SDL_KEYDOWN:
      case SDL_KEYUP: {
        int vk = virtual_key_from_keycode(e.key.keysym.sym);
        if (vk == VK_NONE_CODE) break;
        event->type = e.type == SDL_KEYDOWN ? EVENT_KEY_DOWN : EVENT_KEY_UP;
        event->value = vk;
        return true;
      }
      case SDL_MOUSEBUTTONDOWN:
        if (e.button.button != SDL_BUTTON_LEFT && e.button.button != SDL_BUTTON_RIGHT) break;
        event->type = e.button.button == SDL_BUTTON_LEFT ? EVENT_LEFT_CLICK : EVENT_RIGHT_CLICK;
        event->a = e.button.x;
        event->b = e.button.y;
        return true;
      case SDL_WINDOWEVENT:
        switch (e.window.event) {
          case SDL_WINDOWEVENT_CLOSE:
            event->type = EVENT_QUIT;
            return true;
          case SDL_WINDOWEVENT_MINIMIZED:
            event->type = EVENT_ACTIVATE;
            event->value = 0;
            return true;
          case SDL_WINDOWEVENT_RESTORED:
          case SDL_WINDOWEVENT_SHOWN:
          case SDL_WINDOWEVENT_MAXIMIZED:
            event->type = EVENT_ACTIVATE;
            event->value = 1;
            return true;
          case SDL_WINDOWEVENT_SIZE_CHANGED:
            event->type = EVENT_RESIZE;
            platform_window_client_size(&event->a, &event->b);
            return true;
          case SDL_WINDOWEVENT_MOVED:
            event->type = EVENT_MOVED;
            event->a = e.window.data1;
            event->b = e.window.data2;
            return true;
          default:
            break;
        }
        break;
      default:
        break;
    }
  }
  return false;
}

void platform_inject_key(int virtual_key, bool down) {
  SDL_Keycode code = keycode_from_virtual_key(virtual_key);
  if (code == 0) return;
  SDL_Event e;
  SDL_zero(e);
  e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  e.key.keysym.sym = code;
  SDL_PushEvent(&e);
}
