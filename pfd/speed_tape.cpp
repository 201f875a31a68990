// The airspeed group: tape, limit bars, trend, readout with its rolling
// units drum, V-speed references, target bug and readouts.
#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "framework/text.h"
#include "pfd/pfd_convert.h"
#include "pfd/pfd_draw_util.h"
#include "pfd/pfd_groups.h"
#include "pfd/pfd_state.h"
#include "pfd/speed_tape_logic.h"
#include "simlink/cells.h"

static const float TAPE_DEPTH = 7.7f;
static const float TICK_SPACING = 0.2216f;     // 0.02216 per knot, not 0.022
static const float BAR_DEPTH = 10.0f;
static const float BAR_ORIGIN_X = -2.864f;
static const float DRUM_DEPTH = 33.59f;
static const float TAPE_LABEL_SCALE = 0.173f;

static float clampf(double v, double lo, double hi) { return static_cast<float>(v < lo ? lo : (v > hi ? hi : v)); }

static void tape_clip() { pfd_clip_box(0.127f, 0.546f, 0.103f, 0.328f); }

static void tape_background() {
  tape_clip();
  pfd_place(-1.711f, 0.291f, TAPE_DEPTH);
  pfd_set_colour(PFD_GREY);
  const float quad[] = {0, 0, 0.468f, 0, 0.468f, 2.0839f, 0, 2.0839f};
  pfd_fill_polygon(quad, 4);
}

static void tape_label(float y, float dx, const char* format, int value) {
  pfd_place(-1.35f + dx, y - 0.058f, TAPE_DEPTH);
  glScalef(TAPE_LABEL_SCALE, TAPE_LABEL_SCALE, TAPE_LABEL_SCALE);
  print(PFD_FONT, ALIGN_RIGHT, format, value);
}

static void knots_tape() {
  const double ias = g_pfd.value.ias;
  const float d = clampf(ias * -0.022 + 1.084, -20.22, 0.2);
  pfd_set_colour(PFD_WHITE);
  glLineWidth(1.5f);
  for (int i = 0; i <= 99; ++i) {
    if (std::fabs(10.0 * i - ias) > 100.0) continue;
    float y = d + TICK_SPACING * (i + 1);
    pfd_place(-1.35f, y, TAPE_DEPTH);
    pfd_line(0, 0, 0.1f, 0);
    if (i % 2 == 0 && i > 5) tape_label(y, -0.097f, "%d", 10 * i);
  }
}

static void mach_tape() {
  const double mach = g_pfd.value.mach;
  const float d = clampf(mach, 0.4, 1.1) * -11.0f + 1.06f;
  pfd_set_colour(PFD_WHITE);
  glLineWidth(1.5f);
  for (int i = 0; i < 55; ++i) {
    double value = 0.02 * i;
    if (std::fabs(value - mach) > 0.2) continue;
    float y = d + TICK_SPACING * (i + 1);
    pfd_place(-1.35f, y, TAPE_DEPTH);
    pfd_line(0, 0, 0.1f, 0);
    if (i % 2 == 1) {
      pfd_place(-1.35f - 0.1369f, y - 0.058f, TAPE_DEPTH);
      glScalef(TAPE_LABEL_SCALE, TAPE_LABEL_SCALE, TAPE_LABEL_SCALE);
      print(PFD_FONT, ALIGN_RIGHT, ".%2.0f", value * 100.0);
    }
  }
}

static void target_readout(bool live) {
  pfd_no_clip();
  // At depth 25.7 a baseline at 11.35 lies above the top edge (the visible
  // half-height there is 10.65); the readout shares the digits' depth instead.
  pfd_place(-6.42f, 11.35f, DRUM_DEPTH);
  if (!live) {
    pfd_set_colour(PFD_AMBER);
    print(PFD_FONT, ALIGN_RIGHT, "- - -");
    return;
  }
  pfd_set_colour(PFD_MAGENTA);
  if (g_pfd.raw.airspeed_target == 0 || g_pfd.value.vertical_speed_target != 0)
    print(PFD_FONT, ALIGN_RIGHT, "_ _ _");
  else if (g_pfd.speed.mach_tape)
    print(PFD_FONT, ALIGN_RIGHT, "%1.2f", g_pfd.value.mach_target);
  else
    print(PFD_FONT, ALIGN_RIGHT, "%d", static_cast<int>(g_pfd.raw.airspeed_target));
}

