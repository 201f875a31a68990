#pragma once
// Key codes of the windowing library mapped to Windows virtual-key codes, so
// that the units' 256-entry key-state table keeps its meanings
// ('A' = 0x41, Escape = 0x1B, '0'..'9' = 0x30..0x39).
#include <cstdint>

constexpr int VK_NONE_CODE = 0;
constexpr int VK_ESCAPE_CODE = 0x1B;

// 0 when the key has no virtual-key code.
int virtual_key_from_keycode(int32_t keycode);
// The inverse for the keys that have one; 0 when none.
int32_t keycode_from_virtual_key(int virtual_key);
