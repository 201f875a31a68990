#include "rmu/rmu_state.h"

// The unit's one state record, zero at load.
RmuState g_rmu;

void rmu_state_start_values() {
  g_rmu.page = RMU_PAGE_RADIO;
  g_rmu.return_page = RMU_PAGE_RADIO;
  g_rmu.page_last_frame = RMU_PAGE_RADIO;
  g_rmu.cursor = RMU_CURSOR_NONE;
  g_rmu.input.selected_line = RMU_KEY_NONE;
  g_rmu.input.pending_bottom_key = RMU_KEY_NONE;
  g_rmu.previous_memory_line[0] = g_rmu.previous_memory_line[1] = RMU_KEY_NONE;
  g_rmu.first_frame_pending = true;
  g_rmu.link.config.group_ports[0] = RMU_LINK_DEFAULT_PORTS[0];
  g_rmu.link.config.group_ports[1] = RMU_LINK_DEFAULT_PORTS[1];
  g_rmu.link.sender.socket = g_rmu.link.receiver.socket = -1;
  for (int i = 0; i < 3; ++i) g_rmu.settings.display_position[i] = RMU_BUILT_IN_DISPLAY_POSITION[i];
}
