#include "pfd/pfd_frame_logic.h"

bool tick_step(Tick* tick, int64_t clock_ms) {
  tick->previous = tick->current;
  tick->current = (clock_ms + TICK_OFFSET_MS) / TICK_MS;
  return tick->current != tick->previous;
}

float dimming_step(Dimming* d, bool battery_on, uint8_t dimming_byte) {
  if (!battery_on) {
    // Off: black, and the next power-up fades in again.
    d->powered = false;
    d->fading = true;
    d->alpha = 1;
    return d->alpha;
  }
  if (!d->powered) {
    d->powered = true;
    d->fading = true;
    d->alpha = 1;
  }
  if (d->fading) {
    d->alpha -= FADE_STEP;
    if (d->alpha <= 0) d->fading = false;
  }
  if (!d->fading) d->alpha = dimming_byte / 255.0f;
  return d->alpha;
}

static bool inside(const ZoneRect& r, float x, float y) {
  return x >= r.x_min && x <= r.x_max && y >= r.y_min && y <= r.y_max;
}

BezelZone bezel_zone(int x, int y, int width, int height) {
  if (width <= 0 || height <= 0) return ZONE_NONE;
  float px = x * 100.0f / width, py = y * 100.0f / height;
  if (inside(MINIMUMS_MODE_BUTTON, px, py)) return ZONE_MINIMUMS_MODE;
  if (inside(STANDARD_BARO_BUTTON, px, py)) return ZONE_STANDARD_BARO;
  if (inside(MINIMUMS_KNOB, px, py)) return px <= MINIMUMS_KNOB_DOWN_MAX ? ZONE_MINIMUMS_DOWN : ZONE_MINIMUMS_UP;
  if (inside(BARO_KNOB, px, py)) return px <= BARO_KNOB_DOWN_MAX ? ZONE_BARO_DOWN : ZONE_BARO_UP;
  return ZONE_NONE;
}
