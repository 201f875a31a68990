#include <cstring>

#include "pfd/annunciator_logic.h"

namespace {
constexpr float GREEN[3] = {0.156f, 0.803f, 0.215f};
constexpr float AMBER[3] = {1.0f, 0.75f, 0.0f};
constexpr float ANNUNCIATOR_SCALE = 0.109f;

void copy_colour(float* dst, const float* src) { std::memcpy(dst, src, 3 * sizeof(float)); }

// Shared by both annunciators: the flash and its end.
void advance_flash(Annunciator* a, bool engaged, bool tick_changed) {
  if (!((engaged && a->engage_flash_on) || a->disengage_flash_on)) return;
  if (!tick_changed) return;
  a->visible = !a->visible;
  a->flash_count++;
  if (a->flash_count > a->flash_limit) {
    a->engage_flash_on = a->disengage_flash_on = 0;
    a->visible = engaged ? 1 : 0;
  }
}

void start_disengage_flash(Annunciator* a) {
  a->engage_flash_on = 0;
  a->disengage_flash_on = 1;
  a->flash_count = 0;
}
}  // namespace

void annunciator_make(Annunciator* a, const char* text, float x, float y) {
  *a = Annunciator{};
  a->text = text;
  copy_colour(a->normal, GREEN);
  copy_colour(a->engage_flash, GREEN);
  copy_colour(a->disengage_flash, AMBER);
  a->scale = ANNUNCIATOR_SCALE;
  a->x = x;
  a->y = y;
  a->flash_limit = ANNUNCIATOR_FLASH_LIMIT;
}

void annunciator_step_ap(Annunciator* a, bool engaged, bool tick_changed) {
  if (engaged && !a->engaged_last) {
    a->engage_flash_on = 1;
    a->disengage_flash_on = 0;
    a->flash_count = 0;
  } else if (!engaged && a->engaged_last) {
    start_disengage_flash(a);
  }
  advance_flash(a, engaged, tick_changed);
  a->engaged_last = engaged;
}

void annunciator_step_yd(Annunciator* a, bool engaged, bool tick_changed) {
  if (engaged && !a->engaged_last) {
    a->visible = 1;
  } else if (!engaged && a->engaged_last) {
    start_disengage_flash(a);
  }
  advance_flash(a, engaged, tick_changed);
  a->engaged_last = engaged;
}

const float* annunciator_colour(const Annunciator* a) {
  if (a->engage_flash_on) return a->engage_flash;
  if (a->disengage_flash_on) return a->disengage_flash;
  return a->normal;
}

const char* lateral_mode_text(const ModeInputs& in) {
  if (in.autopilot && in.nav_hold) {
    if (in.nav_gps_switch == 0) return in.nav1_localiser ? "LOC" : "NAV";
    return "FMS";
  }
  if (in.autopilot && in.heading_hold) return "HDG";
  if (in.autopilot && in.approach_hold) return "APP";
  return nullptr;
}

const char* vertical_mode_text(const ModeInputs& in) {
  if (in.altitude_hold && in.vertical_speed_target == 0) return "ALT";
  if (in.vertical_speed_target != 0 && in.altitude_hold && in.autopilot) return "VS";
  return nullptr;
}
