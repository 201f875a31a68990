#pragma once
// The soft-key labels along the bottom of the display, by menu level, and
// the "MENU INOP" notice while the avionics are off. Drawn from the
// arguments only; blending and the matrix are left as found (the matrix is
// reset for each row).
#include <cstdint>

// Font slot 2, white, centred, scale 0.62, depth 30.
void mfd_menu_draw_labels(int32_t menu_level, bool mfd_shown);
// "MENU INOP" in amber; on the MFD also "HDG" over "FAIL" in red.
void mfd_menu_draw_inop(bool mfd_shown);
// The plan-list box (mfd_page_plan_list.cpp): frame, page readout and names.
void mfd_plan_list_page_box();
