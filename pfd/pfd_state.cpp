#include "pfd/pfd_state.h"

#include "pfd/accfg.h"
#include "pfd/pfd_groups.h"
#include "pfd/pfd_settings.h"

// The unit's one state record, zero at load.
PfdState g_pfd;

void pfd_state_start_values() {
  g_pfd.common.x_size = PFD_START_CLIENT_WIDTH;
  g_pfd.common.y_size = PFD_START_CLIENT_HEIGHT;
  g_pfd.common.bezel_shown = true;
  // Until a first exchange the screen shows zeros with both masters on.
  g_pfd.raw.battery_master = 1;
  g_pfd.raw.avionics_master = 1;
  // Zeros would put the over-speed bar along the whole tape.
  accfg_set_defaults(&g_pfd.config);
  g_pfd.dim_alpha = 1;
  g_pfd.fading = true;
  minimums_init();
}
