#pragma once
// The data the display unit loads at start-up, in this order; the plan list
// and the navigation data append their failures to "error.log".
void mfd_load_plan_list();
// accfg.ini of the working folder (mfd/mfd_aircraft_config.h): the defaults
// first, then the file. The limits and the runway minimum follow the values.
void mfd_load_aircraft_config();
void mfd_load_navigation_data();  // also again on the first frame

// accfg.ini again, on entering the V-speed page: the file alone (a file that
// does not read whole changes nothing; a missing one is written with the
// defaults, which are taken).
void mfd_read_aircraft_config();
// Rewrites accfg.ini here and in the other display unit's folder; true when
// this unit's copy was written (the PFDs are then told to re-read it).
bool mfd_write_aircraft_config();
