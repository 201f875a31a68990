// The bezel's requests to the altitude controls; pfd_exchange_altitude_controls()
// serves them.
#include "pfd/minimums.h"
#include "pfd/pfd_groups.h"

void minimums_init() { minimums_reset(&g_pfd.minimums); }

void minimums_mode_pressed() { g_pfd.minimums.button_request = BUTTON_NEXT_MINIMUMS; }
void standard_baro_pressed() { g_pfd.minimums.button_request = BUTTON_STANDARD_BARO; }

void minimums_knob_step(int direction) {
  if (direction < 0) g_pfd.minimums.minimums_step_down = true;
  if (direction > 0) g_pfd.minimums.minimums_step_up = true;
}

void baro_knob_step(int direction) {
  if (direction < 0) g_pfd.minimums.baro_step_down = true;
  if (direction > 0) g_pfd.minimums.baro_step_up = true;
}

void minimums_shutdown() { minimums_alert_wait(); }