static void trend_line() {
  pfd_no_clip();
  const double ias = g_pfd.value.ias;
  pfd_place(BAR_ORIGIN_X, 0, BAR_DEPTH);
  pfd_set_colour(PFD_MAGENTA);
  glLineWidth(4);
  pfd_line(1.306f, 1.698f, 1.306f, 1.698f + clampf((g_pfd.speed.trend_speed - ias) * 0.02925, -1.325, 1.4));
}

static void limit_bars() {
  pfd_no_clip();
  const SpeedTapeState& s = g_pfd.speed;
  const double ias = g_pfd.value.ias, mach = g_pfd.value.mach;
  pfd_place(BAR_ORIGIN_X, 0, BAR_DEPTH);
  pfd_set_colour(PFD_RED);
  glLineWidth(8);
  const float x = 1.236f;
  if (!s.mach_tape) {
    pfd_line(x, clampf((s.max_allowable_speed - ias) * 0.0287 + 1.6982, 0.3785, 3.091), x, 3.09f);
    if (!g_pfd.value.on_ground)
      pfd_line(x, clampf((g_pfd.config.vmin - ias) * 0.0287 + 1.6982, 0.38, 3.091), x, 0.38f);
  } else {
    pfd_line(x, clampf((s.vmin_mach - mach) * 14.5 + 1.7186, 0.38, 3.091), x, 0.38f);
    pfd_line(x, clampf((s.flap_limited_mach - mach) * 14.375 + 1.7501, 0.3785, 3.091), x, 3.09f);
  }
}

static Rgb outline_colour(ReadoutColour c) {
  return c == READOUT_AMBER ? PFD_AMBER : (c == READOUT_RED ? PFD_RED : PFD_CYAN);
}
static Rgb digit_colour(ReadoutColour c) {
  return c == READOUT_AMBER ? PFD_AMBER : (c == READOUT_RED ? PFD_RED : PFD_WHITE);
}

static void readout_box(ReadoutColour colour) {
  pfd_no_clip();
  pfd_place(-1.089f, 0.7179f, 5);
  glScalef(0.2699f, 0.2699f, 0.2699f);
  const float left[] = {0, 0.241f, 0.527f, 0.241f, 0.527f, 0.726f, 0, 0.726f};
  const float right[] = {0.527f, 0, 0.869f, 0, 0.869f, 0.394f, 1, 0.5f, 0.869f, 0.606f, 0.869f, 1, 0.527f, 1};
  const float outline[] = {0, 0.241f, 0.527f, 0.241f, 0.527f, 0, 0.869f, 0, 0.869f, 0.394f, 1, 0.5f,
                           0.869f, 0.606f, 0.869f, 1, 0.527f, 1, 0.527f, 0.726f, 0, 0.726f};
  pfd_set_colour(PFD_BLACK);
  pfd_fill_polygon(left, 4);
  pfd_fill_polygon(right, 7);
  pfd_set_colour(outline_colour(colour));
  glLineWidth(2);
  pfd_line_loop(outline, 11);
}

static void readout_digits(ReadoutColour colour) {
  pfd_set_colour(digit_colour(colour));
  float drum_top;
  double units;
  if (!g_pfd.speed.mach_tape) {
    const double ias = g_pfd.value.ias;
    pfd_no_clip();
    pfd_place(-6.739f, static_cast<float>(READOUT_BASELINE), DRUM_DEPTH);
    print(PFD_FONT, ALIGN_RIGHT, "%d", speed_readout_tens(ias));
    units = ias - std::floor(ias / 10.0) * 10.0;
    drum_top = static_cast<float>(DRUM_TOP - DRUM_PER_UNIT * units);
  } else {
    const double hundredths = g_pfd.value.mach * 100.0;
    pfd_no_clip();
    pfd_place(-6.95f, static_cast<float>(READOUT_BASELINE), DRUM_DEPTH);
    print(PFD_FONT, ALIGN_RIGHT, ".%d", mach_readout_tenths(g_pfd.value.mach));
    units = hundredths - std::floor(hundredths / 10.0) * 10.0;
    drum_top = static_cast<float>(DRUM_TOP - DRUM_PER_UNIT * units);
  }
  static const char column[] = "10987654321098";
  pfd_clip_box(0.17499f, 0.6759f, 0.0349f, 0.06289f);
  // Only the row in the window and its neighbours can show through the clip box.
  const int row = speed_drum_row(units);
  for (int k = std::max(0, row - 2); k <= std::min(13, row + 2); ++k) {
    pfd_place(-6.2829f, drum_top - k * static_cast<float>(DRUM_STEP), DRUM_DEPTH);
    print(PFD_FONT, ALIGN_RIGHT, "%c", column[k]);
  }
  pfd_no_clip();
}

