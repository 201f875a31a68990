#pragma once
// The frame's small rules: the half-second tick, power and dimming, and the
// bezel click zones, apart from drawing so that tests can drive them.
#include <cstdint>

constexpr int TICK_MS = 500;
constexpr int TICK_OFFSET_MS = 1000;
constexpr float FADE_STEP = 0.005f;

struct Tick { int64_t current, previous; };
// Advances the tick from the process clock; true when it changed.
bool tick_step(Tick* tick, int64_t clock_ms);

struct Dimming { bool powered, fading; float alpha; };
// One frame of the power and dimming rule; returns the overlay's alpha.
float dimming_step(Dimming* d, bool battery_on, uint8_t dimming_byte);

enum BezelZone {
  ZONE_NONE = 0,
  ZONE_MINIMUMS_MODE,
  ZONE_STANDARD_BARO,
  ZONE_MINIMUMS_DOWN,
  ZONE_MINIMUMS_UP,
  ZONE_BARO_DOWN,
  ZONE_BARO_UP,
};
struct ZoneRect { float x_min, x_max, y_min, y_max; };
constexpr ZoneRect MINIMUMS_MODE_BUTTON = {19, 29, 84, 90};
constexpr ZoneRect STANDARD_BARO_BUTTON = {71, 81, 84, 90};
constexpr ZoneRect MINIMUMS_KNOB = {9, 16, 87, 92};
constexpr ZoneRect BARO_KNOB = {82, 91, 87, 92};
constexpr float MINIMUMS_KNOB_DOWN_MAX = 12;   // x% at or below: step down
constexpr float BARO_KNOB_DOWN_MAX = 86;

// The zone under a click in client pixels on a drawing area of width x height.
BezelZone bezel_zone(int x, int y, int width, int height);
