// The HYD synoptic page of the systems menu: the main system pressure (the
// mean of both engine-driven systems), fed from the reservoir by the engine
// pumps, and the brake accumulator with the auxiliary pump.
#include "mfd/mfd_page_parts.h"

#include "framework/text.h"
#include "mfd/mfd_state.h"
#include "mfd/synoptic_draw.h"

namespace {

constexpr float SCALE = 0.62f, SMALL_SCALE = 0.5f;

struct Label { const char* text; float x, y, scale; };
constexpr Label LABELS[] = {
    {"MAIN", -5.41f, -3.79f, SCALE},      {"ENGINE PUMPS", -5.41f, -5.6f, SCALE},
    {"RESERVOIR", -1.93f, -2.04f, SCALE}, {"AUX", 1.48f, -5.61f, SCALE},
    {"PUMP", 4.03f, -5.63f, SCALE},       {"BRAKE", 3.83f, -2.23f, SCALE},
    {"ACCUM", 3.83f, -2.67f, SCALE},      {"PSI", 4.29f, -3.91f, SCALE},
    {"L", -5.5f, -4.59f, SCALE},          {"R", -2.54f, -4.59f, SMALL_SCALE},
    {"A", 3.29f, -5.24f, SMALL_SCALE},
};

// The lines of the system: reservoir down to the pumps, the pumps into the
// main line, and the auxiliary pump up to the accumulator.
struct Segment { float x0, y0, x1, y1; };
constexpr Segment PIPES[] = {
    {-0.9f, -2.2f, -0.9f, -4.95f},  {-5.2f, -4.95f, 4.6f, -4.95f}, {-5.2f, -4.95f, -5.2f, -4.7f},
    {-2.25f, -4.95f, -2.25f, -4.7f}, {4.6f, -4.95f, 4.6f, -4.0f},  {4.6f, -3.2f, 4.6f, -2.85f},
};
// The pressure is shown twice: main system and brake accumulator.
struct Point { float x, y; };
constexpr Point PRESSURE_READOUTS[] = {{-3.59f, -4.58f}, {4.91f, -3.35f}};
constexpr float READOUT_BOX_W = 1.4f, READOUT_BOX_H = 0.55f, READOUT_BOX_BELOW = 0.1f;

}  // namespace

void mfd_hydraulic_page_draw() {
  const MfdValues& v = g_mfd.value;
  char text[24];

  synoptic_return_label(-1.48f, 0.55f);
  for (const Segment& s : PIPES) synoptic_line(s.x0, s.y0, s.x1, s.y1, EICAS_CYAN);
  for (const Label& l : LABELS) synoptic_text(l.x, l.y, l.scale, ALIGN_LEFT, EICAS_CYAN, l.text);

  synoptic_whole(text, sizeof text, (v.left_hydraulic_pressure + v.right_hydraulic_pressure) / 2.0);
  for (const Point& at : PRESSURE_READOUTS) {
    synoptic_text(at.x, at.y, SMALL_SCALE, ALIGN_RIGHT, EICAS_WHITE, text);
    synoptic_box(at.x - READOUT_BOX_W + 0.45f, at.y - READOUT_BOX_BELOW, READOUT_BOX_W, READOUT_BOX_H, EICAS_CYAN);
  }
}
