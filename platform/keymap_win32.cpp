// On Windows the key codes are the virtual-key codes already.
#include "platform/keymap.h"

namespace {
constexpr int VIRTUAL_KEY_LAST = 0xFE;
}

int virtual_key_from_keycode(int32_t keycode) {
  return keycode > 0 && keycode <= VIRTUAL_KEY_LAST ? keycode : VK_NONE_CODE;
}

int32_t keycode_from_virtual_key(int virtual_key) { return virtual_key_from_keycode(virtual_key); }
