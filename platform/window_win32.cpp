// The unit window on Windows: window class "OpenGL", a WGL context on the
// window's own device context, and window messages turned into the same
// events the SDL build produces.
#include <windows.h>

#include <deque>

#include "platform/message_box.h"
#include "platform/wgl_context_win32.h"
#include "platform/window.h"

namespace {

constexpr const char* WINDOW_CLASS = "OpenGL";
constexpr int COLOUR_BITS = 32, DEPTH_BITS = 16, STENCIL_BITS = 1;  // the radio unit's navigation arc is cut with the stencil
constexpr DWORD FRAMED_STYLE = WS_OVERLAPPEDWINDOW, FRAMELESS_STYLE = WS_POPUP;
constexpr DWORD FRAMED_EX_STYLE = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE, FRAMELESS_EX_STYLE = WS_EX_APPWINDOW;
constexpr DWORD CLIP_STYLES = WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

struct Win32Window {
  HINSTANCE instance = nullptr;
  bool class_registered = false;
  HWND window = nullptr;
  WglContext gl;
  int max_client_size = 0;
  std::deque<PlatformEvent> events;
};
Win32Window g_window;

void push(PlatformEventType type, int value, int a = 0, int b = 0) {
  g_window.events.push_back(PlatformEvent{type, value, a, b});
}

LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ACTIVATE:
      push(EVENT_ACTIVATE, HIWORD(wparam) == 0 ? 1 : 0);
      return 0;
    case WM_SYSCOMMAND:
      // The screen saver and monitor power-off never start over a unit.
      if ((wparam & 0xFFF0) == SC_SCREENSAVE || (wparam & 0xFFF0) == SC_MONITORPOWER) return 0;
      break;
    case WM_CLOSE:
      push(EVENT_QUIT, 0);
      return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
      if (wparam > 0 && wparam < 256) push(message == WM_KEYDOWN ? EVENT_KEY_DOWN : EVENT_KEY_UP, int(wparam));
      return 0;
    case WM_SIZE:
      push(EVENT_RESIZE, 0, LOWORD(lparam), HIWORD(lparam));
      return 0;
    case WM_GETMINMAXINFO:
      if (g_window.max_client_size > 0) {
        auto* info = reinterpret_cast<MINMAXINFO*>(lparam);
        info->ptMaxTrackSize.x = g_window.max_client_size;
        info->ptMaxTrackSize.y = g_window.max_client_size;
      }
      return 0;
    case WM_MOVE:
      push(EVENT_MOVED, 0, static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam)));
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: {
      POINT cursor;
      GetCursorPos(&cursor);
      ScreenToClient(window, &cursor);
      push(message == WM_LBUTTONDOWN ? EVENT_LEFT_CLICK : EVENT_RIGHT_CLICK, 0, cursor.x, cursor.y);
      return 0;
    }
    default:
      break;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

void report_shutdown(const char* message) { platform_message_box("SHUTDOWN ERROR", message, ICON_INFORMATION); }

void release(bool report) {
  wgl_context_release(g_window.window, &g_window.gl, report ? report_shutdown : nullptr);
  if (g_window.window) {
    if (!DestroyWindow(g_window.window) && report) report_shutdown("Could Not Release hWnd.");
    g_window.window = nullptr;
  }
  if (g_window.class_registered) {
    if (!UnregisterClassA(WINDOW_CLASS, g_window.instance) && report) report_shutdown("Could Not Unregister Class.");
    g_window.class_registered = false;
  }
  g_window.events.clear();
}

bool register_class() {
  if (g_window.class_registered) return true;
  g_window.instance = GetModuleHandleA(nullptr);
  WNDCLASSA window_class = {};
  window_class.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
  window_class.lpfnWndProc = window_procedure;
  window_class.hInstance = g_window.instance;
  window_class.hIcon = LoadIcon(nullptr, IDI_WINLOGO);
  window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
  window_class.lpszClassName = WINDOW_CLASS;
  g_window.class_registered = RegisterClassA(&window_class) != 0;
  return g_window.class_registered;
}

}  // namespace

bool platform_window_create(const PlatformWindowParams& params, const char** error) {
  *error = nullptr;
  if (!register_class()) {
    *error = "Failed To Register The Window Class.";
    return false;
  }
  g_window.max_client_size = params.max_client_size;
  DWORD style = (params.frameless ? FRAMELESS_STYLE : FRAMED_STYLE) | CLIP_STYLES;
  DWORD ex_style = params.frameless ? FRAMELESS_EX_STYLE : FRAMED_EX_STYLE;
  if (params.frameless) ShowCursor(TRUE);
  RECT rect = {0, 0, params.client_width, params.client_height};
  AdjustWindowRectEx(&rect, style, FALSE, ex_style);
  g_window.window = CreateWindowExA(ex_style, WINDOW_CLASS, params.title, style, params.x, params.y,
                                    rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                                    g_window.instance, nullptr);
  if (!g_window.window) {
    release(false);
    *error = "Window Creation Error.";
    return false;
  }
  if (const char* failure = wgl_context_create(g_window.window, COLOUR_BITS, DEPTH_BITS, STENCIL_BITS, &g_window.gl)) {
    release(false);
    *error = failure;
    return false;
  }
  return true;
}

bool platform_window_exists() { return g_window.window != nullptr; }

void platform_window_show() {
  if (!g_window.window) return;
  ShowWindow(g_window.window, SW_SHOW);
  SetForegroundWindow(g_window.window);
  SetFocus(g_window.window);
}

void platform_window_set_title(const char* title) {
  if (g_window.window) SetWindowTextA(g_window.window, title);
}

void platform_window_client_size(int* width, int* height) {
  *width = 0;
  *height = 0;
  RECT rect;
  if (g_window.window && GetClientRect(g_window.window, &rect)) {
    *width = rect.right - rect.left;
    *height = rect.bottom - rect.top;
  }
}

// The window's last placement: its normal position is what the settings keep.
void platform_window_position(int* x, int* y) {
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof placement;
  if (g_window.window && GetWindowPlacement(g_window.window, &placement)) {
    *x = placement.rcNormalPosition.left;
    *y = placement.rcNormalPosition.top;
  }
}

void platform_window_set_frameless(bool frameless) {
  if (!g_window.window) return;
  SetWindowLongPtrA(g_window.window, GWL_STYLE, (frameless ? FRAMELESS_STYLE : FRAMED_STYLE) | CLIP_STYLES);
  SetWindowLongPtrA(g_window.window, GWL_EXSTYLE, frameless ? FRAMELESS_EX_STYLE : FRAMED_EX_STYLE);
  SetWindowPos(g_window.window, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_SHOWWINDOW);
}

void platform_window_swap() {
  if (g_window.gl.dc) SwapBuffers(g_window.gl.dc);
}

void platform_window_destroy() { release(true); }

bool platform_poll_event(PlatformEvent* event) {
  MSG message;
  while (g_window.events.empty() && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      push(EVENT_QUIT, 0);
      break;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  if (g_window.events.empty()) return false;
  *event = g_window.events.front();
  g_window.events.pop_front();
  return true;
}

void platform_inject_key(int virtual_key, bool down) {
  if (virtual_key > 0 && virtual_key < 256) push(down ? EVENT_KEY_DOWN : EVENT_KEY_UP, virtual_key);
}
