#include "framework/bezel_input.h"

#include "simlink/cells.h"

namespace {
constexpr BezelBox kSoftKeyBoxes[SOFT_KEY_COUNT] = {
    {17, 24, 87, 90}, {27, 34, 87, 90}, {38, 45, 87, 90},
    {49, 56, 87, 90}, {59, 66, 87, 90}, {70, 76, 87, 90},
};
constexpr float PERCENT = 100.0f;
}  // namespace

void bezel_fill_soft_key_table(BezelInput* input) {
  for (int i = 0; i < SOFT_KEY_COUNT; ++i) input->soft_keys[i] = kSoftKeyBoxes[i];
}

void bezel_hit_test(BezelInput* input, int click_x, int click_y, int x_size, int y_size) {
  input->knob_decrement = false;
  input->knob_increment = false;
  if (x_size <= 0 || y_size <= 0) return;
  // Multiplying first keeps a click that lies exactly on a box edge on it.
  float px = static_cast<float>(click_x) * PERCENT / static_cast<float>(x_size);
  float py = static_cast<float>(click_y) * PERCENT / static_cast<float>(y_size);
  bool in_knob_band = py >= KNOB_Y_MIN && py <= KNOB_Y_MAX;
  if (in_knob_band && px >= KNOB_DECREMENT_X_MIN && px < KNOB_DECREMENT_X_END) {
    input->knob_decrement = true;
    return;
  }
  if (in_knob_band && px >= KNOB_INCREMENT_X_MIN && px <= KNOB_INCREMENT_X_MAX) {
    input->knob_increment = true;
    return;
  }
  // Every soft key shares the y range of soft key 0.
  const BezelBox& row = input->soft_keys[0];
  if (py < row.y_min || py > row.y_max) return;
  for (int i = 0; i < SOFT_KEY_COUNT; ++i) {
    if (px >= input->soft_keys[i].x_min && px <= input->soft_keys[i].x_max) {
      input->soft_key_event = i;
      return;
    }
  }
}

void bezel_knob_step(BezelInput* input) {
  // The counter starts from 0 as the record does, so no seeding here.
  CounterStep step = counter_direction(input->previous_knob_value, input->knob_value);
  if (step == STEP_UP) input->knob_increment = true;
  if (step == STEP_DOWN) input->knob_decrement = true;
  input->previous_knob_value = input->knob_value;
}

void bezel_soft_key_byte(BezelInput* input, uint8_t bits) {
  int key = lowest_rising_bit(static_cast<uint8_t>(input->previous_soft_key_bits), bits, SOFT_KEY_COUNT);
  if (key >= 0) input->soft_key_event = key;
  input->previous_soft_key_bits = bits;
}
