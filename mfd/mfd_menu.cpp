#include "mfd/mfd_menu.h"

#include "framework/bezel_input.h"
#include "mfd/mfd_convert.h"
#include "mfd/mfd_menu_labels.h"
#include "mfd/mfd_menu_logic.h"
#include "mfd/mfd_pages.h"
#include "mfd/mfd_state.h"

void mfd_menu_step() {
  if (!g_mfd.common.connected) mfd_fuel_figures_disconnected(g_mfd.limits, &g_mfd.value);
  // The alert-cell exchange announces a rewrite to the PFDs.
  if (mfd_menu_leave_page()) mfd_menu_save_vspeeds();
  if (g_mfd.eicas_shown) g_mfd.menu_level = MFD_MENU_SYSTEMS;
  mfd_menu_soft_key();
  mfd_plan_load_step();
  if (g_mfd.plan_list_shown) mfd_plan_list_page_box();
  if (g_mfd.power.avionics_on == 0) {
    mfd_menu_draw_inop(g_mfd.mfd_shown);
  } else {
    mfd_menu_draw_labels(g_mfd.menu_level, g_mfd.mfd_shown);
    mfd_run_page(g_mfd.page);
    mfd_menu_knob_to_range();
  }
  g_mfd.previous_page = g_mfd.page;
  // The V-speed page keeps the last key as its selection.
  if (g_mfd.page != MFD_PAGE_VSPEEDS) g_mfd.bezel.soft_key_event = SOFT_KEY_NONE;
}
