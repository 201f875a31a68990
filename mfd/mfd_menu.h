#pragma once
// The menu and page controller, run every frame while the battery is on,
// before the MFD or EICAS display, in this order: the fuel figures while the
// link is closed (the exchange's conversion gives them while it is open);
// leaving a page; the EICAS held on the systems menu; the soft key of the
// frame; a requested plan load; the plan-list box; then, with the avionics
// on, the soft-key labels, the page (mfd/mfd_pages.h) and the knob on the
// map range, or with the avionics off "MENU INOP". It keeps the menu level
// and the page in g_mfd.menu_level and g_mfd.page.
void mfd_menu_step();
