#pragma once
// The display unit's side of "accfg.ini" (framework/aircraft_config.h): the
// read at start-up and on entering the V-speed page, and the save with the
// active plan into this unit's folder and the other display unit's.
//
// Files: reads and writes "<working folder>/accfg.ini"; writes
// "<other unit's folder>/accfg.ini". Every copy goes through a temporary file
// in its folder and a rename, so the PFDs and the other display unit never
// read half a file. No messages.
#include <string>

#include "framework/aircraft_config.h"
#include "nav/nav_plan.h"

enum MfdAircraftConfigRead {
  MFD_ACCFG_READ,             // all 13 values parsed and taken
  MFD_ACCFG_DEFAULTS_WRITTEN, // there was no file: the default file written, the defaults taken
  MFD_ACCFG_KEPT,             // a file that does not read whole: nothing changed, the file left as it is
};
// `values` changes only when the whole file reads, or when there was none
// (the defaults; taken even when the default file cannot be written).
MfdAircraftConfigRead mfd_aircraft_config_read(const char* path, AircraftValues* values);

// A save: the 13 pairs with a save's labels, then the active plan section
// from its first leg.
std::string mfd_aircraft_config_text(const AircraftValues& values, const ActivePlan* plan);

// Writes `text` to `own_path`, then, when that succeeded, to `other_path`.
// True when the own copy was written; a failed other copy is skipped quietly.
bool mfd_aircraft_config_write(const char* own_path, const char* other_path, const std::string& text);
