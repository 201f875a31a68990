// Autopilot annunciations above the attitude director, the glideslope scale
// and the marker beacon lights.
#include <GL/gl.h>

#include <cmath>

#include "framework/text.h"
#include "pfd/annunciator_logic.h"
#include "pfd/heading_logic.h"
#include "pfd/heading_shapes.h"
#include "pfd/pfd_draw_util.h"
#include "pfd/pfd_groups.h"
#include "pfd/pfd_state.h"
#include "simlink/cells.h"

namespace {
constexpr float MODE_SCALE = 0.109f;
constexpr Rgb ALERT_ORANGE = {0.933f, 0.596f, 0.0f};
constexpr double GLIDESLOPE_FULL_SCALE = 127.0;  // deviation units at the outer dots

Rgb rgb(const float* c) { return Rgb{c[0], c[1], c[2]}; }

void coupling_arrow(bool first_officer_coupled) {
  pfd_place(0, 9.87f, 30);
  glRotatef(first_officer_coupled ? 270.0f : 90.0f, 0, 0, 1);
  glScalef(1.24f, 1.16f, 1);
  pfd_set_colour(PFD_V2_GREEN);
  glLineWidth(2);
  pfd_small_arrow();
}

// Draws the annunciator when visible; returns its colour then.
bool draw_annunciator(const Annunciator& a, Rgb* colour) {
  if (!a.visible) return false;
  *colour = rgb(annunciator_colour(&a));
  pfd_place(a.x, a.y, 5);
  glScalef(a.scale, a.scale, 1);
  pfd_set_colour(*colour);
  print(PFD_FONT, ALIGN_CENTRED, "%s", a.text);
  return true;
}

void glideslope() {
  pfd_place(3.489f, 5.079f, 30);
  pfd_set_colour(PFD_WHITE);
  glLineWidth(2);
  static const float dots[] = {-1.698f, -0.679f, 0.679f, 1.698f};
  for (float y : dots) pfd_circle_outline(0, y, 0.12f, 16);
  glLineWidth(3);
  pfd_line(-0.19f, 0, 0.211f, 0);
  pfd_set_colour(PFD_GREEN);
  pfd_place(0.581f, 1.239f, 5);
  glScalef(MODE_SCALE, MODE_SCALE, 1);
  print(PFD_FONT, ALIGN_CENTRED, "GS");
  const double raw_deviation = std::isnan(g_pfd.raw.glideslope_deviation) ? 0.0 : g_pfd.raw.glideslope_deviation;
  const double deviation = clamp_readout(raw_deviation, -GLIDESLOPE_FULL_SCALE, GLIDESLOPE_FULL_SCALE);
  pfd_place(0.5939f, static_cast<float>(0.8467 - 0.0022 * deviation), 5);
  glLineWidth(2);
  static const float pointer[] = {0.013f, -0.025f, 0.013f, 0.025f, 0.059f, 0.0619f, 0.059f, -0.0619666f};
  pfd_line_loop(pointer, 4);
}

void marker(float x, float width, const char* letter, Rgb colour, float letter_width) {
  pfd_place(x, 1.54f, 30);
  glScalef(width, 0.66f, 1);
  pfd_boxed_square(0.1f, 0.1f, 0.9f, 0.9f);
  glTranslatef(0.49f, 0.23f, 0);
  glScalef(letter_width, 0.86f, 1);
  pfd_set_colour(colour);
  print(PFD_FONT, ALIGN_CENTRED, "%s", letter);
}
}  // namespace

void annunciators_init() {
  annunciator_make(&g_pfd.ap, "AP", -0.14f, 1.5f);
  annunciator_make(&g_pfd.yd, "YD", 0.154f, 1.5f);
}

void draw_annunciations() {
  if (!g_pfd.raw.avionics_master) return;
  const PfdRaw& raw = g_pfd.raw;
  coupling_arrow((raw.tcas_flags & TCAS_FLAG_FO_COUPLED) != 0);

  annunciator_step_ap(&g_pfd.ap, raw.autopilot_master != 0, g_pfd.tick_changed);
  annunciator_step_yd(&g_pfd.yd, raw.yaw_damper != 0, g_pfd.tick_changed);
  // The mode texts take the colour of the annunciator drawn last.
  Rgb mode_colour = PFD_V2_GREEN;
  draw_annunciator(g_pfd.ap, &mode_colour);
  draw_annunciator(g_pfd.yd, &mode_colour);

  ModeInputs in{};
  in.autopilot = raw.autopilot_master != 0;
  in.nav_hold = raw.nav_hold != 0;
  in.heading_hold = raw.heading_hold != 0;
  in.approach_hold = raw.approach_hold != 0;
  in.altitude_hold = raw.altitude_hold != 0;
  in.nav_gps_switch = raw.nav_gps_switch;
  in.nav1_localiser = g_pfd.value.nav1_localiser;
  in.vertical_speed_target = g_pfd.value.vertical_speed_target;
  pfd_set_colour(mode_colour);
  if (const char* lateral = lateral_mode_text(in)) {
    pfd_place(-0.2429f, 1.5809f, 5);
    glScalef(MODE_SCALE, MODE_SCALE, 1);
    print(PFD_FONT, ALIGN_CENTRED, "%s", lateral);
  }
  if (const char* vertical = vertical_mode_text(in)) {
    const bool alt = vertical[0] == 'A';
    pfd_place(alt ? 0.2478f : 0.2109f, 1.582f, 5);
    glScalef(MODE_SCALE, MODE_SCALE, 1);
    print(PFD_FONT, ALIGN_CENTRED, "%s", vertical);
  }

  if (raw.glideslope_alive) glideslope();
  if (raw.marker_outer) marker(2.14f, 0.66f, "O", PFD_CYAN, 0.86f);
  if (raw.marker_inner) marker(2.78f, 0.54f, "I", PFD_WHITE, 1.229f);
  if (raw.marker_middle) marker(3.33f, 0.66f, "M", ALERT_ORANGE, 0.86f);
}
