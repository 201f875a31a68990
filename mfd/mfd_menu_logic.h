#pragma once
// The page controller's decisions, apart from its drawing: leaving a page,
// the soft keys of each menu level, the knob on the map range and on the
// plan list, and the plan list's paging. Each reads and changes only g_mfd.
#include <cstdint>

constexpr int MFD_PLANS_PER_PAGE = 6;
constexpr int MFD_MAP_LAYER_PRESETS = 4;  // none, VOR, VOR and airports, airports

// The soft key that opened `page` (SUMRY..FUEL keys 0..5, V-speeds key 0);
// -1 for a page no key leaves.
int mfd_page_leave_key(int32_t page);
// Leaving a page: its key pressed again goes back to the top menu. True when
// the V-speed page was left with a changed speed (accfg.ini is due).
bool mfd_menu_leave_page();
// Saves accfg.ini after the V-speed page was left with a change: written,
// the rewrite is announced; a failed save announces nothing and keeps the
// change (accfg dirty) for the next time the page is left.
void mfd_menu_save_vspeeds();
// The soft key of the frame on the present menu level (the EICAS always
// shows the systems menu). Opening the plan list rebuilds it.
void mfd_menu_soft_key();
// The knob on the map range, 0..8 wrapping both ways; nothing while the
// plan list is open.
void mfd_menu_knob_to_range();
// The knob on the plan-list selection, wrapping at both ends.
void mfd_plan_list_knob();
// A requested plan load: loads the selected plan, and turns the route on; a
// text plan is also saved into accfg.ini, and the rewrite announced when the
// save was written.
void mfd_plan_load_step();

struct MfdPlanPaging {
  int32_t page;    // 0-based page of the selected plan
  int32_t pages;   // plans / 6, rounded up; 0 for no plans
  int32_t first;   // list index of the page's first row
};
MfdPlanPaging mfd_plan_paging(int32_t plan_count, int32_t selected);
