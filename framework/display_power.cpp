#include "framework/display_power.h"

float display_power_quad_alpha(DisplayPower* power, bool* fading) {
  if (power->fade_complete) {
    *fading = false;
    power->fade_alpha = power->brightness / BRIGHTNESS_FULL_SCALE;
    return power->fade_alpha;
  }
  *fading = true;
  float alpha = power->fade_alpha;
  power->fade_alpha -= FADE_STEP_PER_FRAME;
  if (power->fade_alpha <= 0.0f) power->fade_complete = true;
  return alpha;
}

void display_power_off(DisplayPower* power) {
  power->fade_alpha = 1.0f;
  power->fade_complete = false;
}

void display_power_end_frame(DisplayPower* power) { power->previous_battery_on = power->battery_on; }