static void v_speeds() {
  pfd_no_clip();
  const double ias = g_pfd.value.ias;
  struct Ref { int32_t speed; Rgb colour; const char* tag; float list_y; };
  const Ref refs[] = {{g_pfd.config.v1, PFD_WHITE, "1", 1.26f},
                      {g_pfd.config.vr, PFD_CYAN, "R", 1.72f},
                      {g_pfd.config.v2, PFD_V2_GREEN, "2", 2.16f}};
  if (ias <= 40.0) {
    for (const Ref& r : refs) {
      pfd_place(-5.27f, r.list_y, 30);
      glScalef(0.61f, 0.61f, 0.61f);
      pfd_set_colour(r.colour);
      print(PFD_FONT, ALIGN_RIGHT, "%d-| %s", r.speed, r.tag);
    }
    return;
  }
  if (g_pfd.speed.mach_tape) return;
  const double clamped = std::min(std::max(ias, 40.0), 1000.0);
  for (const Ref& r : refs) {
    if (std::fabs(r.speed - clamped) > 45.0) continue;
    pfd_place(-4.39f, static_cast<float>((r.speed - clamped) * 0.0868 + 4.9631), 30);
    glScalef(0.56f, 0.56f, 0.56f);
    pfd_set_colour(r.colour);
    print(PFD_FONT, ALIGN_RIGHT, "--| %s", r.tag);
  }
}

static void target_bug() {
  const bool hold = g_pfd.raw.airspeed_hold || g_pfd.raw.mach_hold;
  if (!hold || g_pfd.value.vertical_speed_target != 0) return;
  float y;
  if (!g_pfd.speed.mach_tape) {
    const double ias = std::min(std::max<double>(g_pfd.value.ias, 40.0), 1000.0);
    y = clampf((g_pfd.raw.airspeed_target - ias) * 0.0885 + 4.7494, 0.6199, 9.0299);
  } else {
    y = clampf((g_pfd.value.mach_target - g_pfd.value.mach) * 44.315 + 4.833, 0.6199, 9.0299);
  }
  pfd_clip_box(0.204f, 0.5459f, 0.0349f, 0.3269f);
  pfd_place(-4.94f, y, 30.8f);
  pfd_set_colour(PFD_MAGENTA);
  // A notched bug whose notch points at the tape.
  const float bug[] = {0, 0, 0.18f, 0.22f, 0.5f, 0.22f, 0.5f, -0.22f, 0.18f, -0.22f};
  pfd_fill_polygon(bug, 5);
  pfd_no_clip();
}

static void lower_readout() {
  pfd_no_clip();
  const double mach = g_pfd.value.mach;
  pfd_set_colour(PFD_WHITE);
  pfd_place(-1.098f, 0.0879f, 5);
  if (!g_pfd.speed.mach_tape && mach > 0.38) {
    glScalef(0.1098f, 0.1098f, 0.1098f);
    if (mach >= 1.0) print(PFD_FONT, ALIGN_LEFT, "%1.2f M", mach);
    else print(PFD_FONT, ALIGN_LEFT, ".%d M", static_cast<int>(mach * 1000.0));
  } else if (g_pfd.value.on_ground) {
    glScalef(0.0997f, 0.0997f, 0.0997f);
    print(PFD_FONT, ALIGN_LEFT, "%d KTS", g_pfd.value.ground_speed);
  } else if (g_pfd.speed.mach_tape) {
    glScalef(0.0997f, 0.0997f, 0.0997f);
    print(PFD_FONT, ALIGN_LEFT, "%d KTS", static_cast<int>(g_pfd.value.ias));
  }
}

void draw_speed_group() {
  speed_tape_update(&g_pfd.speed, g_pfd.value, g_pfd.raw.outside_temperature, g_pfd.config,
                    g_pfd.raw.alert_cell & ALERT_PFD_CONTROL);
  glDisable(GL_TEXTURE_2D);
  const bool live = g_pfd.raw.avionics_master != 0;
  tape_background();
  if (live) {
    if (g_pfd.speed.mach_tape) mach_tape();
    else knots_tape();
  }
  target_readout(live);
  ReadoutColour colour = speed_readout_colour(g_pfd.speed, g_pfd.value, g_pfd.config);
  if (live) {
    if (speed_trend_shown(g_pfd.speed, g_pfd.value)) trend_line();
    limit_bars();
  }
  readout_box(live ? colour : READOUT_NORMAL);
  if (live && g_pfd.value.ias > 40.0f) {
    readout_digits(colour);
    lower_readout();
  }
  if (live) {
    v_speeds();
    target_bug();
  }
  pfd_no_clip();
  glLineWidth(1);
}
