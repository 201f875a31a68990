#include "mfd/mfd_data.h"

#include "mfd/mfd_state.h"

void mfd_load_plan_list() {}
void mfd_load_aircraft_config() {}
void mfd_load_navigation_data() {}
