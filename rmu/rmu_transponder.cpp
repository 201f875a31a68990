#include "rmu/rmu_transponder.h"

namespace {

constexpr int DIGIT_MAX = 7;
constexpr uint8_t BAND_BITS = 0x0C;
constexpr uint8_t BAND_ENCODING[RMU_TCAS_BAND_COUNT] = {0x04, 0x0C, 0x08};  // NORMAL, ABOVE, BELOW

uint8_t held(int digit) { return static_cast<uint8_t>(digit < 0 ? 0 : digit > DIGIT_MAX ? DIGIT_MAX : digit); }

// A pair of digits as a two-digit octal number, one step down or up.
void step_pair(uint8_t* high, uint8_t* low, bool up) {
  int h = *high, l = *low;
  if (!up) {
    if (h == 0 && l == 0) h = l = DIGIT_MAX;
    else if (l == 0) l = DIGIT_MAX, --h;
    else --l;
  } else {
    if (h == DIGIT_MAX && l == DIGIT_MAX) h = l = 0;
    else if (l == DIGIT_MAX) l = 0, ++h;
    else ++l;
  }
  *high = held(h);
  *low = held(l);
}

}  // namespace

bool rmu_transponder_knob_step(uint8_t d[4], RmuKnobs* k) {
  if (k->inner_down) k->inner_down = false, step_pair(&d[3], &d[2], false);
  else if (k->inner_up) k->inner_up = false, step_pair(&d[3], &d[2], true);
  else if (k->outer_down) k->outer_down = false, step_pair(&d[1], &d[0], false);
  else if (k->outer_up) k->outer_up = false, step_pair(&d[1], &d[0], true);
  else return false;
  return true;
}

uint16_t rmu_transponder_code(const uint8_t d[4]) {
  return static_cast<uint16_t>(d[0] + 10 * d[1] + 100 * d[2] + 1000 * d[3]);
}

uint16_t rmu_transponder_word(const uint8_t d[4]) {
  return static_cast<uint16_t>(d[3] * 4096 + d[2] * 256 + d[1] * 16 + d[0]);
}

bool rmu_tcas_range_step(uint8_t* range, RmuKnobs* k) {
  int r = *range;
  if (k->outer_down) k->outer_down = false, r -= RMU_TCAS_RANGE_STEP;
  else if (k->outer_up) k->outer_up = false, r += RMU_TCAS_RANGE_STEP;
  else return false;
  *range = static_cast<uint8_t>(r < RMU_TCAS_RANGE_MIN ? RMU_TCAS_RANGE_MIN : r > RMU_TCAS_RANGE_MAX ? RMU_TCAS_RANGE_MAX : r);
  return true;
}

bool rmu_tcas_band_step(int32_t* band, RmuKnobs* k) {
  int32_t b = *band;
  if (k->outer_down) k->outer_down = false, --b;
  else if (k->outer_up) k->outer_up = false, ++b;
  else return false;
  *band = (b % RMU_TCAS_BAND_COUNT + RMU_TCAS_BAND_COUNT) % RMU_TCAS_BAND_COUNT;
  return true;
}

uint8_t rmu_band_byte(uint8_t byte_read, int32_t band) {
  if (band < 0 || band >= RMU_TCAS_BAND_COUNT) return byte_read;
  return static_cast<uint8_t>((byte_read & ~BAND_BITS) | BAND_ENCODING[band]);
}
