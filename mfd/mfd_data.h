#pragma once
// The data the display unit loads at start-up, in this order; each appends
// its failures to "error.log".
void mfd_load_plan_list();
void mfd_load_aircraft_config();
void mfd_load_navigation_data();  // also again on the first frame
// Rewrites accfg.ini here and in the other display unit's folder; true when
// written (the PFDs are then told to re-read it). Nothing is written until the
// aircraft configuration file has its writer, so it answers false.
bool mfd_write_aircraft_config();
