#include "platform/wgl_context_win32.h"

#include <GL/gl.h>

const char* wgl_context_create(HWND window, int colour_bits, int depth_bits, int stencil_bits, WglContext* out) {
  *out = WglContext{};
  out->dc = GetDC(window);
  if (!out->dc) return "Can't Create A GL Device Context.";
  PIXELFORMATDESCRIPTOR descriptor = {};
  descriptor.nSize = sizeof descriptor;
  descriptor.nVersion = 1;
  descriptor.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  descriptor.iPixelType = PFD_TYPE_RGBA;
  descriptor.cColorBits = static_cast<BYTE>(colour_bits);
  descriptor.cDepthBits = static_cast<BYTE>(depth_bits);
  descriptor.cStencilBits = static_cast<BYTE>(stencil_bits);
  descriptor.iLayerType = PFD_MAIN_PLANE;
  const char* failure = nullptr;
  int format = ChoosePixelFormat(out->dc, &descriptor);
  if (!format) failure = "Can't Find A Suitable PixelFormat.";
  else if (!SetPixelFormat(out->dc, format, &descriptor)) failure = "Can't Set The PixelFormat.";
  else if (!(out->gl = wglCreateContext(out->dc))) failure = "Can't Create A GL Rendering Context.";
  else if (!wglMakeCurrent(out->dc, out->gl)) failure = "Can't Activate The GL Rendering Context.";
  if (failure) wgl_context_release(window, out, nullptr);
  return failure;
}

void wgl_context_release(HWND window, WglContext* context, void (*report)(const char* message)) {
  if (context->gl) {
    if (!wglMakeCurrent(nullptr, nullptr) && report) report("Release Of DC And RC Failed.");
    if (!wglDeleteContext(context->gl) && report) report("Release Rendering Context Failed.");
    context->gl = nullptr;
  }
  if (context->dc) {
    if (!ReleaseDC(window, context->dc) && report) report("Release Device Context Failed.");
    context->dc = nullptr;
  }
}
