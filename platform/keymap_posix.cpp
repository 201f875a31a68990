// SDL key codes to Windows virtual-key codes.
#include "platform/keymap.h"

#include <SDL_keycode.h>

namespace {

struct KeyPair {
  SDL_Keycode key;
  int vk;
};

// Keys other than letters, digits and F-keys (those are computed).
constexpr KeyPair kNamedKeys[] = {
    {SDLK_BACKSPACE, 0x08}, {SDLK_TAB, 0x09},      {SDLK_RETURN, 0x0D},   {SDLK_PAUSE, 0x13},
    {SDLK_CAPSLOCK, 0x14},  {SDLK_ESCAPE, 0x1B},   {SDLK_SPACE, 0x20},    {SDLK_PAGEUP, 0x21},
    {SDLK_PAGEDOWN, 0x22},  {SDLK_END, 0x23},      {SDLK_HOME, 0x24},     {SDLK_LEFT, 0x25},
    {SDLK_UP, 0x26},        {SDLK_RIGHT, 0x27},    {SDLK_DOWN, 0x28},     {SDLK_PRINTSCREEN, 0x2C},
    {SDLK_INSERT, 0x2D},    {SDLK_DELETE, 0x2E},   {SDLK_KP_0, 0x60},     {SDLK_KP_1, 0x61},
    {SDLK_KP_2, 0x62},      {SDLK_KP_3, 0x63},     {SDLK_KP_4, 0x64},     {SDLK_KP_5, 0x65},
    {SDLK_KP_6, 0x66},      {SDLK_KP_7, 0x67},     {SDLK_KP_8, 0x68},     {SDLK_KP_9, 0x69},
    {SDLK_KP_MULTIPLY, 0x6A}, {SDLK_KP_PLUS, 0x6B}, {SDLK_KP_MINUS, 0x6D}, {SDLK_KP_PERIOD, 0x6E},
    {SDLK_KP_DIVIDE, 0x6F}, {SDLK_KP_ENTER, 0x0D}, {SDLK_NUMLOCKCLEAR, 0x90}, {SDLK_SCROLLLOCK, 0x91},
    {SDLK_LSHIFT, 0x10},    {SDLK_RSHIFT, 0x10},   {SDLK_LCTRL, 0x11},    {SDLK_RCTRL, 0x11},
    {SDLK_LALT, 0x12},      {SDLK_RALT, 0x12},     {SDLK_SEMICOLON, 0xBA}, {SDLK_EQUALS, 0xBB},
    {SDLK_COMMA, 0xBC},     {SDLK_MINUS, 0xBD},    {SDLK_PERIOD, 0xBE},   {SDLK_SLASH, 0xBF},
    {SDLK_BACKQUOTE, 0xC0}, {SDLK_LEFTBRACKET, 0xDB}, {SDLK_BACKSLASH, 0xDC}, {SDLK_RIGHTBRACKET, 0xDD},
    {SDLK_QUOTE, 0xDE},
};

constexpr int VK_F1 = 0x70;
constexpr int FUNCTION_KEY_COUNT = 12;

}  // namespace

int virtual_key_from_keycode(int32_t keycode) {
  if (keycode >= SDLK_a && keycode <= SDLK_z) return 'A' + (keycode - SDLK_a);
  if (keycode >= SDLK_0 && keycode <= SDLK_9) return '0' + (keycode - SDLK_0);
  if (keycode >= SDLK_F1 && keycode <= SDLK_F12) return VK_F1 + (keycode - SDLK_F1);
  for (const KeyPair& pair : kNamedKeys)
    if (pair.key == keycode) return pair.vk;
  return VK_NONE_CODE;
}

int32_t keycode_from_virtual_key(int virtual_key) {
  if (virtual_key >= 'A' && virtual_key <= 'Z') return SDLK_a + (virtual_key - 'A');
  if (virtual_key >= '0' && virtual_key <= '9') return SDLK_0 + (virtual_key - '0');
  if (virtual_key >= VK_F1 && virtual_key < VK_F1 + FUNCTION_KEY_COUNT) return SDLK_F1 + (virtual_key - VK_F1);
  for (const KeyPair& pair : kNamedKeys)
    if (pair.vk == virtual_key) return pair.key;
  return 0;
}
