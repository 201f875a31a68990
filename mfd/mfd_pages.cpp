#include "mfd/mfd_pages.h"

#include "mfd/mfd_page_parts.h"

const MfdPage MFD_PAGES[] = {
    // menu level       page                      draw                            keys
    {MFD_MENU_TOP,      MFD_PAGE_MAP,             mfd_map_page_draw,              nullptr},
    {MFD_MENU_SYSTEMS,  MFD_PAGE_EICAS,           mfd_eicas_page_draw,            nullptr},
    {MFD_MENU_SYSTEMS,  MFD_PAGE_SUMMARY,         mfd_summary_page_draw,          nullptr},
    {MFD_MENU_SYSTEMS,  MFD_PAGE_ELECTRICAL,      mfd_electrical_page_draw,       nullptr},
    {MFD_MENU_SYSTEMS,  MFD_PAGE_HYDRAULIC,       mfd_hydraulic_page_draw,        nullptr},
    {MFD_MENU_SYSTEMS,  MFD_PAGE_ECS,             mfd_ecs_page_draw,              nullptr},
    {MFD_MENU_SYSTEMS,  MFD_PAGE_FLIGHT_CONTROLS, mfd_flight_controls_page_draw,  nullptr},
    {MFD_MENU_SYSTEMS,  MFD_PAGE_FUEL,            mfd_fuel_page_draw,             nullptr},
    {MFD_MENU_VSPEEDS,  MFD_PAGE_VSPEEDS,         mfd_vspeeds_page_draw,          mfd_vspeeds_page_keys},
    {MFD_MENU_MFD,      MFD_PAGE_JOYSTICK,        mfd_joystick_page_draw,         nullptr},
    {MFD_MENU_MFD,      MFD_PAGE_PLAN_LIST,       mfd_plan_list_page_draw,        mfd_plan_list_page_keys},
};
const int MFD_PAGE_COUNT = sizeof MFD_PAGES / sizeof MFD_PAGES[0];

const MfdPage* mfd_page(int32_t page) {
  for (const MfdPage& row : MFD_PAGES)
    if (row.page == page) return &row;
  return nullptr;
}

void mfd_run_page(int32_t page) {
  const MfdPage* row = mfd_page(page);
  if (!row) return;
  if (row->keys) row->keys();
  row->draw();
}
