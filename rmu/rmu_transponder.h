#pragma once
// Transponder and TCAS arithmetic: the squawk digits stepped by the double
// knob, the code and the simulator's word made of them, the TCAS range and
// band steps, and the band's bits in the shared band byte. Pure functions.
#include <cstdint>

#include "rmu/rmu_state.h"

constexpr int RMU_TCAS_RANGE_MIN = 6, RMU_TCAS_RANGE_MAX = 40, RMU_TCAS_RANGE_STEP = 2;
constexpr int RMU_TCAS_BAND_COUNT = 3;  // NORMAL, ABOVE, BELOW

// One knob event on the digits (units, tens, hundreds, thousands), tested in
// the order inner down, inner up, outer down, outer up. The inner knob steps
// the upper pair and the outer knob the lower pair, each pair an octal
// number from 00 to 77 that wraps without carrying into the other. The event
// is cleared; false when none was waiting.
bool rmu_transponder_knob_step(uint8_t digits[4], RmuKnobs* knobs);
// 1000 thousands + 100 hundreds + 10 tens + units.
uint16_t rmu_transponder_code(const uint8_t digits[4]);
// One octal digit per nibble: 1200 is 0x1200.
uint16_t rmu_transponder_word(const uint8_t digits[4]);

// Outer down -2, otherwise outer up +2, held at 6..40. False when no event.
bool rmu_tcas_range_step(uint8_t* range, RmuKnobs* knobs);
// Outer down -1, otherwise outer up +1, wrapping 0..2. False when no event.
bool rmu_tcas_band_step(int32_t* band, RmuKnobs* knobs);
// The band byte with the band in bits 2 and 3 (NORMAL bit 2, ABOVE both,
// BELOW bit 3); the other bits as read.
uint8_t rmu_band_byte(uint8_t byte_read, int32_t band);
