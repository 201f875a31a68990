// SDL key codes to Windows virtual-key codes (the Linux build's key map).
#include <gtest/gtest.h>

#include <SDL_keycode.h>

#include "platform/keymap.h"

namespace {

TEST(KeyMap, WindowsVirtualKeyCodes) {
  EXPECT_EQ(virtual_key_from_keycode(SDLK_a), 0x41);
  EXPECT_EQ(virtual_key_from_keycode(SDLK_f), 'F');
  EXPECT_EQ(virtual_key_from_keycode(SDLK_z), 0x5A);
  EXPECT_EQ(virtual_key_from_keycode(SDLK_0), 0x30);
  EXPECT_EQ(virtual_key_from_keycode(SDLK_9), 0x39);
  EXPECT_EQ(virtual_key_from_keycode(SDLK_ESCAPE), 0x1B);
  EXPECT_EQ(virtual_key_from_keycode(SDLK_RETURN), 0x0D);
  EXPECT_EQ(virtual_key_from_keycode(SDLK_F1), 0x70);
  EXPECT_EQ(virtual_key_from_keycode(SDLK_F12), 0x7B);
  EXPECT_EQ(virtual_key_from_keycode(SDLK_LEFT), 0x25);
  EXPECT_EQ(virtual_key_from_keycode(SDLK_KP_5), 0x65);
  EXPECT_EQ(virtual_key_from_keycode(SDLK_AUDIOPLAY), 0);
}

TEST(KeyMap, EveryMappedCodeFitsTheTableAndMapsBack) {
  for (int vk = 1; vk < 256; ++vk) {
    int32_t key = keycode_from_virtual_key(vk);
    if (key == 0) continue;
    EXPECT_EQ(virtual_key_from_keycode(key), vk) << vk;
  }
  EXPECT_EQ(keycode_from_virtual_key(0x1B), SDLK_ESCAPE);
}

}  // namespace
