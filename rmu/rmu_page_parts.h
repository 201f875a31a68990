#pragma once
// What each page file of rmu/ gives the page table (rmu/rmu_pages.h): its
// draw and its keys. Each reads and changes only g_rmu.

void rmu_radio_page_draw();        // rmu_page_radio.cpp: COM, NAV and ADF over the transponder and TCAS
void rmu_radio_page_keys();        //   swaps, standby and ADF tuning, store
void rmu_com_memory_page_draw();   // rmu_page_memory.cpp: the twelve COM memories, six at a time
void rmu_com_memory_page_keys();   //   recall, select and edit, more, insert, delete
void rmu_nav_memory_page_draw();   //   the same for NAV
void rmu_nav_memory_page_keys();
void rmu_menu_page_draw();         // rmu_page_menu.cpp: "PAGE MENU SYSTEM 1/2"
void rmu_menu_page_keys();         //   leads to every page; "RETURN" to the one it was opened from
void rmu_atc_page_draw();          // rmu_page_atc.cpp: "ATC/TCAS CONTROL"
void rmu_atc_page_keys();          //   TA display mode, return to the radios
void rmu_engine1_page_draw();      // rmu_page_engine1.cpp: N1 scales, ITT, oil, fuel, hydraulics, flaps
void rmu_engine1_page_keys();      //   "MORE" to engine page 2
void rmu_engine2_page_draw();      // rmu_page_engine2.cpp: N1, N2, oil temperature, fuel flow, electrics, SAT, trims
void rmu_engine2_page_keys();      //   "MORE" to engine page 1
void rmu_navigation_page_draw();   // rmu_page_navigation.cpp: compass arc, VOR and course pointers
void rmu_navigation_page_keys();   //   NAV1 active frequency (L1) and course (L6)
