// The flight-plan list box of the MFD menu, its selection moved by the knob.
#include "mfd/mfd_page_parts.h"

#include "mfd/mfd_state.h"

void mfd_plan_list_page_draw() {}

void mfd_plan_list_page_keys() {}
