#pragma once
// The aircraft configuration file "accfg.ini": the display unit writes it,
// the display unit and the PFDs read it. Thirteen pairs of a one-word label
// line and a value line in a fixed order; the labels are never compared, so
// the two label sets (the first file's and a save's) read alike. A saved
// file goes on with the active plan after "[ACTIVE_PLAN]" (nav_active_plan.h),
// which only the PFD reads (pfd/accfg.h).
#include <cstddef>
#include <cstdint>
#include <string>

#include "framework/settings_file.h"

constexpr const char* AIRCRAFT_CONFIG_FILE = "accfg.ini";
constexpr size_t AIRCRAFT_CONFIG_FILE_LIMIT = 256 * 1024;

// The 13 values, in file order.
struct AircraftValues {
  int32_t v1, vr, v2;                                        // knots
  int32_t max_flaps;                                         // degrees at full deflection
  int32_t vmin;                                              // knots
  int32_t flap_placard_8, flap_placard_20, flap_placard_40;  // knots
  float vmo;                                                 // knots
  float mmo;                                                 // Mach
  int32_t max_spoiler;                                       // degrees at full deflection
  int32_t min_runway;                                        // feet, the map's airport filter
  int32_t max_fuel;                                          // pounds
};

// The values of the default file.
void aircraft_values_defaults(AircraftValues* values);
// Reads the 13 pairs from the reader's position, each label skipped whatever
// its length. True only when every value parsed; *values is changed only then.
bool aircraft_values_read(SettingsReader* reader, AircraftValues* values);
// The default file: pairs 1 to 13 with the first file's labels
// ("[VMAX_FLAP_8]", "[MMO]") and the values as the crew reads them ("335", "0.81").
std::string aircraft_config_default_text();
// The 13 pairs of a save, with its labels ("[VMAX_FLAPS_8]", "[MM0]" with a
// zero) and the reals in "%f" form; every line ends in a line feed.
std::string aircraft_values_text(const AircraftValues& values);
// "<folder>/accfg.ini"; the folder may use either separator, an empty one is
// the working folder.
std::string aircraft_config_path(const char* folder);
