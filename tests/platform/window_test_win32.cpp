// The Windows window layer: the system's window messages arrive as the same
// events the SDL build produces, the frame toggle keeps the place, and the
// size is capped for display units.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "platform/window.h"

namespace {

constexpr int CAP = 3000;

// Every event waiting now, after the system has delivered what was posted.
std::vector<PlatformEvent> drain() {
  std::vector<PlatformEvent> events;
  PlatformEvent event;
  while (platform_poll_event(&event)) events.push_back(event);
  return events;
}

class Win32Window : public ::testing::Test {
 protected:
  void SetUp() override {
    PlatformWindowParams params{"win32 window test", 484, 605, 120, 80, false, CAP};
    const char* error = nullptr;
    ASSERT_TRUE(platform_window_create(params, &error)) << error;
    window = FindWindowA("OpenGL", "win32 window test");
    ASSERT_NE(window, nullptr);
    drain();
  }
  void TearDown() override { platform_window_destroy(); }
  HWND window = nullptr;
};

TEST_F(Win32Window, MessagesBecomeEvents) {
  struct Case {
    UINT message;
    WPARAM wparam;
    PlatformEventType type;
    int value;
  };
  const Case cases[] = {
      {WM_KEYDOWN, 'A', EVENT_KEY_DOWN, 'A'},
      {WM_KEYUP, VK_ESCAPE, EVENT_KEY_UP, 0x1B},
      {WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 1), EVENT_ACTIVATE, 0},  // minimised
      {WM_ACTIVATE, WA_ACTIVE, EVENT_ACTIVATE, 1},
      {WM_CLOSE, 0, EVENT_QUIT, 0},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(PostMessageA(window, c.message, c.wparam, 0));
    std::vector<PlatformEvent> events = drain();
    ASSERT_FALSE(events.empty()) << c.message;
    EXPECT_EQ(events.back().type, c.type) << c.message;
    EXPECT_EQ(events.back().value, c.value) << c.message;
  }
  EXPECT_TRUE(IsWindow(window));  // closing is the unit's decision, not the window's
}

TEST_F(Win32Window, SizePlaceAndFrameToggle) {
  int w = 0, h = 0, x = 0, y = 0;
  platform_window_client_size(&w, &h);
  platform_window_position(&x, &y);
  EXPECT_EQ(w, 484);
  EXPECT_EQ(h, 605);
  EXPECT_EQ(x, 120);
  EXPECT_EQ(y, 80);

  SetWindowPos(window, nullptr, 0, 0, 600, 500, SWP_NOMOVE | SWP_NOZORDER);
  bool resized = false;
  for (const PlatformEvent& e : drain()) {
    if (e.type != EVENT_RESIZE) continue;
    platform_window_client_size(&w, &h);
    resized = e.a == w && e.b == h;
  }
  EXPECT_TRUE(resized);

  platform_window_set_frameless(true);
  EXPECT_EQ(GetWindowLongPtrA(window, GWL_STYLE) & WS_CAPTION, 0);
  platform_window_position(&x, &y);
  EXPECT_EQ(x, 120);
  EXPECT_EQ(y, 80);
  platform_window_set_frameless(false);
  EXPECT_EQ(GetWindowLongPtrA(window, GWL_STYLE) & WS_CAPTION, WS_CAPTION);

  SetWindowPos(window, nullptr, 0, 0, CAP + 500, CAP + 500, SWP_NOMOVE | SWP_NOZORDER);
  RECT outer;
  GetWindowRect(window, &outer);
  EXPECT_LE(outer.right - outer.left, CAP);
  EXPECT_LE(outer.bottom - outer.top, CAP);
}

}  // namespace
