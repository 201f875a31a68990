// The altitude group's control step and the bezel hooks that feed it.
#include "pfd/minimums.h"
#include "pfd/pfd_groups.h"
#include "simlink/cells.h"
#include "simlink/simlink.h"

namespace {
constexpr uint32_t OFFSET_BARO_SETTING = 0x0330;
}

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

void altitude_control_step() {
  MinimumsState* m = &g_pfd.minimums;
  uint32_t result = 0;
  uint16_t baro = 0;
  if (minimums_baro_step(m, g_pfd.value.baro_inches, &baro) && g_pfd.common.connected) {
    if (simlink_write(OFFSET_BARO_SETTING, sizeof baro, &baro, &result)) simlink_process(&result);
  }
  if (g_pfd.common.connected) {
    uint8_t alert = g_pfd.raw.alert_cell;
    if (simlink_read(CELL_ALERT, 1, &alert, &result) && simlink_process(&result)) {
      g_pfd.raw.alert_cell = alert;
      minimums_bit6_step(m, alert);
    }
  }
  minimums_mode_step(m);
}

void minimums_shutdown() { minimums_alert_wait(); }
