#pragma once
// Display power: black while the battery is off, a fade-in from black over
// 200 frames when it comes on, then dimming by the brightness byte.
#include <cstdint>

constexpr float FADE_STEP_PER_FRAME = 0.005f;
constexpr float BRIGHTNESS_FULL_SCALE = 255.0f;

struct DisplayPower {
  int32_t battery_on, avionics_on, previous_battery_on;
  float fade_alpha;        // alpha of the black quad; 1.0 at power-off
  bool fade_complete;
  uint8_t brightness;      // 0 = full brightness, 255 = black
};

// Battery on: the alpha of this frame's fade quad. Advances the fade while it
// runs; afterwards follows the brightness byte. *fading tells which case it
// was (the fading frame turns blending off after its quad).
float display_power_quad_alpha(DisplayPower* power, bool* fading);
// Battery off: the screen blanks and the next power-up fades in again.
void display_power_off(DisplayPower* power);
// End of frame.
void display_power_end_frame(DisplayPower* power);
