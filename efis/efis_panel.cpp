#include "efis/efis_panel.h"

#include "simlink/cells.h"

namespace {

// Hit boxes in percent of the panel, bounds inclusive.
constexpr float BUTTON_ROW_TOP = 8.0f;
constexpr float BUTTON_ROW_BOTTOM = 35.0f;
struct ZoneSpan { float left, right; int32_t zone; };
constexpr ZoneSpan BUTTON_ZONES[] = {
    {9, 20, ZONE_BUTTON_A}, {21, 31, ZONE_BUTTON_B}, {33, 43, ZONE_DEAD},
    {57, 67, ZONE_BUTTON_C}, {68, 78, ZONE_FMS},     {79, 89, ZONE_NAV},
};
constexpr float KNOB1_LEFT = 12.0f, KNOB1_RIGHT = 21.0f;
constexpr float KNOB2_LEFT = 70.0f, KNOB2_RIGHT = 80.0f;
constexpr float KNOB_TOP = 53.0f, KNOB_BOTTOM = 77.0f;
constexpr float KNOB_MIDDLE = 65.0f;  // at or above: step up

constexpr uint8_t SOURCE_CODES[EFIS_KNOB_POSITIONS] = {
    BEARING_SOURCE_NONE, BEARING_SOURCE_VOR, BEARING_SOURCE_ADF, BEARING_SOURCE_FMS};

void knob_hit(int32_t* pending, float px, float py, float left, float right) {
  if (px < left || px > right || py < KNOB_TOP || py > KNOB_BOTTOM) return;
  *pending = py <= KNOB_MIDDLE ? KNOB_STEP_UP : KNOB_STEP_DOWN;
}

void apply_knob(int32_t* position, int32_t* pending) {
  if (*pending == KNOB_STEP_UP && *position < EFIS_KNOB_MAX) ++*position;
  if (*pending == KNOB_STEP_DOWN && *position > EFIS_KNOB_MIN) --*position;
  *pending = KNOB_NONE;
}

}  // namespace

void efis_panel_reset(EfisPanel* panel) {
  *panel = EfisPanel{};
  panel->nav1 = 1;
  panel->pending_knob1 = KNOB_NONE;
  panel->pending_knob2 = KNOB_NONE;
  panel->pending_zone = ZONE_NONE;
}

void efis_hit_test_percent(EfisPanel* panel, float px, float py) {
  if (py >= BUTTON_ROW_TOP && py <= BUTTON_ROW_BOTTOM) {
    panel->pending_zone = ZONE_NONE;
    for (const ZoneSpan& span : BUTTON_ZONES) {
      if (px >= span.left && px <= span.right) {
        panel->pending_zone = span.zone;
        break;
      }
    }
  }
  knob_hit(&panel->pending_knob1, px, py, KNOB1_LEFT, KNOB1_RIGHT);
  knob_hit(&panel->pending_knob2, px, py, KNOB2_LEFT, KNOB2_RIGHT);
}

void efis_click(EfisPanel* panel, int x, int y, int panel_width, int panel_height) {
  float width = panel_width < 1 ? 1.0f : static_cast<float>(panel_width);
  float height = panel_height < 1 ? 1.0f : static_cast<float>(panel_height);
  efis_hit_test_percent(panel, static_cast<float>(x) / width * 100.0f,
                        static_cast<float>(y) / height * 100.0f);
}

void efis_apply_inputs(EfisPanel* panel) {
  apply_knob(&panel->bearing1_position, &panel->pending_knob1);
  apply_knob(&panel->bearing2_position, &panel->pending_knob2);
  switch (panel->pending_zone) {
    case ZONE_BUTTON_A: panel->button_a ^= 1; break;
    case ZONE_BUTTON_B: panel->button_b ^= 1; break;
    case ZONE_BUTTON_C: panel->button_c ^= 1; break;
    case ZONE_FMS:
      panel->fms = 1;
      panel->gps = 1;
      break;
    case ZONE_NAV:
      // Every press flips the receiver, also the one that leaves FMS.
      panel->fms = 0;
      panel->gps = 0;
      if (panel->nav1) {
        panel->nav1 = 0;
        panel->nav2 = 1;
      } else {
        panel->nav1 = 1;
        panel->nav2 = 0;
      }
      break;
    default: break;
  }
  panel->pending_zone = ZONE_NONE;
}

uint8_t efis_mode_byte(const EfisPanel* panel) {
  uint8_t mode = 0;
  if (panel->button_a) mode |= EFIS_MODE_BARO_HPA;
  if (panel->button_b) mode |= EFIS_MODE_BUTTON_B;
  if (panel->button_c) mode |= EFIS_MODE_ARC;
  if (panel->nav1 || panel->gps) mode |= EFIS_MODE_NAV1;
  if (panel->fms) mode |= EFIS_MODE_FMS;
  return mode;
}

int32_t efis_clamp_knob(int32_t position) {
  if (position < EFIS_KNOB_MIN) return EFIS_KNOB_MIN;
  if (position > EFIS_KNOB_MAX) return EFIS_KNOB_MAX;
  return position;
}

uint8_t efis_source_code(int32_t knob_position) {
  return SOURCE_CODES[efis_clamp_knob(knob_position)];
}
