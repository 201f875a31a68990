#include "mfd/mfd_menu_logic.h"

#include "framework/bezel_input.h"
#include "mfd/mfd_data.h"
#include "mfd/mfd_pages.h"
#include "mfd/mfd_state.h"
#include "nav/nav_error_log.h"
#include "nav/nav_plan_files.h"

namespace {

void set_map_layers_from_preset(int32_t preset) {
  g_mfd.show_vors = preset == 1 || preset == 2;
  g_mfd.show_airports = preset == 2 || preset == 3;
}

void top_menu_key(int key) {
  switch (key) {
    case 0:
      g_mfd.menu_level = MFD_MENU_SYSTEMS;
      g_mfd.page = MFD_PAGE_SUMMARY;
      break;
    case 1:
      g_mfd.menu_level = MFD_MENU_MFD;
      break;
    case 3:
      g_mfd.tcas_flag = !g_mfd.tcas_flag;
      break;
    case 5:
      g_mfd.plan_flag = !g_mfd.plan_flag;
      g_mfd.show_plan = !g_mfd.show_plan;
      break;
    default:
      break;  // "CKLST" and "TERR" have no page
  }
}

void mfd_menu_key(int key) {
  switch (key) {
    case 0:
      g_mfd.page = MFD_PAGE_NONE;
      g_mfd.menu_level = MFD_MENU_TOP;
      break;
    case 1:
      g_mfd.page = MFD_PAGE_VSPEEDS;
      g_mfd.menu_level = MFD_MENU_VSPEEDS;
      break;
    case 2:
      g_mfd.page = MFD_PAGE_JOYSTICK;
      break;
    case 3:
      g_mfd.page = MFD_PAGE_PLAN_LIST;
      if (g_mfd.plan_list_shown) {
        g_mfd.plan_load_requested = true;
        g_mfd.plan_list_shown = false;
      } else {
        g_mfd.plan_list_shown = true;
        mfd_load_plan_list();
      }
      break;
    case 4:
      g_mfd.map_layer_preset = (g_mfd.map_layer_preset + 1) % MFD_MAP_LAYER_PRESETS;
      set_map_layers_from_preset(g_mfd.map_layer_preset);
      break;
    default:
      break;  // "DATA" has no page
  }
}

}  // namespace

int mfd_page_leave_key(int32_t page) {
  if (page >= MFD_PAGE_SUMMARY && page <= MFD_PAGE_FUEL) return page - MFD_PAGE_SUMMARY;
  if (page == MFD_PAGE_VSPEEDS) return 0;
  return -1;
}

bool mfd_menu_leave_page() {
  const int key = g_mfd.bezel.soft_key_event;
  if (key == SOFT_KEY_NONE || key != mfd_page_leave_key(g_mfd.page)) return false;
  bool rewrite = false;
  g_mfd.menu_level = MFD_MENU_TOP;
  if (g_mfd.page == MFD_PAGE_VSPEEDS && g_mfd.accfg_dirty) {
    rewrite = true;
    g_mfd.accfg_dirty = false;
  }
  if (g_mfd.mfd_shown) g_mfd.page = MFD_PAGE_NONE;
  g_mfd.bezel.soft_key_event = SOFT_KEY_NONE;
  return rewrite;
}

void mfd_menu_save_vspeeds() {
  if (!mfd_write_aircraft_config()) {
    g_mfd.accfg_dirty = true;
    return;
  }
  g_mfd.accfg_dirty = false;
  g_mfd.accfg_rewrite_pending = true;
}

void mfd_menu_soft_key() {
  const int key = g_mfd.bezel.soft_key_event;
  if (key < 0 || key >= SOFT_KEY_COUNT) return;
  switch (g_mfd.menu_level) {
    case MFD_MENU_TOP:
      top_menu_key(key);
      break;
    case MFD_MENU_SYSTEMS:
      g_mfd.page = MFD_PAGE_SUMMARY + key;
      break;
    case MFD_MENU_MFD:
      mfd_menu_key(key);
      break;
    default:
      break;  // the V-speed page takes its keys itself
  }
}

void mfd_menu_knob_to_range() {
  if (g_mfd.plan_list_shown) return;
  BezelInput& b = g_mfd.bezel;
  if (b.knob_decrement) {
    g_mfd.map_range_index = g_mfd.map_range_index <= 0 ? MAP_RANGE_INDEX_MAX : g_mfd.map_range_index - 1;
    b.knob_decrement = false;
  } else if (b.knob_increment) {
    g_mfd.map_range_index = g_mfd.map_range_index >= MAP_RANGE_INDEX_MAX ? 0 : g_mfd.map_range_index + 1;
    b.knob_increment = false;
  }
}

void mfd_plan_list_knob() {
  BezelInput& b = g_mfd.bezel;
  if (b.knob_decrement) g_mfd.selected_plan = nav_plan_selection_step(&g_mfd.plan_list, g_mfd.selected_plan, -1);
  if (b.knob_increment) g_mfd.selected_plan = nav_plan_selection_step(&g_mfd.plan_list, g_mfd.selected_plan, +1);
  b.knob_decrement = b.knob_increment = false;
}

void mfd_plan_load_step() {
  if (!g_mfd.plan_load_requested) return;
  g_mfd.plan_load_requested = false;
  NavPlanLoad load =
      nav_plan_load(&g_mfd.plan_list, g_mfd.selected_plan, g_mfd.plan_path, &g_mfd.nav, &g_mfd.active_plan,
                    NAV_ERROR_LOG);
  if (!load.loaded) return;
  g_mfd.show_plan = true;
  // A text plan also goes into accfg.ini for the PFDs.
  if (load.accfg_rewrite && mfd_write_aircraft_config()) g_mfd.accfg_rewrite_pending = true;
}

MfdPlanPaging mfd_plan_paging(int32_t plan_count, int32_t selected) {
  MfdPlanPaging p{};
  p.pages = plan_count <= 0 ? 0 : (plan_count + MFD_PLANS_PER_PAGE - 1) / MFD_PLANS_PER_PAGE;
  p.page = selected < 0 ? 0 : selected / MFD_PLANS_PER_PAGE;
  p.first = p.page * MFD_PLANS_PER_PAGE;
  return p;
}
