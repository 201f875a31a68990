#pragma once
// What the six system pages share: their readout formats (free of GL, so
// that no value the field cannot hold reaches a cast or a format) and the
// drawing of texts, boxes and pointers from a reset model-view matrix.
#include <cstddef>
#include <cstdint>

#include "mfd/eicas_logic.h"

constexpr float SYNOPTIC_DEPTH = 30.0f;
constexpr double CABIN_ALTITUDE_FACTOR = 0.196;   // of the indicated altitude
constexpr double CABIN_RATE_FACTOR = 0.1;         // of the vertical speed
constexpr double SPOILER_CONTROL_SCALE = 0.0035;  // spoiler control to degrees
constexpr double SPOILER_CONTROL_OFFSET = 16.576;
constexpr int32_t SPOILER_READOUT_MAX = 40;

// Whole readouts ("%d", truncated toward zero) and tenths ("%2.1f"); false
// with an empty text for a non-finite value, which leaves the readout blank.
bool synoptic_whole(char* out, size_t size, double value);
bool synoptic_tenths(char* out, size_t size, double value);
// "%4d" of |vertical speed x 0.1|.
bool synoptic_cabin_rate(char* out, size_t size, double vertical_speed);
// A trim in degrees as "R%2.1f" from 0 up, else "L%2.1f" without the sign.
bool synoptic_side_trim(char* out, size_t size, double degrees);
// Both spoilers out: the left angle; one out: "L"/"R" and its angle; none: "0".
void synoptic_spoilers(char* out, size_t size, int32_t left_deg, int32_t right_deg);
// The spoiler control as degrees, clamped to 0..40.
int32_t synoptic_spoiler_readout(int32_t spoiler_control);

bool synoptic_tank_low(double pounds);
struct TrimBoxes { bool pitch, aileron, rudder; };
// Red boxes only while on the ground at high power, around each trim out of
// the take-off range.
TrimBoxes synoptic_trim_boxes(bool high_power, bool on_ground, double pitch, double aileron_deg, double rudder_deg);

// Drawing; each starts from a reset matrix at (x, y, -30).
void synoptic_text(float x, float y, float scale, int alignment, const EicasColour& colour, const char* text);
// "RTN" over the soft key that opened the page, on the MFD only.
void synoptic_return_label(float x, float scale);
// The unit-square outline from (x, y), w by h.
void synoptic_box(float x, float y, float w, float h, const EicasColour& colour);
// The unit triangle from (x, y) turned by `degrees` and scaled w by h.
void synoptic_triangle(float x, float y, float w, float h, float degrees, const EicasColour& colour);
void synoptic_line(float x0, float y0, float x1, float y1, const EicasColour& colour);
