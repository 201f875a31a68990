#pragma once
// The display unit's pages: one table of {menu level, page, draw, keys}, one
// row per page, each page in a file of its own, mfd/mfd_page_<name>.cpp.
//
// The page numbers 1 to 9 are the page controller's (mfd_menu.cpp keeps the
// menu level and the page in g_mfd.menu_level and g_mfd.page); the map and
// the EICAS are the two whole displays, drawn by the frame after the
// controller, whichever of them the unit shows.
//
// Adding a page: a number in MfdPageId, a file mfd_page_<name>.cpp with its
// draw (and keys, when the page takes soft keys or the knob) declared in
// mfd/mfd_page_parts.h, and one row in MFD_PAGES (mfd_pages.cpp).
#include <cstdint>

enum MfdMenuLevel : int32_t {
  MFD_MENU_TOP = 0,      // "SYS", "MFD", "CKLST", "TCAS", "TERR", "PLAN"
  MFD_MENU_SYSTEMS = 1,  // "SUMRY", "ELEC", "HYD", "ECS", "FLT", "FUEL"; the only menu on the EICAS
  MFD_MENU_MFD = 2,      // "RTN", "SPDS", "JSTK", "FPLN", "APT"/"NAV", "DATA"
  MFD_MENU_VSPEEDS = 4,  // the V-speed page is up: no labels
};

enum MfdPageId : int32_t {
  MFD_PAGE_NONE = 0,
  MFD_PAGE_SUMMARY = 1,
  MFD_PAGE_ELECTRICAL = 2,
  MFD_PAGE_HYDRAULIC = 3,
  MFD_PAGE_ECS = 4,
  MFD_PAGE_FLIGHT_CONTROLS = 5,
  MFD_PAGE_FUEL = 6,
  MFD_PAGE_VSPEEDS = 7,
  MFD_PAGE_JOYSTICK = 8,
  MFD_PAGE_PLAN_LIST = 9,
  MFD_PAGE_MAP = 10,    // the whole MFD display
  MFD_PAGE_EICAS = 11,  // the whole EICAS display
};

struct MfdPage {
  int32_t menu_level;  // MfdMenuLevel the page is shown from
  int32_t page;        // MfdPageId
  void (*draw)();      // draws the page from g_mfd, no link I/O
  void (*keys)();      // takes the soft-key and knob events the page owns; null: none
};

extern const MfdPage MFD_PAGES[];
extern const int MFD_PAGE_COUNT;

// The row of a page; null for MFD_PAGE_NONE or a number without a row.
const MfdPage* mfd_page(int32_t page);
// Runs the page's keys, then draws it; nothing for a page without a row.
void mfd_run_page(int32_t page);
