// The map page: the heading-up map of the MFD display, and the traffic step before it.
#include "mfd/mfd_page_parts.h"

#include "mfd/mfd_state.h"

void mfd_map_page_draw() {}

void mfd_map_traffic_step() {}
