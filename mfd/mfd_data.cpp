#include "mfd/mfd_data.h"

#include "mfd/mfd_state.h"
#include "nav/nav_database_files.h"
#include "nav/nav_error_log.h"
#include "nav/nav_plan_list.h"

void mfd_load_plan_list() {
  nav_plan_list_build(&g_mfd.plan_list, g_mfd.plan_path);
  g_mfd.selected_plan = nav_plan_selection_clamp(&g_mfd.plan_list, g_mfd.selected_plan);
}

void mfd_load_aircraft_config() {}

bool mfd_write_aircraft_config() { return false; }

void mfd_load_navigation_data() {
  // Until accfg.ini has been read its default minimum applies.
  const int32_t min_runway = g_mfd.min_runway_ft > 0 ? g_mfd.min_runway_ft : NAV_DEFAULT_MIN_RUNWAY_FT;
  nav_database_load(&g_mfd.nav, NAV_DATA_FOLDER, min_runway, NAV_ERROR_LOG);
}
