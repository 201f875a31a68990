#pragma once
// The PFD's reader of the aircraft configuration file "accfg.ini" that the
// display unit writes: the 13 values through the shared reader
// (framework/aircraft_config.h), then the active plan rows.
#include <string>

#include "framework/aircraft_config.h"
#include "pfd/pfd_state.h"

constexpr const char* ACCFG_FILE_NAME = AIRCRAFT_CONFIG_FILE;
constexpr size_t ACCFG_FILE_LIMIT = AIRCRAFT_CONFIG_FILE_LIMIT;

// The aircraft's values the display unit writes when it creates the file;
// the PFD starts from them until a file is read. No plan.
void accfg_set_defaults(AircraftConfig* config);
// Parses the text into `scratch`. True when all 13 values parsed; the plan
// rows that parsed are in scratch->plan / plan_length either way.
bool accfg_parse(const std::string& text, AircraftConfig* scratch);
// Parses and commits: all 13 values parsed replaces the configuration and the
// plan; otherwise (missing, short or malformed file) every value stays and
// the plan length becomes 0.
bool accfg_apply(const std::string* text_or_null, AircraftConfig* config);
// "<folder>\accfg.ini" with either separator accepted in the folder.
std::string accfg_path(const char* folder);
// Reads the file of the given folder and applies it.
bool accfg_load(const char* folder, AircraftConfig* config);
