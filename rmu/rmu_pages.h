#pragma once
// The RMU's pages: one table of {page, draw, keys}, one row per page, each
// page in a file of its own, rmu/rmu_page_<name>.cpp. The unit has no menu
// levels: the page menu (page 9) is itself a row and leads to the others.
//
// Adding a page (the ATC/TCAS control page 3, the navigation page 5, the
// engine pages 6 and 7): a file rmu_page_<name>.cpp with its draw and keys
// declared in rmu/rmu_page_parts.h, and one row in RMU_PAGES (rmu_pages.cpp).
// Until a number has a row the frame shows the radio page instead.
#include <cstdint>

#include "rmu/rmu_state.h"

struct RmuPage {
  int32_t page;    // RmuPageId
  void (*draw)();  // draws the page from g_rmu, no link I/O
  void (*keys)();  // takes the selected line, bottom key and knob events the page owns;
                   // queues its simulator writes in g_rmu.writes; null: none
};

extern const RmuPage RMU_PAGES[];
extern const int RMU_PAGE_COUNT;

// The row of a page; null for a number without a row.
const RmuPage* rmu_page(int32_t page);
