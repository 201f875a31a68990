// The round vertical speed dial at the lower right.
#include <GL/gl.h>

#include <cmath>

#include "framework/text.h"
#include "pfd/altitude_format.h"
#include "pfd/failure_pictures.h"
#include "pfd/heading_logic.h"
#include "pfd/heading_shapes.h"
#include "pfd/pfd_draw_util.h"
#include "pfd/pfd_groups.h"
#include "pfd/pfd_state.h"

namespace {
constexpr float DIAL_X = 8.259f, DIAL_Y = -3.759f, DIAL_DEPTH = 30.0f;
constexpr float DIAL_ROTATION = 40.99f, DIAL_SCALE = 0.3859f;
constexpr int DIAL_TICKS = 13;
constexpr float TICK_SPACING_DEG = 8.1f;
constexpr float TICK_INNER = 6.9f, TICK_LONG = 7.849f, TICK_SHORT = 7.321f;
constexpr double TARGET_LIMIT = 9900.0;

void dial() {
  pfd_place(DIAL_X, DIAL_Y, DIAL_DEPTH);
  glScalef(DIAL_SCALE, DIAL_SCALE, 1);
  pfd_set_colour(PFD_WHITE);
  glLineWidth(2);
  pfd_arc_strip(0, 0, 1.11f, 2.13f, 4.109f, 20);
  glRotatef(DIAL_ROTATION, 0, 0, 1);
  // Ticks every 500 ft/min from +3000 (top) to -3000; labels at the long ones.
  static const char* const labels[] = {"3", "2", "1", "0", "1", "2", "3"};
  for (int k = 0; k < DIAL_TICKS; k++) {
    const float a = (90.0f + TICK_SPACING_DEG * k) * 0.01745329f;
    const bool long_tick = k % 2 == 0;
    const float outer = long_tick ? TICK_LONG : TICK_SHORT;
    pfd_line(TICK_INNER * std::cos(a), TICK_INNER * std::sin(a), outer * std::cos(a), outer * std::sin(a));
    if (long_tick) {
      glPushMatrix();
      glTranslatef(5.9f * std::cos(a), 5.9f * std::sin(a) - 0.35f, 0);
      glRotatef(-DIAL_ROTATION, 0, 0, 1);
      glScalef(1.0f, 1.0f, 1);
      print(PFD_FONT, ALIGN_CENTRED, "%s", labels[k / 2]);
      glPopMatrix();
    }
  }
}

// Needle and target bug point left from the dial centre at zero.
void needle(double rotation, float length) {
  pfd_place(DIAL_X, DIAL_Y, DIAL_DEPTH);
  glScalef(DIAL_SCALE, DIAL_SCALE, 1);
  glRotatef(static_cast<float>(rotation), 0, 0, 1);
  pfd_line(-1.2f, 0, -length, 0);
}
}  // namespace

void draw_vertical_speed_group() {
  dial();
  if (!g_pfd.raw.avionics_master) {
    draw_vertical_speed_failure();
    return;
  }
  const double vs = g_pfd.value.vertical_speed;
  pfd_set_colour(PFD_WHITE);
  glLineWidth(3);
  needle(vertical_speed_rotation(vs), TICK_SHORT);
  int shown = 0;
  if (vertical_speed_digits(vs, &shown)) {
    pfd_place(10.748f, -6.729f, 51.19f);
    pfd_set_colour(PFD_WHITE);
    print(PFD_FONT, ALIGN_RIGHT, "%d", shown);
  }
  const int target = g_pfd.value.vertical_speed_target;
  pfd_set_colour(PFD_MAGENTA);
  if (target != 0) {
    pfd_place(DIAL_X, DIAL_Y, DIAL_DEPTH);
    glScalef(DIAL_SCALE, DIAL_SCALE, 1);
    glRotatef(static_cast<float>(vertical_speed_rotation(target)), 0, 0, 1);
    glTranslatef(-TICK_LONG, 0, 0);
    glScalef(0.74f, 0.74f, 1);
    glLineWidth(2);
    // A notched bug outside the scale, its V pointing at the dial centre.
    static const float bug[] = {0, -0.5f, -0.6f, -0.5f, -0.6f, 0.5f, 0, 0.5f, 0, 0.2f, -0.3f, 0, 0, -0.2f};
    pfd_line_loop(bug, 7);
    pfd_place(10.748f, -2.2f, 51.19f);
    pfd_set_colour(PFD_MAGENTA);
    print(PFD_FONT, ALIGN_RIGHT, "%d", static_cast<int>(clamp_readout(target, -TARGET_LIMIT, TARGET_LIMIT)));
  } else {
    pfd_place(10.748f, -2.2f, 51.19f);
    print(PFD_FONT, ALIGN_RIGHT, "_ _ _");
  }
}
