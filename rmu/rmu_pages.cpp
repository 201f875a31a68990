#include "rmu/rmu_pages.h"

#include "rmu/rmu_page_parts.h"

const RmuPage RMU_PAGES[] = {
    // page                 draw                        keys
    {RMU_PAGE_RADIO,        rmu_radio_page_draw,        rmu_radio_page_keys},
    {RMU_PAGE_COM_MEMORY,   rmu_com_memory_page_draw,   rmu_com_memory_page_keys},
    {RMU_PAGE_NAV_MEMORY,   rmu_nav_memory_page_draw,   rmu_nav_memory_page_keys},
    {RMU_PAGE_ATC_TCAS,     rmu_atc_page_draw,          rmu_atc_page_keys},
    {RMU_PAGE_NAVIGATION,   rmu_navigation_page_draw,   rmu_navigation_page_keys},
    {RMU_PAGE_ENGINE_1,     rmu_engine1_page_draw,      rmu_engine1_page_keys},
    {RMU_PAGE_ENGINE_2,     rmu_engine2_page_draw,      rmu_engine2_page_keys},
    {RMU_PAGE_MENU,         rmu_menu_page_draw,         rmu_menu_page_keys},
};
const int RMU_PAGE_COUNT = sizeof RMU_PAGES / sizeof RMU_PAGES[0];

const RmuPage* rmu_page(int32_t page) {
  for (const RmuPage& row : RMU_PAGES)
    if (row.page == page) return &row;
  return nullptr;
}
