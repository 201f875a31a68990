#pragma once
// Barometric setting and minimums controls: the pure steps behind
// altitude_control_step(), so that they can be driven without a link.
#include <cstdint>

#include "pfd/pfd_state.h"

constexpr double BARO_STANDARD_INCHES = 29.92;
constexpr double BARO_STEP_INCHES = 0.01;
constexpr double BARO_INCHES_TO_OFFSET = 33.8639 * 16.0;  // inches -> hPa x 16
// A realistic altimeter window (745..1100 hPa); the offset never wraps.
constexpr double BARO_MIN_INCHES = 22.00;
constexpr double BARO_MAX_INCHES = 32.48;
constexpr int32_t MINIMUMS_STEP_FEET = 10;
constexpr int32_t MINIMUMS_INITIAL_FEET = 200;
// Minimums have no operational bounds; these only keep the readout in its box.
constexpr int32_t MINIMUMS_LIMIT_FEET = 99990;

// The 0x0330 value for a setting in inches, clamped so it never wraps.
uint16_t baro_offset_value(double inches);

void minimums_reset(MinimumsState* m);

// Steps 1 and 2: standard button and barometric steps. Returns true and the
// value to write when 0x0330 must be written; clears the served requests.
bool minimums_baro_step(MinimumsState* m, double current_inches, uint16_t* offset_value);
// Step 3: the rising edge of bit 6 of the alert byte requests the next mode.
void minimums_bit6_step(MinimumsState* m, uint8_t alert_byte);
// Steps 4 and 5: mode cycling and +-10 ft steps of the active minimums.
void minimums_mode_step(MinimumsState* m);

// Passed flags from the height above ground and the indicated altitude; the
// group sets them after drawing, so each frame shows and sounds the values
// of the frame before, as the unit always has.
void minimums_update_passed(MinimumsState* m, double height_above_ground, double altitude);
// After the group is drawn: true when the aural alert is due this frame (a
// flag of the active mode has just turned on); then the previous values follow.
bool minimums_alert_due(MinimumsState* m);
// The "MIN" box is shown.
bool minimums_alert_shown(const MinimumsState* m);

// The aural alert: plays the file on a short-lived thread of its own. While
// one alert is still playing a new one is dropped, so alerts never pile up.
// Returns true when a new alert was started.
bool minimums_alert_play(const char* path);
bool minimums_alert_playing();
int minimums_alert_count();      // alerts started since the program began
void minimums_alert_wait();      // waits for a playing alert to end
