#pragma once
// A window's device context with a double-buffered OpenGL pixel format and a
// current rendering context: shared by the unit window and the test context.
#include <windows.h>

struct WglContext {
  HDC dc = nullptr;
  HGLRC gl = nullptr;
};

// Null on success; otherwise the message of the step that failed, with
// whatever was made released again.
const char* wgl_context_create(HWND window, int colour_bits, int depth_bits, int stencil_bits, WglContext* out);
// Makes no context current and releases both; the messages of failed steps
// go to `report` when it is given.
void wgl_context_release(HWND window, WglContext* context, void (*report)(const char* message));
