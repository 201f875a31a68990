// The FLT synoptic page of the systems menu: pitch, aileron and rudder trim
// scales with their readouts, the spoiler and the flap scales.
#include "mfd/mfd_page_parts.h"

#include <algorithm>
#include <cmath>

#include "framework/text.h"
#include "mfd/mfd_state.h"
#include "mfd/synoptic_draw.h"

namespace {

constexpr float SCALE = 0.55f, SMALL_SCALE = 0.45f;
constexpr float TITLE_Y = -1.85f, READOUT_Y = -2.32f;
constexpr float POINTER_SIZE = 0.22f;

void cyan(float x, float y, float scale, int alignment, const char* text) {
  synoptic_text(x, y, scale, alignment, EICAS_CYAN, text);
}
void white(float x, float y, float scale, int alignment, const char* text) {
  synoptic_text(x, y, scale, alignment, EICAS_WHITE, text);
}

// Where a value falls on a scale: fraction 0 at `from`, 1 at `to`;
// non-finite values give no pointer.
bool along(double value, double full, float from, float to, float* at) {
  if (!std::isfinite(value)) return false;
  *at = from + static_cast<float>(std::clamp(value / full, 0.0, 1.0)) * (to - from);
  return true;
}

// Pitch trim: 0 (nose down) at the top, 10 (nose up) at the bottom.
constexpr float PITCH_X = -4.62f, PITCH_TOP = -2.93f, PITCH_BOTTOM = -5.35f;
constexpr double PITCH_FULL = 10.0;

void pitch_scale(double trim) {
  synoptic_line(PITCH_X, PITCH_TOP, PITCH_X, PITCH_BOTTOM, EICAS_WHITE);
  for (float y : {PITCH_TOP, PITCH_BOTTOM}) synoptic_line(PITCH_X - 0.15f, y, PITCH_X, y, EICAS_WHITE);
  cyan(-6.52f, -3.09f, SCALE, ALIGN_LEFT, "NDN");
  cyan(-6.52f, -5.51f, SCALE, ALIGN_LEFT, "NUP");
  white(-4.45f, -3.09f, SCALE, ALIGN_LEFT, "0");
  white(-4.449f, -5.51f, SCALE, ALIGN_LEFT, "10");
  float y;
  if (along(trim, PITCH_FULL, PITCH_TOP, PITCH_BOTTOM, &y))
    synoptic_triangle(PITCH_X - 0.15f - POINTER_SIZE, y, POINTER_SIZE, POINTER_SIZE, -90.0f, EICAS_WHITE);
  // The vertical legend beside the scale.
  const char* const letters[] = {"T", "R", "I", "M", "S"};
  for (int i = 0; i < 5; ++i) cyan(-3.12f, -2.63f - 0.6f * static_cast<float>(i), SCALE, ALIGN_CENTRED, letters[i]);
}

// Aileron and rudder trims: a level scale from 10 left to 10 right.
constexpr float SIDE_SCALE_LEFT = -1.79f, SIDE_SCALE_RIGHT = 0.73f, SIDE_SCALE_WIDTH = 0.35f;
constexpr float SIDE_LETTER_LEFT = -2.0f;  // clear of the longer title
constexpr double SIDE_FULL = 10.0;

void side_scale(const char* title, float title_x, float title_y, float marks_y, double trim_deg) {
  const float centre = (SIDE_SCALE_LEFT + SIDE_SCALE_RIGHT) / 2;
  const float line_y = marks_y + 0.5f;
  const float left = SIDE_SCALE_LEFT + SIDE_SCALE_WIDTH, right = SIDE_SCALE_RIGHT - SIDE_SCALE_WIDTH;
  cyan(title_x, title_y, SCALE, ALIGN_CENTRED, title);
  cyan(SIDE_LETTER_LEFT, title_y, SCALE, ALIGN_CENTRED, "L");
  cyan(SIDE_SCALE_RIGHT, title_y, SCALE, ALIGN_CENTRED, "R");
  white(SIDE_SCALE_LEFT, marks_y, SCALE, ALIGN_CENTRED, "10");
  white(centre, marks_y, SCALE, ALIGN_CENTRED, "0.0");
  white(SIDE_SCALE_RIGHT, marks_y, SCALE, ALIGN_CENTRED, "10");
  synoptic_line(left, line_y, right, line_y, EICAS_WHITE);
  for (float x : {left, centre, right}) synoptic_line(x, line_y, x, line_y + 0.15f, EICAS_WHITE);
  if (std::isfinite(trim_deg)) {
    const float half = (right - left) / 2;
    const float x = centre + static_cast<float>(std::clamp(trim_deg / SIDE_FULL, -1.0, 1.0)) * half;
    synoptic_triangle(x, line_y + 0.15f + POINTER_SIZE, POINTER_SIZE, POINTER_SIZE, 180.0f, EICAS_WHITE);
  }
  char text[24];
  synoptic_side_trim(text, sizeof text, trim_deg);
  white(centre, marks_y - 0.55f, SCALE, ALIGN_CENTRED, text);
}

// Spoilers: retracted at the bottom, extended (40 degrees) at the top.
constexpr float SPOILER_X = 2.9f, SPOILER_TOP = -2.65f, SPOILER_BOTTOM = -5.45f;

void spoiler_scale(int32_t degrees) {
  synoptic_line(SPOILER_X, SPOILER_TOP, SPOILER_X, SPOILER_BOTTOM, EICAS_WHITE);
  float y;
  if (along(degrees, SPOILER_READOUT_MAX, SPOILER_BOTTOM, SPOILER_TOP, &y))
    synoptic_triangle(SPOILER_X + POINTER_SIZE, y, POINTER_SIZE, POINTER_SIZE, 90.0f, EICAS_WHITE);
}

// Flaps: the marks stand at the detents 0, 8, 20 and 40 degrees.
struct Detent { double degrees; float y; const char* mark; };
constexpr Detent DETENTS[] = {{0, -2.81f, "UP"}, {8, -3.49f, "8"}, {20, -4.19f, "20"}, {40, -5.65f, "DN"}};
constexpr float FLAP_MARK_X = 6.27f, FLAP_SCALE_X = 5.7f, MARK_MIDDLE = 0.15f;

void flap_scale(int32_t flap_angle) {
  const float top = DETENTS[0].y + MARK_MIDDLE, bottom = DETENTS[3].y + MARK_MIDDLE;
  synoptic_line(FLAP_SCALE_X, top, FLAP_SCALE_X, bottom, EICAS_WHITE);
  for (const Detent& d : DETENTS) {
    white(FLAP_MARK_X, d.y, SMALL_SCALE, ALIGN_CENTRED, d.mark);
    synoptic_line(FLAP_SCALE_X, d.y + MARK_MIDDLE, FLAP_SCALE_X + 0.15f, d.y + MARK_MIDDLE, EICAS_WHITE);
  }
  // Between two detents the pointer goes in proportion.
  const double angle = std::clamp(static_cast<double>(flap_angle), 0.0, DETENTS[3].degrees);
  float y = bottom;
  for (int i = 0; i + 1 < 4; ++i) {
    const Detent& a = DETENTS[i];
    const Detent& b = DETENTS[i + 1];
    if (angle <= b.degrees) {
      y = a.y + static_cast<float>((angle - a.degrees) / (b.degrees - a.degrees)) * (b.y - a.y) + MARK_MIDDLE;
      break;
    }
  }
  synoptic_triangle(FLAP_SCALE_X - POINTER_SIZE, y, POINTER_SIZE, POINTER_SIZE, -90.0f, EICAS_WHITE);
}

}  // namespace

