// The ELEC synoptic page of the systems menu: bus voltages, battery
// temperatures, generator and external-power currents.
#include "mfd/mfd_page_parts.h"

#include "framework/text.h"
#include "mfd/mfd_state.h"
#include "mfd/synoptic_draw.h"

namespace {

constexpr float SCALE = 0.53f;
constexpr float TITLE_SCALE = 0.52f, EXTERNAL_SCALE = 0.45f;
constexpr float BUS_Y = -2.63f, TITLE_Y = -1.967f, BATTERY_Y = -3.78f, GENERATOR_Y = -5.3f;
constexpr float LEFT_X = -5.2f, MIDDLE_X = -0.1f, RIGHT_X = 5.25f;
constexpr float GENERATOR_TITLE_Y = -4.7f;
constexpr float BUS_BOX_W = 1.5f, BUS_BOX_H = 0.6f, BUS_BOX_BELOW = 0.12f;

void cyan(float x, float y, float scale, int alignment, const char* text) {
  synoptic_text(x, y, scale, alignment, EICAS_CYAN, text);
}
void white(float x, float y, float scale, int alignment, const char* text) {
  synoptic_text(x, y, scale, alignment, EICAS_WHITE, text);
}

}  // namespace

void mfd_electrical_page_draw() {
  const MfdRaw& r = g_mfd.raw;
  char text[24];

  synoptic_return_label(-3.26f, 0.62f);
  cyan(-5.17f, TITLE_Y, TITLE_SCALE, ALIGN_CENTRED, "L ESS VOLT");
  cyan(MIDDLE_X, TITLE_Y, TITLE_SCALE, ALIGN_CENTRED, "EMER BUS VOLTS");
  cyan(RIGHT_X, TITLE_Y, TITLE_SCALE, ALIGN_CENTRED, "R ESS VOLT");

  synoptic_tenths(text, sizeof text, r.left_bus_voltage);
  white(LEFT_X, BUS_Y, SCALE, ALIGN_CENTRED, text);
  white(MIDDLE_X, BUS_Y, SCALE, ALIGN_CENTRED, "0.0");
  synoptic_tenths(text, sizeof text, r.right_bus_voltage);
  white(RIGHT_X, BUS_Y, SCALE, ALIGN_CENTRED, text);
  for (float x : {LEFT_X, MIDDLE_X, RIGHT_X})
    synoptic_box(x - BUS_BOX_W / 2, BUS_Y - BUS_BOX_BELOW, BUS_BOX_W, BUS_BOX_H, EICAS_CYAN);
  cyan(-2.68f, BUS_Y, SCALE, ALIGN_CENTRED, "- - - - - - - -");
  cyan(2.519f, BUS_Y, SCALE, ALIGN_CENTRED, "- - - - - - - -");

  white(-2.53f, BATTERY_Y, SCALE, ALIGN_CENTRED, "35");
  cyan(-0.15f, BATTERY_Y, SCALE, ALIGN_CENTRED, "BATT TEMPS");
  white(2.37f, BATTERY_Y, SCALE, ALIGN_CENTRED, "38");
  cyan(-0.15f, BATTERY_Y - 0.5f, SCALE, ALIGN_CENTRED, "C");

  cyan(LEFT_X - 0.4f, GENERATOR_TITLE_Y, SCALE, ALIGN_CENTRED, "GEN L");
  cyan(RIGHT_X + 0.4f, GENERATOR_TITLE_Y, SCALE, ALIGN_CENTRED, "R GEN");
  synoptic_tenths(text, sizeof text, r.left_generator_current);
  white(LEFT_X, GENERATOR_Y, SCALE, ALIGN_RIGHT, text);
  synoptic_tenths(text, sizeof text, r.right_generator_current);
  white(RIGHT_X, GENERATOR_Y, SCALE, ALIGN_RIGHT, text);
  cyan(-4.2f, GENERATOR_Y, SCALE, ALIGN_CENTRED, "AMPS");
  cyan(6.15f, -5.29f, SCALE, ALIGN_CENTRED, "AMPS");

  // External power: a fixed readout; its "A" has no colour of its own, so it
  // is white like the readouts.
  cyan(-2.43f, GENERATOR_TITLE_Y, EXTERNAL_SCALE, ALIGN_CENTRED, "EXT PWR");
  white(-2.43f, GENERATOR_Y, SCALE, ALIGN_CENTRED, "A");
  white(2.37f, GENERATOR_Y, SCALE, ALIGN_CENTRED, "0");
  cyan(3.45f, GENERATOR_Y, SCALE, ALIGN_CENTRED, "AMPS");
}
