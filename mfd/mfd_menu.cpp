#include "mfd/mfd_menu.h"

#include "mfd/mfd_pages.h"
#include "mfd/mfd_state.h"

void mfd_menu_step() { mfd_run_page(g_mfd.page); }
