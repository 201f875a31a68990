#pragma once
// The unit's pieces that the frame calls. Until the exchange, pages and data
// loaders are written they do nothing at all.
#include <cstdint>

// Per-frame exchange with the simulator and conversion of the raw values
// (battery, avionics, brightness, soft-key and knob cells). Returns the
// result of the process call.
bool mfd_exchange(uint32_t* result);
void mfd_convert();

void mfd_page_controller();   // menu and page controller
void mfd_traffic_step();      // traffic display step (avionics on)
void mfd_draw_map_page();
void mfd_draw_eicas();

// Data loaders of the start-up list (append failures to "error.log").
void mfd_load_plan_list();
void mfd_load_aircraft_config();
void mfd_load_navigation_data();
