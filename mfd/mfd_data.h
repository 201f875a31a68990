#pragma once
// The data the display unit loads at start-up, in this order; each appends
// its failures to "error.log".
void mfd_load_plan_list();
void mfd_load_aircraft_config();
void mfd_load_navigation_data();  // also again on the first frame
