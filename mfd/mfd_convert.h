#pragma once
// Conversion of the display unit's raw simulator values (MfdRaw) into
// engineering units (MfdValues). Pure functions of their arguments: every
// call recomputes from the raw values, so it may run any number of times.
#include <cstdint>

#include "mfd/mfd_variables.h"

// Constants of the conversions, kept exactly as the instruments were tuned.
constexpr double MFD_TANK_LEVEL_FULL = 8388608.0;        // level of a full tank
constexpr double MFD_FUEL_WEIGHT_SCALE = 256.0;
constexpr double MFD_OIL_TEMPERATURE_SCALE = 140.0 / 16384.0;
constexpr double MFD_PSF_PER_PSI = 144.0;
constexpr double MFD_HYDRAULIC_SCALE = 4.0;
constexpr double MFD_SURFACE_FULL_SCALE = 16383.0;       // spoiler and flap positions
constexpr double MFD_GROUND_SPEED_SCALE = 2.9661e-5;
constexpr double MFD_AIRSPEED_SCALE = 128.0;
constexpr double MFD_FAHRENHEIT_TO_CELSIUS = 0.5555555555555556;
constexpr double MFD_HEADING_SCALE = 8.381e-8;           // 360 / 2^32 to four digits
constexpr double MFD_ANGLE16_SCALE = 360.0 / 65536.0;
constexpr double MFD_LATITUDE_SCALE = 2.0951091487837895e-15;
constexpr double MFD_LONGITUDE_SCALE = 1.951563910473908e-17;  // 360 / 2^64
constexpr double MFD_ENGINE_PERCENT_SCALE = 0.006103515625;    // 100 / 16384
constexpr double MFD_RANKINE_ZERO_CELSIUS = 491.67;
constexpr double MFD_OAT_SCALE = 256.0;
constexpr double MFD_THRUST_LEVER_SCALE = 100.0 / 16384.0;
constexpr double MFD_DEGREES_PER_RADIAN = 57.29;
constexpr double MFD_PITCH_TRIM_FACTOR = 0.6667;
constexpr double MFD_NM_PER_METRE = 0.000539956803;
constexpr uint16_t MFD_RADIO_FLAG_BIT1 = 1u << 1;
constexpr uint16_t MFD_RADIO_FLAG_BIT4 = 1u << 4;
constexpr uint16_t MFD_SYNC_FLAG = 1u << 4;

// A real value as a whole number: truncated toward zero and clamped to
// lo..hi first, so that no out-of-range or non-finite value reaches the
// cast; a non-finite value gives 0.
int32_t mfd_whole(double value, int32_t lo, int32_t hi);
// ceiling(position x full_angle / 16383), in double.
int32_t mfd_surface_angle(int32_t position, int32_t full_angle);
// True heading minus the variation, brought into 0 <= H < 360.
double mfd_magnetic_heading(double true_heading, double variation);
// Copies a 6-byte simulator text field into a terminated 7-byte buffer.
void mfd_copy_sim_text(const char (&field)[MFD_SIM_TEXT_FIELD], char (&out)[MFD_SIM_TEXT_FIELD + 1]);

// Every conversion of the main batch. `out->initial_fuel_lb` is kept once
// set (the fuel used counts from the first connected frame).
void mfd_convert_values(const MfdRaw& raw, const MfdLimits& limits, MfdValues* out);
// The fuel figures while the link is closed: nothing used, nothing counted.
void mfd_fuel_figures_disconnected(const MfdLimits& limits, MfdValues* out);
