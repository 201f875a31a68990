#include "rmu/rmu_frequency.h"

#include <cmath>

namespace {

constexpr int LOWEST_CHANNEL = 10000;   // 100.00 MHz in hundredths
constexpr int HIGHEST_CHANNEL = 19999;  // 199.99 MHz
constexpr double OUTER_STEP_MHZ = 1.0;
constexpr double INNER_DOWN_MHZ = -0.01;
constexpr double INNER_UP_MHZ = 0.011;
constexpr float WORD_READ_BIAS = 0.0001f;
constexpr int ADF_WORD_MAX_KHZ = 9999;
constexpr float ADF_EXTENSION_SCALE = 10.0f;

int nibble(uint16_t word, int index) { return (word >> (4 * index)) & 0xF; }

uint16_t bcd_of(int tens, int units, int tenths, int hundredths) {
  return static_cast<uint16_t>(tens << 12 | units << 8 | tenths << 4 | hundredths);
}

// Hundredths of a MHz of the nearest channel, held inside the word's range.
int channel_of(double mhz) {
  if (!(mhz >= LOWEST_CHANNEL / 100.0)) return LOWEST_CHANNEL;  // NaN too
  if (mhz >= HIGHEST_CHANNEL / 100.0) return HIGHEST_CHANNEL;
  long channel = std::lround(mhz * 100.0);
  return channel > HIGHEST_CHANNEL ? HIGHEST_CHANNEL : static_cast<int>(channel);
}

// Takes the first waiting event in the order outer down, outer up, inner
// down, inner up; 0..3 in that order, -1 when none waits.
int take_knob_event(RmuKnobs* k) {
  bool* events[] = {&k->outer_down, &k->outer_up, &k->inner_down, &k->inner_up};
  for (int i = 0; i < 4; ++i) {
    if (!*events[i]) continue;
    *events[i] = false;
    return i;
  }
  return -1;
}

int32_t wrap_step(int32_t value, int step, int32_t max) {
  if (value < 0 || value > max) value = value < 0 ? 0 : max;
  value += step;
  if (value > max) return 0;
  if (value < 0) return max;
  return value;
}

}  // namespace

uint16_t rmu_frequency_word(double mhz) {
  int channel = channel_of(mhz);
  int whole = channel / 100 - 100;
  int hundredths = channel % 100;
  return bcd_of(whole / 10, whole % 10, hundredths / 10, hundredths % 10);
}

float rmu_word_frequency(uint16_t word) {
  double mhz = 100.0 + 10.0 * nibble(word, 3) + nibble(word, 2) + nibble(word, 1) / 10.0 + nibble(word, 0) / 100.0;
  return static_cast<float>(mhz) + WORD_READ_BIAS;
}

float rmu_normalise(double mhz, RmuBand band) {
  uint16_t word = rmu_frequency_word(mhz);
  int whole = 100 + 10 * nibble(word, 3) + nibble(word, 2);
  int hundredths = 10 * nibble(word, 1) + nibble(word, 0);
  if (whole > band.high_mhz) whole = band.low_mhz;
  if (whole < band.low_mhz) whole = band.high_mhz;
  return static_cast<float>(whole + hundredths / 100.0);
}

bool rmu_in_band(double mhz, RmuBand band) {
  if (!std::isfinite(mhz)) return false;
  double channel = std::round(mhz * 100.0);
  return channel >= band.low_mhz * 100.0 && channel <= band.high_mhz * 100.0 + 99.0;
}

bool rmu_frequency_knob_step(float* mhz, RmuBand band, RmuKnobs* knobs) {
  const double steps[] = {-OUTER_STEP_MHZ, OUTER_STEP_MHZ, INNER_DOWN_MHZ, INNER_UP_MHZ};
  int event = take_knob_event(knobs);
  if (event < 0) return false;
  *mhz = rmu_normalise(*mhz + steps[event], band);
  return true;
}

int rmu_bcd_value(uint16_t word) {
  return 1000 * nibble(word, 3) + 100 * nibble(word, 2) + 10 * nibble(word, 1) + nibble(word, 0);
}

uint16_t rmu_adf_word(int khz) {
  if (khz < 0) khz = 0;
  if (khz > ADF_WORD_MAX_KHZ) khz = ADF_WORD_MAX_KHZ;
  return bcd_of(khz / 1000, khz / 100 % 10, khz / 10 % 10, khz % 10);
}

float rmu_adf_frequency(uint16_t main_word, uint16_t extension_word) {
  return static_cast<float>(rmu_bcd_value(main_word)) + (extension_word & 0xFF) / ADF_EXTENSION_SCALE;
}

void rmu_adf_tuning_of(float khz, int32_t* hundreds, int32_t* units) {
  if (!(khz > 0.0f)) khz = 0.0f;  // NaN too
  int32_t h = khz / 100.0f >= RMU_ADF_HUNDREDS_MAX ? RMU_ADF_HUNDREDS_MAX : static_cast<int32_t>(khz / 100.0f);
  float rest = khz - 100.0f * h;
  *hundreds = h;
  *units = rest >= RMU_ADF_UNITS_MAX ? RMU_ADF_UNITS_MAX : static_cast<int32_t>(rest);
}

bool rmu_adf_knob_step(int32_t* hundreds, int32_t* units, RmuKnobs* knobs) {
  switch (take_knob_event(knobs)) {
    case 0: *units = wrap_step(*units, -1, RMU_ADF_UNITS_MAX); return true;
    case 1: *units = wrap_step(*units, +1, RMU_ADF_UNITS_MAX); return true;
    case 2: *hundreds = wrap_step(*hundreds, -1, RMU_ADF_HUNDREDS_MAX); return true;
    case 3: *hundreds = wrap_step(*hundreds, +1, RMU_ADF_HUNDREDS_MAX); return true;
    default: return false;
  }
}
