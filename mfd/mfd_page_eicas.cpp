// The EICAS display: engine instruments and the crew-alert list.
#include "mfd/mfd_page_parts.h"

#include "mfd/mfd_state.h"

void mfd_eicas_page_draw() {}
