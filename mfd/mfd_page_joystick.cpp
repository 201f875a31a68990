// The JSTK page of the MFD menu: it draws nothing.
#include "mfd/mfd_page_parts.h"

#include "mfd/mfd_state.h"

void mfd_joystick_page_draw() {}
