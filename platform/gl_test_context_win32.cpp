// The test context: a hidden window of its own class with a WGL context.
#include <windows.h>

#include <GL/gl.h>

#include <cstdio>

#include "platform/gl_test_context.h"
#include "platform/wgl_context_win32.h"

namespace {
constexpr const char* TEST_CLASS = "KorvuGlTest";
constexpr int COLOUR_BITS = 32, DEPTH_BITS = 16, STENCIL_BITS = 8;
}  // namespace

struct GlTestContext {
  HWND window;
  WglContext gl;
};

GlTestContext* gl_test_context_create(int width, int height) {
  if (width <= 0 || height <= 0) return nullptr;
  WNDCLASSA window_class = {};
  window_class.style = CS_OWNDC;
  window_class.lpfnWndProc = DefWindowProcA;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.lpszClassName = TEST_CLASS;
  RegisterClassA(&window_class);  // already registered by an earlier context: fine
  RECT rect = {0, 0, width, height};
  AdjustWindowRectEx(&rect, WS_POPUP, FALSE, 0);
  HWND window = CreateWindowExA(0, TEST_CLASS, "gl test", WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0,
                                rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                                window_class.hInstance, nullptr);
  if (!window) {
    std::fprintf(stderr, "gl_test_context: no window (error %lu)\n", GetLastError());
    return nullptr;
  }
  WglContext gl;
  if (const char* failure = wgl_context_create(window, COLOUR_BITS, DEPTH_BITS, STENCIL_BITS, &gl)) {
    std::fprintf(stderr, "gl_test_context: %s\n", failure);
    DestroyWindow(window);
    return nullptr;
  }
  glViewport(0, 0, width, height);
  return new GlTestContext{window, gl};
}

void gl_test_context_destroy(GlTestContext* context) {
  if (!context) return;
  wgl_context_release(context->window, &context->gl, nullptr);
  DestroyWindow(context->window);
  delete context;
}
