#pragma once
// Autopilot and yaw-damper annunciators, the mode texts and the marker
// lights: logic that the drawing of the annunciations uses, free of GL.
#include <cstdint>

#include "pfd/pfd_state.h"

constexpr int32_t ANNUNCIATOR_FLASH_LIMIT = 10;

void annunciator_make(Annunciator* a, const char* text, float x, float y);
// One frame of the autopilot annunciator: an engagement flashes green, a
// disengagement amber; each flash runs until the count passes the limit,
// advancing only when the half-second tick changed.
void annunciator_step_ap(Annunciator* a, bool engaged, bool tick_changed);
// The yaw damper shows at once when engaged and flashes amber when released.
void annunciator_step_yd(Annunciator* a, bool engaged, bool tick_changed);
// The colour the annunciator is drawn in now.
const float* annunciator_colour(const Annunciator* a);

struct ModeInputs {
  bool autopilot, nav_hold, heading_hold, approach_hold, altitude_hold;
  uint32_t nav_gps_switch;
  bool nav1_localiser;
  int32_t vertical_speed_target;
};
// "LOC", "NAV", "FMS", "HDG", "APP" or nullptr (first match wins).
const char* lateral_mode_text(const ModeInputs& in);
// "ALT", "VS" or nullptr.
const char* vertical_mode_text(const ModeInputs& in);
