#pragma once
// "PFD.ini": window geometry, frameless and bezel flags, side, and the two
// folders whose accfg.ini the two sides read. Pairs are taken by position.
#include <cstdint>

#include "framework/settings_file.h"
#include "pfd/pfd_state.h"

constexpr const char* PFD_SETTINGS_FILE = "PFD.ini";
constexpr int PFD_START_CLIENT_WIDTH = 445;    // before the file is read
constexpr int PFD_START_CLIENT_HEIGHT = 540;
// The default file's window: 484 x 605 at 100,100, framed, bezel shown.
constexpr SettingsWindow PFD_DEFAULT_WINDOW = {484, 605, 100, 100, 0, true, 1};

// Read and write on the given record (tests) or on the global one (hooks).
void pfd_read_settings_from(const char* path, UnitCommon* common, PfdSettings* settings);
bool pfd_write_settings_to(const char* path, bool defaults, const UnitCommon& common,
                           const PfdSettings& settings);
void pfd_read_settings();
bool pfd_write_settings(bool defaults);
// A setting by name from the command line: "side" (0 or 1), "path_to_du2",
// "path_to_du3". False for any other name or a side other than 0 or 1.
bool pfd_set_setting(const char* name, const char* value);

// The side's cells, reload bit and title (any side but 1 is the captain's).
// Which side writes the NAV/GPS switch is side_drives_nav_gps() of the cells.
PfdSide pfd_side_table(int side);
const char* pfd_side_title(int side);
// The folder whose accfg.ini this side reads.
const char* pfd_side_config_folder(const PfdSettings& settings);
// The switch value for the EFIS mode byte: 1 (GPS) with the FMS source, else 0.
uint32_t pfd_nav_gps_value(uint8_t efis_mode);
