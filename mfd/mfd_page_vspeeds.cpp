// The V-speed page: V1, VR and V2, chosen by soft key and set with the knob.
#include "mfd/mfd_page_parts.h"

#include "mfd/mfd_state.h"

void mfd_vspeeds_page_draw() {}

void mfd_vspeeds_page_keys() {}
