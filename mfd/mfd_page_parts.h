#pragma once
// What each page file of mfd/ gives the page table (mfd/mfd_pages.h): its
// draw, and its keys when the page owns soft keys or the knob. Each reads
// and changes only g_mfd.

void mfd_map_page_draw();               // mfd_page_map.cpp: heading-up map, range rings, layers, plan, traffic (map_*.cpp)
void mfd_eicas_page_draw();             // mfd_page_eicas.cpp: engines and the crew-alert list
void mfd_summary_page_draw();           // mfd_page_summary.cpp: SUMRY synoptic
void mfd_electrical_page_draw();        // mfd_page_electrical.cpp: ELEC synoptic
void mfd_hydraulic_page_draw();         // mfd_page_hydraulic.cpp: HYD synoptic
void mfd_ecs_page_draw();               // mfd_page_ecs.cpp: ECS synoptic
void mfd_flight_controls_page_draw();   // mfd_page_flight_controls.cpp: FLT synoptic
void mfd_fuel_page_draw();              // mfd_page_fuel.cpp: FUEL synoptic
void mfd_vspeeds_page_draw();           // mfd_page_vspeeds.cpp: the V-speed page
void mfd_vspeeds_page_keys();           //   soft keys select a speed, the knob changes it
void mfd_joystick_page_draw();          // mfd_page_joystick.cpp: JSTK, nothing drawn
void mfd_plan_list_page_draw();         // mfd_page_plan_list.cpp: the flight-plan list box
void mfd_plan_list_page_keys();         //   the knob moves the selection
