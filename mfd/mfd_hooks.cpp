// Empty until the exchange, pages and loaders exist.
#include "mfd/mfd_hooks.h"

bool mfd_exchange(uint32_t* result) {
  *result = 0;
  return true;
}
void mfd_convert() {}
void mfd_page_controller() {}
void mfd_traffic_step() {}
void mfd_draw_map_page() {}
void mfd_draw_eicas() {}
void mfd_load_plan_list() {}
void mfd_load_aircraft_config() {}
void mfd_load_navigation_data() {}
