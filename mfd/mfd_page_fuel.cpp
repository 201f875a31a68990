// The FUEL synoptic page of the systems menu: pounds on board, the three
// tanks with their gauges, and the fuel used.
#include "mfd/mfd_page_parts.h"

#include <algorithm>
#include <cmath>

#include "framework/text.h"
#include "mfd/mfd_state.h"
#include "mfd/synoptic_draw.h"

namespace {

constexpr float LABEL_SCALE = 0.6f;
constexpr float TANK_BOX_W = 1.3f, TANK_BOX_H = 0.64f, TANK_BOX_BELOW = 0.12f;

// A tank gauge: an upright outline with a pointed cap, and a pointer beside
// it at level % / 100 x span + bottom (0 % at the bottom, 100 % at the top).
struct Gauge {
  float x;               // left side of the outline
  float span, bottom;
  float pointer_side;    // +1 pointer right of the outline, -1 left
};
constexpr Gauge LEFT_GAUGE = {-6.35f, 1.589f, -3.679f, 1};
constexpr Gauge RIGHT_GAUGE = {6.05f, 1.589f, -4.14f, -1};
constexpr Gauge FUSELAGE_GAUGE = {1.55f, 1.45f, -5.109f, 1};
constexpr float GAUGE_W = 0.3f, CAP_H = 0.2f, POINTER_SIZE = 0.2f;

void gauge(const Gauge& g, double fraction, const EicasColour& pointer_colour) {
  synoptic_box(g.x, g.bottom, GAUGE_W, g.span, EICAS_CYAN);
  synoptic_triangle(g.x + GAUGE_W / 2, g.bottom + g.span, GAUGE_W, CAP_H, 0, EICAS_CYAN);
  if (!std::isfinite(fraction)) return;
  const float level = static_cast<float>(std::clamp(fraction, 0.0, 1.0)) * g.span + g.bottom;
  const float edge = g.pointer_side > 0 ? g.x + GAUGE_W : g.x;
  // Points at the outline from outside.
  synoptic_triangle(edge + g.pointer_side * POINTER_SIZE, level, POINTER_SIZE, POINTER_SIZE,
                    g.pointer_side > 0 ? 90.0f : -90.0f, pointer_colour);
}

void tank(float x, float y, double pounds, bool low) {
  char text[24];
  synoptic_whole(text, sizeof text, pounds);
  synoptic_text(x, y, LABEL_SCALE, ALIGN_CENTRED, low ? EICAS_AMBER : EICAS_WHITE, text);
  synoptic_box(x - TANK_BOX_W / 2, y - TANK_BOX_BELOW, TANK_BOX_W, TANK_BOX_H, low ? EICAS_AMBER : EICAS_CYAN);
}

}  // namespace

void mfd_fuel_page_draw() {
  const MfdValues& v = g_mfd.value;
  const bool left_low = synoptic_tank_low(v.left_tank_lb);
  const bool right_low = synoptic_tank_low(v.right_tank_lb);
  char text[24];

  synoptic_return_label(4.04f, 0.55f);
  synoptic_text(2.16f, -1.95f, LABEL_SCALE, ALIGN_RIGHT, EICAS_CYAN, "LBS ON BOARD");
  synoptic_whole(text, sizeof text, v.total_fuel_lb);
  synoptic_text(-1.4f, -1.95f, LABEL_SCALE, ALIGN_RIGHT, EICAS_WHITE, text);

  synoptic_text(-3.39f, -3.0f, LABEL_SCALE, ALIGN_RIGHT, EICAS_CYAN, "L WING");
  synoptic_text(4.39f, -3.0f, LABEL_SCALE, ALIGN_RIGHT, EICAS_CYAN, "R WING");
  tank(-3.99f, -3.69f, v.left_tank_lb, left_low);
  tank(3.79f, -3.69f, v.right_tank_lb, right_low);
  synoptic_text(0.9f, -4.09f, LABEL_SCALE, ALIGN_RIGHT, EICAS_CYAN, "FUSELAGE");
  tank(-0.2f, -4.69f, v.fuselage_tank_lb, false);

  synoptic_text(-2.63f, -2.79f, 1.0f, ALIGN_LEFT, EICAS_WHITE, "-----------");
  gauge(LEFT_GAUGE, v.left_tank_fraction, left_low ? EICAS_AMBER : EICAS_WHITE);
  gauge(RIGHT_GAUGE, v.right_tank_fraction, right_low ? EICAS_AMBER : EICAS_WHITE);
  gauge(FUSELAGE_GAUGE, v.fuselage_tank_fraction, EICAS_WHITE);

  synoptic_text(-2.789f, -5.59f, LABEL_SCALE, ALIGN_RIGHT, EICAS_CYAN, "L ENG");
  synoptic_text(3.49f, -5.59f, LABEL_SCALE, ALIGN_RIGHT, EICAS_CYAN, "R ENG");
  synoptic_text(1.18f, -5.619f, LABEL_SCALE, ALIGN_RIGHT, EICAS_CYAN, "USED");
  synoptic_whole(text, sizeof text, v.fuel_used_lb);
  synoptic_text(-0.409f, -5.619f, LABEL_SCALE, ALIGN_RIGHT, EICAS_WHITE, text);
}
