// The ECS synoptic page of the systems menu.
#include "mfd/mfd_page_parts.h"

#include "mfd/mfd_state.h"

void mfd_ecs_page_draw() {}
