// The window layer under Xvfb: events arrive translated, the frame toggle
// keeps the place, and a failed creation releases everything.
#include <gtest/gtest.h>
#include <SDL.h>

#include <cstdlib>

#include "platform/clock.h"
#include "platform/window.h"

namespace {

// Polls for up to a second until an event of the type arrives.
bool wait_for(PlatformEventType type, PlatformEvent* out) {
  for (int i = 0; i < 200; ++i) {
    PlatformEvent event;
    while (platform_poll_event(&event)) {
      if (event.type == type) {
        *out = event;
        return true;
      }
    }
    platform_sleep_ms(5);
  }
  return false;
}

class PlatformWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    PlatformWindowParams params{"window test", 484, 605, 120, 80, false, 3000};
    const char* error = nullptr;
    ASSERT_TRUE(platform_window_create(params, &error)) << error;
    platform_window_show();
  }
  void TearDown() override { platform_window_destroy(); }
};

TEST_F(PlatformWindow, ClientSizeAndPlaceAsAsked) {
  int w = 0, h = 0, x = 0, y = 0;
  platform_window_client_size(&w, &h);
  platform_window_position(&x, &y);
  EXPECT_EQ(w, 484);
  EXPECT_EQ(h, 605);
  EXPECT_EQ(x, 120);
  EXPECT_EQ(y, 80);
}

TEST_F(PlatformWindow, InjectedKeysArriveAsVirtualKeyCodes) {
  platform_inject_key(0x1B, true);
  PlatformEvent event;
  ASSERT_TRUE(wait_for(EVENT_KEY_DOWN, &event));
  EXPECT_EQ(event.value, 0x1B);
  platform_inject_key('F', false);
  ASSERT_TRUE(wait_for(EVENT_KEY_UP, &event));
  EXPECT_EQ(event.value, 'F');
}

TEST_F(PlatformWindow, ResizeReportsTheNewClientSize) {
  SDL_Window* window = SDL_GL_GetCurrentWindow();
  ASSERT_NE(window, nullptr);
  SDL_SetWindowSize(window, 300, 400);
  PlatformEvent event;
  ASSERT_TRUE(wait_for(EVENT_RESIZE, &event));
  EXPECT_EQ(event.a, 300);
  EXPECT_EQ(event.b, 400);
}

TEST_F(PlatformWindow, FramelessToggleKeepsThePlace) {
  platform_window_set_frameless(true);
  int x = 0, y = 0;
  platform_window_position(&x, &y);
  EXPECT_EQ(x, 120);
  EXPECT_EQ(y, 80);
  EXPECT_TRUE(SDL_GetWindowFlags(SDL_GL_GetCurrentWindow()) & SDL_WINDOW_BORDERLESS);
  platform_window_set_frameless(false);
  platform_window_position(&x, &y);
  EXPECT_EQ(x, 120);
  EXPECT_FALSE(SDL_GetWindowFlags(SDL_GL_GetCurrentWindow()) & SDL_WINDOW_BORDERLESS);
}

TEST(PlatformWindowFailure, UnknownDriverNamesTheStepAndLeavesNoWindow) {
  setenv("SDL_VIDEODRIVER", "no_such_driver", 1);
  PlatformWindowParams params{"x", 10, 10, 0, 0, false, 0};
  const char* error = nullptr;
  EXPECT_FALSE(platform_window_create(params, &error));
  ASSERT_NE(error, nullptr);
  EXPECT_STREQ(error, "Failed To Register The Window Class.");
  EXPECT_FALSE(platform_window_exists());
  unsetenv("SDL_VIDEODRIVER");
  platform_window_destroy();  // harmless with nothing made
}

}  // namespace
