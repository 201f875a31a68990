// The engine instrument layer: two columns, left engine first.
#include <GL/gl.h>

#include <cmath>

#include "framework/text.h"
#include "mfd/alert_inputs.h"
#include "mfd/eicas_draw.h"
#include "mfd/eicas_logic.h"
#include "mfd/mfd_state.h"
#include "mfd/mfd_unit.h"

namespace {

constexpr float DIAL_RADIUS = 1.389f;
constexpr float DIAL_SWEEP_DEG = 203.0f;
// A pointer is a line up from the centre turned by value x rate + offset
// degrees, so that zero sits at 22 degrees and the sweep runs clockwise.
constexpr float POINTER_OFFSET_DEG = -68.0f;
constexpr float N1_RATE_DEG = -2.02f;
constexpr float ITT_RATE_DEG = -0.1992f;
constexpr float N1_LIMIT_RATE_DEG = -1.996f;
constexpr float N1_LIMIT_OFFSET_DEG = 109.9f;
constexpr float N1_LIMIT_MARKER_OUT = 1.629f;
constexpr int ARC_SEGMENTS = 48;
constexpr float RADIANS_PER_DEGREE = 3.14159265f / 180.0f;
constexpr float DIAL_LINE_WIDTH = 2.0f;
constexpr float SEPARATOR_LINE_WIDTH = 3.0f;

struct Point { float x, y; };
struct EngineColumn {
  Point n1_dial, itt_dial, n1_box, itt_box, n1_readout, itt_readout, ign, man, n1_limit;
  Point n2, oil_pressure, oil_pressure_box, oil_temperature, oil_temperature_box, fuel_flow;
};
constexpr EngineColumn COLUMNS[2] = {
    {{-5.08f, 8.06f}, {-5.08f, 5.21f}, {-6.19f, 9.34f}, {-6.19f, 6.49f}, {-4.61f, 8.71f}, {-4.61f, 5.9f},
     {-5.11f, 7.02f}, {-4.83f, 7.15f}, {-4.15f, 7.95f},
     {-4.88f, 3.19f}, {-4.88f, 2.57f}, {-5.6f, 2.45f}, {-4.88f, 1.9f}, {-5.6f, 1.8f}, {-4.88f, 1.23f}},
    {{-0.67f, 8.06f}, {-0.67f, 5.21f}, {-1.74f, 9.34f}, {-1.74f, 6.49f}, {-0.15f, 8.71f}, {-0.15f, 5.9f},
     {-0.67f, 6.95f}, {-0.45f, 7.15f}, {0.24f, 7.95f},
     {-0.45f, 3.19f}, {-0.45f, 2.57f}, {-1.16f, 2.46f}, {-0.45f, 1.9f}, {-1.16f, 1.8f}, {-0.45f, 1.23f}},
};
constexpr Point RED_SEPARATORS[] = {{-6.18f, 8.09f}, {-1.75f, 8.09f}, {-6.18f, 5.24f}, {-1.75f, 5.24f}};
constexpr Point AMBER_SEPARATORS[] = {{-6.22f, 5.16f}, {-1.79f, 5.16f}};
constexpr float RED_SEPARATOR_LENGTH = 0.349f, AMBER_SEPARATOR_LENGTH = 0.3f;
constexpr float VALUE_BOX_W = 2.089f, VALUE_BOX_H = -0.75f;
constexpr float OIL_BOX_W = 1.12f, OIL_BOX_H = 0.58f;
constexpr float FLAPS_BOX_X = 5.33f, FLAPS_BOX_Y = -1.24f, FLAPS_BOX_W = 1.45f, FLAPS_BOX_H = 0.66f;

struct RowLabel { const char* text; Point at; float scale; int alignment; };
constexpr RowLabel ROW_LABELS[] = {
    {"N1", {-2.78f, 8.77f}, 0.73f, ALIGN_RIGHT},      {"ITT", {-2.78f, 5.91f}, 0.73f, ALIGN_RIGHT},
    {"N2", {-2.9f, 3.24f}, 0.62f, ALIGN_CENTRED},     {"OIL PSI", {-2.9f, 2.57f}, 0.62f, ALIGN_CENTRED},
    {"OIL  C", {-2.81f, 1.9f}, 0.62f, ALIGN_CENTRED}, {"FF PPH", {-2.81f, 1.23f}, 0.62f, ALIGN_CENTRED},
    {"FUEL", {-4.92f, 0.02f}, 0.62f, ALIGN_CENTRED},  {"LBS", {-0.12f, 0.02f}, 0.62f, ALIGN_CENTRED},
    {"L", {-6.13f, -0.879f}, 0.62f, ALIGN_CENTRED},   {"F", {-3.44f, -0.879f}, 0.62f, ALIGN_CENTRED},
    {"R", {-0.75f, -0.879f}, 0.62f, ALIGN_CENTRED},   {"SAT  C", {4.66f, 0.28f}, 0.55f, ALIGN_RIGHT},
    {"PITCH TRIM", {4.66f, -0.43f}, 0.55f, ALIGN_RIGHT}, {"FLAPS", {4.66f, -1.139f}, 0.55f, ALIGN_RIGHT},
};

constexpr float READOUT_SCALE = 0.6f;
constexpr float DIAL_READOUT_SCALE = 0.78f;
constexpr float ANNUNCIATION_SCALE = 0.73f;
constexpr float IGN_SCALE = 0.61f;

void line(float x1, float y1, float x2, float y2) {
  glBegin(GL_LINES);
  glVertex2f(x1, y1);
  glVertex2f(x2, y2);
  glEnd();
}

void outline_box(Point at, float w, float h) {
  eicas_place(at.x, at.y);
  glScalef(w, h, 1.0f);
  glCallList(g_mfd.lists.unit_square_outline);
}

// The arc from the zero pointer clockwise over the dial's sweep.
void dial_arc(Point centre) {
  eicas_place(centre.x, centre.y);
  const float start = 90.0f + POINTER_OFFSET_DEG;
  glBegin(GL_LINE_STRIP);
  for (int i = 0; i <= ARC_SEGMENTS; ++i) {
    const float deg = start - DIAL_SWEEP_DEG * static_cast<float>(i) / ARC_SEGMENTS;
    const float rad = deg * RADIANS_PER_DEGREE;
    glVertex2f(DIAL_RADIUS * std::cos(rad), DIAL_RADIUS * std::sin(rad));
  }
  glEnd();
}

// Non-finite values leave the pointer out.
void pointer(Point centre, double value, float rate) {
  if (!std::isfinite(value)) return;
  const double turned = std::fmod(value * rate + POINTER_OFFSET_DEG, 360.0);
  eicas_place(centre.x, centre.y);
  glRotatef(static_cast<float>(turned), 0, 0, 1);
  line(0, 0, 0, DIAL_RADIUS);
}

void n1_limit_marker(Point centre, double limit) {
  eicas_place(centre.x, centre.y);
  glRotatef(180.0f + static_cast<float>(limit * N1_LIMIT_RATE_DEG) + N1_LIMIT_OFFSET_DEG, 0, 0, 1);
  glTranslatef(0, N1_LIMIT_MARKER_OUT, 0);
  // Pointing in at the arc.
  glBegin(GL_TRIANGLES);
  glVertex2f(-0.14f, 0.2f);
  glVertex2f(0.14f, 0.2f);
  glVertex2f(0, -0.04f);
  glEnd();
}

void whole_readout(Point at, float scale, int alignment, double value, ReadoutRange range) {
  char text[32];
  if (eicas_format_whole(text, sizeof text, value, range)) eicas_text(at.x, at.y, scale, alignment, MFD_FONT_SLOT_NORMAL, text);
}

void fixed_readout(Point at, float scale, int alignment, double value, int width, int decimals, ReadoutRange range) {
  char text[32];
  if (eicas_format_fixed(text, sizeof text, value, width, decimals, range)) eicas_text(at.x, at.y, scale, alignment, MFD_FONT_SLOT_NORMAL, text);
}

void draw_box(EicasBox box, Point at) {
  if (box == EICAS_BOX_NONE) return;
  eicas_colour(box == EICAS_BOX_RED ? EICAS_RED : EICAS_AMBER);
  outline_box(at, OIL_BOX_W, OIL_BOX_H);
}

struct EngineValues {
  double n1, n2, itt, oil_pressure, oil_temperature, fuel_flow;
  int32_t starter;
};

EngineValues engine(int side) {
  const MfdValues& v = g_mfd.value;
  const MfdRaw& r = g_mfd.raw;
  if (side == ENGINE_LEFT)
    return {v.left_n1, v.left_n2, v.left_itt, v.left_oil_pressure, v.left_oil_temperature, r.left_fuel_flow,
            r.left_starter_switch};
  return {v.right_n1, v.right_n2, v.right_itt, v.right_oil_pressure, v.right_oil_temperature, r.right_fuel_flow,
          r.right_starter_switch};
}

void draw_static_marks() {
  glLineWidth(SEPARATOR_LINE_WIDTH);
  eicas_colour(EICAS_RED);
  for (Point p : RED_SEPARATORS) {
    eicas_place(p.x, p.y);
    line(0, 0, -RED_SEPARATOR_LENGTH, 0);
  }
  eicas_colour(EICAS_AMBER);
  for (Point p : AMBER_SEPARATORS) {
    eicas_place(p.x, p.y);
    line(0, 0, -AMBER_SEPARATOR_LENGTH, 0);
  }
  glLineWidth(1.0f);
  eicas_colour(EICAS_CYAN);
  for (const RowLabel& l : ROW_LABELS) eicas_text(l.at.x, l.at.y, l.scale, l.alignment, MFD_FONT_SLOT_NORMAL, l.text);
}

void draw_engine(int side, bool manual_n1, bool limit_shown, double limit) {
  const EngineColumn& c = COLUMNS[side];
  const EngineValues e = engine(side);
  const bool n1_red = eicas_n1_red(e.n1);
  const EicasColour n1_colour = n1_red ? EICAS_RED : EICAS_WHITE;

  glLineWidth(DIAL_LINE_WIDTH);
  eicas_colour(n1_colour);
  dial_arc(c.n1_dial);
  pointer(c.n1_dial, e.n1, N1_RATE_DEG);
  eicas_colour(EICAS_WHITE);
  dial_arc(c.itt_dial);
  pointer(c.itt_dial, e.itt, ITT_RATE_DEG);
  eicas_colour(n1_red ? EICAS_RED : EICAS_CYAN);
  outline_box(c.n1_box, VALUE_BOX_W, VALUE_BOX_H);
  eicas_colour(EICAS_CYAN);
  outline_box(c.itt_box, VALUE_BOX_W, VALUE_BOX_H);
  glLineWidth(1.0f);

  eicas_colour(n1_colour);
  fixed_readout(c.n1_readout, DIAL_READOUT_SCALE, ALIGN_RIGHT, e.n1, 3, 1, READOUT_PERCENT);
  eicas_colour(EICAS_WHITE);
  whole_readout(c.itt_readout, DIAL_READOUT_SCALE, ALIGN_RIGHT, e.itt, READOUT_ITT);
  eicas_colour(eicas_n2_colour(e.n2));
  fixed_readout(c.n2, READOUT_SCALE, ALIGN_RIGHT, e.n2, 3, 2, READOUT_PERCENT);

  draw_box(std::isfinite(e.oil_pressure) ? eicas_oil_pressure_box(e.oil_pressure, side, g_mfd.sim_version)
                                         : EICAS_BOX_NONE,
           c.oil_pressure_box);
  draw_box(std::isfinite(e.oil_temperature) ? eicas_oil_temperature_box(e.oil_temperature) : EICAS_BOX_NONE,
           c.oil_temperature_box);
  eicas_colour(EICAS_WHITE);
  whole_readout(c.oil_pressure, READOUT_SCALE, ALIGN_RIGHT, e.oil_pressure, READOUT_OIL);
  whole_readout(c.oil_temperature, READOUT_SCALE, ALIGN_RIGHT, e.oil_temperature, READOUT_TEMPERATURE);
  whole_readout(c.fuel_flow, READOUT_SCALE, ALIGN_RIGHT, e.fuel_flow, READOUT_FUEL_FLOW);

  if (e.starter == 1) {
    eicas_colour(EICAS_GREEN);
    eicas_text(c.ign.x, c.ign.y, IGN_SCALE, ALIGN_CENTRED, MFD_FONT_SLOT_NORMAL, "IGN");
  }
  if (manual_n1) {
    eicas_colour(EICAS_WHITE);
    eicas_text(c.man.x, c.man.y, ANNUNCIATION_SCALE, ALIGN_CENTRED, MFD_FONT_SLOT_NORMAL, "MAN");
  }
  if (limit_shown) {
    eicas_colour(EICAS_MAGENTA);
    fixed_readout(c.n1_limit, ANNUNCIATION_SCALE, ALIGN_RIGHT, limit, 3, 1, READOUT_PERCENT);
    n1_limit_marker(c.n1_dial, limit);
  }
}

void draw_fuel_and_aircraft(bool high_power) {
  const MfdValues& v = g_mfd.value;
  eicas_colour(EICAS_WHITE);
  whole_readout({-4.85f, -0.89f}, READOUT_SCALE, ALIGN_CENTRED, v.left_tank_lb, READOUT_FUEL_LB);
  whole_readout({-2.04f, -0.89f}, READOUT_SCALE, ALIGN_CENTRED, v.fuselage_tank_lb, READOUT_FUEL_LB);
  whole_readout({0.49f, -0.89f}, READOUT_SCALE, ALIGN_CENTRED, v.right_tank_lb, READOUT_FUEL_LB);
  whole_readout({-2.35f, 0.0f}, READOUT_SCALE, ALIGN_CENTRED, v.total_fuel_lb, READOUT_FUEL_LB);
  whole_readout({6.29f, 0.28f}, READOUT_SCALE, ALIGN_RIGHT, v.air_temperature, READOUT_TEMPERATURE);
  fixed_readout({6.29f, -0.43f}, READOUT_SCALE, ALIGN_RIGHT, v.pitch_trim, 2, 1, READOUT_TRIM);
  char flaps[16];
  eicas_format_whole(flaps, sizeof flaps, eicas_flaps_shown(v.flap_angle), {0, 40});
  eicas_text(6.29f, -1.13f, READOUT_SCALE, ALIGN_RIGHT, MFD_FONT_SLOT_NORMAL, flaps);
  if (eicas_flaps_boxed(v.flap_angle, high_power)) {
    glLineWidth(DIAL_LINE_WIDTH);
    outline_box({FLAPS_BOX_X, FLAPS_BOX_Y}, FLAPS_BOX_W, FLAPS_BOX_H);
    glLineWidth(1.0f);
  }
  if (v.sync) {
    eicas_colour(g_mfd.raw.gear_control != 0 ? EICAS_AMBER : EICAS_GREEN);
    eicas_text(-2.51f, 8.2f, ANNUNCIATION_SCALE, ALIGN_CENTRED, MFD_FONT_SLOT_NORMAL, "SYNC");
  }
}

}  // namespace

