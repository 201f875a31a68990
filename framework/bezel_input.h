#pragma once
// Display-unit bezel input: soft keys and the knob, from mouse clicks on the
// painted bezel and from the inter-unit soft-key and knob cells.
#include <cstdint>

constexpr int SOFT_KEY_COUNT = 6;
constexpr int SOFT_KEY_NONE = 6;   // no pending press

// A hit box in percent of the drawing area, bounds inclusive.
struct BezelBox {
  int x_min, x_max, y_min, y_max;
};

struct BezelInput {
  int32_t soft_key_event;           // 0..5, or SOFT_KEY_NONE; the consumer sets it back
  int32_t previous_soft_key_bits;
  uint8_t knob_value, previous_knob_value;
  bool knob_decrement, knob_increment;  // cleared at each click and by their consumers
  BezelBox soft_keys[SOFT_KEY_COUNT];
};

// Knob hit boxes (percent). The decrement box is open at its right edge so
// that px = 87 belongs to the increment box.
constexpr float KNOB_DECREMENT_X_MIN = 83.0f, KNOB_DECREMENT_X_END = 87.0f;
constexpr float KNOB_INCREMENT_X_MIN = 87.0f, KNOB_INCREMENT_X_MAX = 91.0f;
constexpr float KNOB_Y_MIN = 87.0f, KNOB_Y_MAX = 92.0f;

void bezel_fill_soft_key_table(BezelInput* input);
// A left click in client pixels on a drawing area of x_size by y_size.
void bezel_hit_test(BezelInput* input, int click_x, int click_y, int x_size, int y_size);
// Once per frame: one knob event from a changed knob counter.
void bezel_knob_step(BezelInput* input);
// Once per frame: the lowest soft-key bit (0..5) that rose since the last frame.
void bezel_soft_key_byte(BezelInput* input, uint8_t bits);
