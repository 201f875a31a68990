#include "mfd/mfd_data.h"

#include "mfd/mfd_aircraft_config.h"
#include "mfd/mfd_state.h"
#include "nav/nav_database_files.h"
#include "nav/nav_error_log.h"
#include "nav/nav_plan_list.h"
#include "platform/files.h"

void mfd_load_plan_list() {
  nav_plan_list_build(&g_mfd.plan_list, g_mfd.plan_path);
  g_mfd.selected_plan = nav_plan_selection_clamp(&g_mfd.plan_list, g_mfd.selected_plan);
}

void mfd_load_aircraft_config() {
  // A copy left by a unit killed while writing it goes.
  remove_stale_temporaries(AIRCRAFT_CONFIG_FILE);
  aircraft_values_defaults(&g_mfd.aircraft);
  mfd_read_aircraft_config();
}

void mfd_read_aircraft_config() {
  mfd_aircraft_config_read(AIRCRAFT_CONFIG_FILE, &g_mfd.aircraft);
  const AircraftValues& a = g_mfd.aircraft;
  g_mfd.limits = MfdLimits{a.max_flaps, a.max_spoiler, a.max_fuel};
  g_mfd.min_runway_ft = a.min_runway;
}

bool mfd_write_aircraft_config() {
  // The other display unit's folder: DU3 writes into DU2's and DU2 into DU3's.
  const char* other = g_mfd.mode == MFD_MODE_EICAS ? g_mfd.du3_path : g_mfd.du2_path;
  return mfd_aircraft_config_write(AIRCRAFT_CONFIG_FILE, aircraft_config_path(other).c_str(),
                                   mfd_aircraft_config_text(g_mfd.aircraft, &g_mfd.active_plan));
}

void mfd_load_navigation_data() {
  // Until accfg.ini has been read its default minimum applies.
  const int32_t min_runway = g_mfd.min_runway_ft > 0 ? g_mfd.min_runway_ft : NAV_DEFAULT_MIN_RUNWAY_FT;
  nav_database_load(&g_mfd.nav, NAV_DATA_FOLDER, min_runway, NAV_ERROR_LOG);
}
