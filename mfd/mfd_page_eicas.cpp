// The EICAS display: engines and the crew-alert list.
#include "mfd/mfd_page_parts.h"

#include "mfd/eicas_draw.h"
#include "platform/clock.h"

void mfd_eicas_page_draw() {
  eicas_draw_engines();
  eicas_draw_alert_list(platform_clock_ms());
  eicas_draw_start_and_reversers();
}
