#pragma once
// The members every unit's state record shares with the skeleton. Each program
// embeds one UnitCommon in its single global state record and hands the
// skeleton a pointer to it.
#include <cstdint>

constexpr int KEY_STATE_COUNT = 256;       // indexed by Windows virtual-key code
constexpr int TEXTURE_SLOT_COUNT = 8;

struct UnitCommon {
  bool done;                 // main loop ends when set
  bool active;               // window not minimised
  bool quit_requested;       // window closed or fatal condition
  bool connected;            // simulator link open
  bool window_created;
  bool font_missing;
  bool first_frame_done;
  bool settings_kept;        // the settings file exists but could not be read: never written this run
  bool keys[KEY_STATE_COUNT];

  // Window geometry: drawing area (what the settings save) and position.
  int32_t x_size, y_size;
  int32_t x_position, y_position;
  bool frameless;
  bool bezel_shown;

  int32_t click_x, click_y;  // last left click in client pixels
  uint32_t textures[TEXTURE_SLOT_COUNT];
  int exit_code;             // 0 after quit/Escape, 1 after a failed frame or start
};