void eicas_colour(const EicasColour& c) { glColor3f(c.r, c.g, c.b); }

void eicas_place(float x, float y) {
  glLoadIdentity();
  glTranslatef(x, y, -EICAS_DEPTH);
}

void eicas_text(float x, float y, float scale, int alignment, int slot, const char* text) {
  eicas_place(x, y);
  glScalef(scale, scale, scale);
  print(slot, alignment, "%s", text);
}

void eicas_draw_engines() {
  const MfdValues& v = g_mfd.value;
  const AlertDerived d = alert_derived(mfd_alert_inputs(g_mfd.raw, v, g_mfd.power));
  const bool manual_n1 = (g_mfd.raw.alert_cell & ALERT_MANUAL_N1) != 0;
  const N1LimitInputs limit_in = {manual_n1, v.on_ground, {d.running[0], d.running[1]},
                                  {v.left_thrust_lever, v.right_thrust_lever}, v.flap_angle};
  const bool limit_shown = eicas_n1_limit_shown(limit_in);
  const double limit = eicas_n1_limit(v.outside_air_temperature, v.indicated_altitude);
  draw_static_marks();
  for (int side = 0; side < 2; ++side) draw_engine(side, manual_n1, limit_shown, limit);
  draw_fuel_and_aircraft(d.high_power);
}