void mfd_flight_controls_page_draw() {
  const MfdRaw& r = g_mfd.raw;
  const MfdValues& v = g_mfd.value;
  char text[24];

  synoptic_return_label(2.36f, 0.55f);
  cyan(-4.779f, TITLE_Y, SCALE, ALIGN_RIGHT, "PITCH");
  synoptic_tenths(text, sizeof text, v.pitch_trim);
  white(-4.779f, READOUT_Y, SCALE, ALIGN_RIGHT, text);
  pitch_scale(v.pitch_trim);

  side_scale("AILERON", -0.53f, TITLE_Y, -3.06f, v.aileron_trim);
  side_scale("RUDDER", -0.609f, -4.2f, -4.98f, v.rudder_trim);

  const int32_t spoilers = synoptic_spoiler_readout(r.spoiler_control);
  cyan(2.87f, TITLE_Y, SCALE, ALIGN_CENTRED, "SPLRS");
  synoptic_whole(text, sizeof text, spoilers);
  white(2.96f, READOUT_Y, SCALE, ALIGN_CENTRED, text);
  cyan(2.07f, -2.84f, SMALL_SCALE, ALIGN_CENTRED, "EXT");
  cyan(2.07f, -5.65f, SMALL_SCALE, ALIGN_CENTRED, "RET");
  spoiler_scale(spoilers);

  cyan(5.45f, TITLE_Y, SCALE, ALIGN_CENTRED, "FLAPS");
  flap_scale(v.flap_angle);
}
