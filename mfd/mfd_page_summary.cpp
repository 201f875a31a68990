// The SUMRY synoptic page of the systems menu: electrical, hydraulic, cabin
// and flight-control figures in three columns, with red boxes around the
// trims that would not do for take-off.
#include "mfd/mfd_page_parts.h"

#include "framework/text.h"
#include "mfd/alert_inputs.h"
#include "mfd/mfd_state.h"
#include "mfd/synoptic_draw.h"

namespace {

constexpr float SCALE = 0.6f;
constexpr float ROWS[] = {-2.69f, -3.52f, -4.35f, -5.18f};
// The readouts of the first two columns sit a little lower on the AMPS row.
constexpr float VALUE_ROWS[] = {-2.69f, -3.52f, -4.39f, -5.18f};
constexpr float ELEC_LEFT_X = -3.17f, ELEC_RIGHT_X = -1.82f, MIDDLE_X = 2.5f, RIGHT_X = 6.2f;
constexpr float TRIM_BOX_X = 5.01f, PITCH_BOX_Y = -3.05f, TRIM_BOX_W = 1.56f, TRIM_BOX_H = -0.56f;
// The aileron and rudder boxes keep the pitch box's offset from their rows.
constexpr float TRIM_BOX_ABOVE_ROW = PITCH_BOX_Y - -3.52f;

void row_labels(float x, const char* const (&labels)[4]) {
  for (int i = 0; i < 4; ++i) synoptic_text(x, ROWS[i], SCALE, ALIGN_LEFT, EICAS_CYAN, labels[i]);
}

void value(float x, float y, const char* text) { synoptic_text(x, y, SCALE, ALIGN_RIGHT, EICAS_WHITE, text); }

}  // namespace

void mfd_summary_page_draw() {
  const MfdRaw& r = g_mfd.raw;
  const MfdValues& v = g_mfd.value;
  char text[24];

  synoptic_return_label(-5.299f, 0.55f);
  synoptic_text(-4.139f, -1.84f, SCALE, ALIGN_CENTRED, EICAS_CYAN, "ELEC");
  synoptic_text(0.69f, -1.84f, SCALE, ALIGN_CENTRED, EICAS_CYAN, "HYD/ECS");
  synoptic_text(4.69f, -1.84f, SCALE, ALIGN_CENTRED, EICAS_CYAN, "FLT");
  row_labels(-6.34f, {"VOLTS", "EMER-V", "AMPS", "TEMP C"});
  row_labels(-1.12f, {"MAIN", "B-ACUM", "CAB ALT", "OXY PSI"});
  row_labels(3.19f, {"SPLR", "PIT", "AIL", "RUD"});

  // Electrical column: left and right.
  synoptic_tenths(text, sizeof text, r.left_bus_voltage);
  value(ELEC_LEFT_X, VALUE_ROWS[0], text);
  synoptic_tenths(text, sizeof text, r.right_bus_voltage);
  value(ELEC_RIGHT_X, VALUE_ROWS[0], text);
  value(ELEC_LEFT_X, VALUE_ROWS[1], "0.0");  // one emergency bus
  synoptic_tenths(text, sizeof text, r.left_generator_current);
  value(ELEC_LEFT_X, VALUE_ROWS[2], text);
  synoptic_tenths(text, sizeof text, r.right_generator_current);
  value(ELEC_RIGHT_X, VALUE_ROWS[2], text);
  value(ELEC_LEFT_X, VALUE_ROWS[3], "35");
  value(ELEC_RIGHT_X, VALUE_ROWS[3], "34");

  // Hydraulics and cabin: the left system's pressure on the MAIN row, the
  // right one's under it.
  synoptic_whole(text, sizeof text, v.left_hydraulic_pressure);
  value(MIDDLE_X, VALUE_ROWS[0], text);
  synoptic_whole(text, sizeof text, v.right_hydraulic_pressure);
  value(MIDDLE_X, VALUE_ROWS[1], text);
  synoptic_whole(text, sizeof text, v.indicated_altitude * CABIN_ALTITUDE_FACTOR);
  value(MIDDLE_X, VALUE_ROWS[2], text);
  value(MIDDLE_X, VALUE_ROWS[3], "1390");

  // Flight controls.
  synoptic_spoilers(text, sizeof text, v.left_spoiler_angle, v.right_spoiler_angle);
  value(RIGHT_X, ROWS[0], text);
  synoptic_tenths(text, sizeof text, v.pitch_trim);
  value(RIGHT_X, ROWS[1], text);
  synoptic_side_trim(text, sizeof text, v.aileron_trim);
  value(RIGHT_X, ROWS[2], text);
  synoptic_side_trim(text, sizeof text, v.rudder_trim);
  value(RIGHT_X, ROWS[3], text);

  const AlertDerived derived = alert_derived(mfd_alert_inputs(r, v, g_mfd.power));
  const TrimBoxes boxes =
      synoptic_trim_boxes(derived.high_power, v.on_ground, v.pitch_trim, v.aileron_trim, v.rudder_trim);
  const bool boxed[] = {boxes.pitch, boxes.aileron, boxes.rudder};
  for (int i = 0; i < 3; ++i)
    if (boxed[i]) synoptic_box(TRIM_BOX_X, ROWS[i + 1] + TRIM_BOX_ABOVE_ROW, TRIM_BOX_W, TRIM_BOX_H, EICAS_RED);
}
