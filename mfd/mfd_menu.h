#pragma once
// The menu and page controller, run every frame while the battery is on,
// before the MFD or EICAS display: it keeps the menu level and the page
// (g_mfd.menu_level, g_mfd.page), takes the soft keys and the knob, draws the
// soft-key labels and runs the current page through the page table
// (mfd/mfd_pages.h).
void mfd_menu_step();
