// The ELEC synoptic page of the systems menu.
#include "mfd/mfd_page_parts.h"

#include "mfd/mfd_state.h"

void mfd_electrical_page_draw() {}
