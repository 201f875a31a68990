#include "mfd/mfd_alert_exchange.h"

#include "mfd/alert_chime.h"
#include "mfd/alert_inputs.h"
#include "mfd/mfd_state.h"
#include "simlink/cells.h"
#include "simlink/simlink.h"

bool mfd_alert_exchange(int64_t now_ms, uint32_t* result) {
  uint8_t cell = 0;
  if (!(simlink_read(CELL_ALERT, 1, &cell, result) && simlink_process(result))) return false;
  alert_evaluate(mfd_alert_inputs(g_mfd.raw, g_mfd.value, g_mfd.power), &g_mfd.alerts);
  int chimes = 0;
  const uint8_t updated = alert_update_byte(&g_mfd.alerts, cell, &chimes);
  alert_chime_play(chimes);
  alert_advance_advisories(&g_mfd.alerts, now_ms);
  g_mfd.raw.alert_cell = updated;
  // Unchanged, the byte is not written: a peer's bit set meanwhile stays set.
  if (updated == cell) return true;
  return simlink_write(CELL_ALERT, 1, &updated, result) && simlink_process(result);
}
