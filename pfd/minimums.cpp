#include "pfd/minimums.h"

#include <cmath>

uint16_t baro_offset_value(double inches) {
  if (!(inches >= BARO_MIN_INCHES)) inches = BARO_MIN_INCHES;  // also NaN
  if (inches > BARO_MAX_INCHES) inches = BARO_MAX_INCHES;
  double v = std::trunc(inches * BARO_INCHES_TO_OFFSET);
  if (v < 0.0) v = 0.0;
  if (v > 65535.0) v = 65535.0;
  return static_cast<uint16_t>(v);
}

void minimums_reset(MinimumsState* m) {
  *m = MinimumsState{};
  m->mode = MINIMUMS_OFF;
  m->ra_minimums = MINIMUMS_INITIAL_FEET;
  m->baro_minimums = MINIMUMS_INITIAL_FEET;
  m->button_request = BUTTON_NONE;
}

bool minimums_baro_step(MinimumsState* m, double current_inches, uint16_t* offset_value) {
  bool write = false;
  double setting = current_inches;
  if (m->button_request == BUTTON_STANDARD_BARO) {
    setting = BARO_STANDARD_INCHES;
    write = true;
    m->button_request = BUTTON_NONE;
  }
  if (m->baro_step_down || m->baro_step_up) {
    if (m->baro_step_down) setting -= BARO_STEP_INCHES;
    if (m->baro_step_up) setting += BARO_STEP_INCHES;
    m->baro_step_down = m->baro_step_up = false;
    write = true;
  }
  if (write) *offset_value = baro_offset_value(setting);
  return write;
}

void minimums_bit6_step(MinimumsState* m, uint8_t alert_byte) {
  const uint8_t bit = alert_byte & 0x40;
  if (bit && !m->bit6_history) m->button_request = BUTTON_NEXT_MINIMUMS;
  m->bit6_history = bit;
}

static void step_minimums(int32_t* value, int32_t delta) {
  int32_t v = *value + delta;
  if (v > MINIMUMS_LIMIT_FEET) v = MINIMUMS_LIMIT_FEET;
  if (v < -MINIMUMS_LIMIT_FEET) v = -MINIMUMS_LIMIT_FEET;
  *value = v;
}

void minimums_mode_step(MinimumsState* m) {
  if (m->button_request == BUTTON_NEXT_MINIMUMS) {
    m->mode = m->mode >= MINIMUMS_BARO || m->mode < MINIMUMS_OFF ? MINIMUMS_OFF : m->mode + 1;
    m->button_request = BUTTON_NONE;
  }
  int32_t delta = 0;
  if (m->minimums_step_down) delta -= MINIMUMS_STEP_FEET;
  if (m->minimums_step_up) delta += MINIMUMS_STEP_FEET;
  if (m->mode == MINIMUMS_RA) step_minimums(&m->ra_minimums, delta);
  if (m->mode == MINIMUMS_BARO) step_minimums(&m->baro_minimums, delta);
  m->minimums_step_down = m->minimums_step_up = false;
}

void minimums_update_passed(MinimumsState* m, double height_above_ground, double altitude) {
  m->ra_passed = height_above_ground < m->ra_minimums;
  m->baro_passed = m->baro_minimums > altitude;
}

bool minimums_alert_due(MinimumsState* m) {
  const bool due = (m->ra_passed && !m->ra_passed_previous && m->mode == MINIMUMS_RA) ||
                   (m->baro_passed && !m->baro_passed_previous && m->mode == MINIMUMS_BARO);
  m->ra_passed_previous = m->ra_passed;
  m->baro_passed_previous = m->baro_passed;
  return due;
}

bool minimums_alert_shown(const MinimumsState* m) {
  return (m->ra_passed && m->mode == MINIMUMS_RA) || (m->baro_passed && m->mode == MINIMUMS_BARO);
}
