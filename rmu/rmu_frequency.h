#pragma once
// The radio words the simulator expects and the tuning arithmetic of the
// frequency fields. Pure functions: no state, no link.
//
// A COM or NAV word holds four BCD digits of the frequency with the leading 1
// of the MHz implied: 123.45 MHz is 0x2345. An ADF word holds the four BCD
// digits of the whole kHz (1234 kHz is 0x1234); its extension word carries
// tenths of a kHz in the low byte.
#include <cstdint>

#include "rmu/rmu_state.h"

struct RmuBand {
  int low_mhz, high_mhz;  // whole MHz, both inclusive
};
constexpr RmuBand RMU_COM_BAND = {118, 135};
constexpr RmuBand RMU_NAV_BAND = {108, 117};

constexpr int RMU_ADF_HUNDREDS_MAX = 17;
constexpr int RMU_ADF_UNITS_MAX = 99;

// The word of the nearest 10 kHz channel, with the carry into the MHz
// (127.995 is 0x2800). Values outside 100.00..199.99, and NaN, are held at
// the nearer end so that every word is valid BCD.
uint16_t rmu_frequency_word(double mhz);
// MHz of a word: 100 + 10 d3 + d2 + d1 / 10 + d0 / 100 + 0.0001, digits
// counted from the low nibble (nibbles above 9 are taken as they come).
float rmu_word_frequency(uint16_t word);
// The channel wrapped into the band: whole MHz above the band start again at
// its low end and below it at its high end, the hundredths kept.
float rmu_normalise(double mhz, RmuBand band);
// True when the value is finite and its channel lies inside the band.
bool rmu_in_band(double mhz, RmuBand band);

// One knob event applied to a frequency field, tested in the order outer
// down (-1 MHz), outer up (+1 MHz), inner down (-0.01), inner up (+0.011,
// which the channel rounding takes as +0.01); the event is cleared and the
// value normalised in the band. False when no event was waiting.
bool rmu_frequency_knob_step(float* mhz, RmuBand band, RmuKnobs* knobs);

// 1000 d3 + 100 d2 + 10 d1 + d0 of a BCD word.
int rmu_bcd_value(uint16_t word);
// The ADF word of whole kHz (held at 0..9999).
uint16_t rmu_adf_word(int khz);
// kHz of the main word and its extension (low byte / 10).
float rmu_adf_frequency(uint16_t main_word, uint16_t extension_word);
// The tuning state of a frequency: hundreds 0..17 and units 0..99, each held
// inside its range, so that a simulator word with nibbles above 9 is never
// tuned on from out of range.
void rmu_adf_tuning_of(float khz, int32_t* hundreds, int32_t* units);
// One knob event applied to the ADF tuning state, in the order outer down,
// outer up (units -1 / +1, wrapping 0 <-> 99), inner down, inner up
// (hundreds -1 / +1, wrapping 0 <-> 17). False when no event was waiting.
bool rmu_adf_knob_step(int32_t* hundreds, int32_t* units, RmuKnobs* knobs);
