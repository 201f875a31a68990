// The ECS synoptic page of the systems menu: cabin and cockpit temperature
// scales, cabin rate, pressure and altitude, and the oxygen quantity.
#include "mfd/mfd_page_parts.h"

#include "framework/text.h"
#include "mfd/mfd_state.h"
#include "mfd/synoptic_draw.h"

namespace {

constexpr float SCALE = 0.5f;
constexpr float ROWS[] = {-2.0f, -2.8f, -3.6f, -4.42f, -5.22f};
constexpr float ROW_LABEL_X = 1.05f, ROW_READOUT_X = 6.18f;

// One temperature scale, hot at the top, between "CAB" and "CKPT": the cabin
// pointer on its left, the cockpit pointer on its right. The temperatures
// are not simulated, so both stand where 78 F would be on a 60 to 90 F scale.
constexpr float SCALE_X = -5.0f, SCALE_TOP = -3.1f, SCALE_BOTTOM = -5.45f, SCALE_TICK = 0.12f;
constexpr float POINTER_Y = SCALE_BOTTOM + 0.6f * (SCALE_TOP - SCALE_BOTTOM), POINTER_SIZE = 0.2f;

void cyan(float x, float y, int alignment, const char* text) { synoptic_text(x, y, SCALE, alignment, EICAS_CYAN, text); }
void white(float x, float y, int alignment, const char* text) { synoptic_text(x, y, SCALE, alignment, EICAS_WHITE, text); }

void temperature_scale() {
  synoptic_line(SCALE_X, SCALE_TOP, SCALE_X, SCALE_BOTTOM, EICAS_WHITE);
  for (float y : {SCALE_TOP, (SCALE_TOP + SCALE_BOTTOM) / 2, SCALE_BOTTOM})
    synoptic_line(SCALE_X - SCALE_TICK, y, SCALE_X + SCALE_TICK, y, EICAS_WHITE);
  synoptic_triangle(SCALE_X - SCALE_TICK - POINTER_SIZE, POINTER_Y, POINTER_SIZE, POINTER_SIZE, -90.0f, EICAS_WHITE);
  synoptic_triangle(SCALE_X + SCALE_TICK + POINTER_SIZE, POINTER_Y, POINTER_SIZE, POINTER_SIZE, 90.0f, EICAS_WHITE);
}

}  // namespace

void mfd_ecs_page_draw() {
  const MfdRaw& r = g_mfd.raw;
  const MfdValues& v = g_mfd.value;
  char text[24];

  synoptic_return_label(0.32f, 0.55f);
  cyan(-6.61f, -2.01f, ALIGN_LEFT, "CAB TEMP");
  cyan(-2.76f, -2.0f, ALIGN_LEFT, "F");
  white(-2.13f, -1.99f, ALIGN_LEFT, "78");
  temperature_scale();
  white(-4.77f, -3.21f, ALIGN_LEFT, "H");
  white(-4.77f, -5.57f, ALIGN_LEFT, "C");
  cyan(-6.61f, -4.42f, ALIGN_LEFT, "CAB       CKPT");

  cyan(-2.76f, -3.6f, ALIGN_LEFT, "OXY QTY");
  white(-2.76f, -4.44f, ALIGN_LEFT, "754");
  cyan(-1.61f, -4.42f, ALIGN_LEFT, "LTRS");

  const char* const labels[] = {"CABIN RATE", "DELTA P", "CABIN ALT", "MANUAL RATE", "LDG ALT"};
  for (int i = 0; i < 5; ++i) cyan(ROW_LABEL_X, ROWS[i], ALIGN_LEFT, labels[i]);
  synoptic_cabin_rate(text, sizeof text, r.vertical_speed);
  white(ROW_READOUT_X, ROWS[0], ALIGN_RIGHT, text);
  white(ROW_READOUT_X, ROWS[1], ALIGN_RIGHT, "9.0");
  synoptic_whole(text, sizeof text, v.indicated_altitude * CABIN_ALTITUDE_FACTOR);
  white(ROW_READOUT_X, ROWS[2], ALIGN_RIGHT, text);
  white(ROW_READOUT_X, ROWS[3], ALIGN_RIGHT, "2200");
  white(ROW_READOUT_X, ROWS[4], ALIGN_RIGHT, "---");
}
